#include "setup/core/shortcut.h"

#include <gtest/gtest.h>

#include "platform/target_system/shell_link.h"
#include "setup/core/test_system.h"

namespace setup {
namespace {

using platform::target::ShellLink;

class ShortcutTest : public ::testing::Test {
 protected:
  ShellLink ReadBack(std::string_view link_path) {
    std::filesystem::path host;
    EXPECT_TRUE(system_->drives().ToHostPath(link_path, &host).ok());
    ShellLink link;
    const auto status = platform::target::ReadShellLinkFile(host, &link);
    EXPECT_TRUE(status.ok()) << status.ToString();
    return link;
  }

  testing::TestSystem system_;
  const std::string folder_ = "C:\\Documents and Settings\\taro\\スタート メニュー\\プログラム\\Maker";
};

TEST_F(ShortcutTest, WritesEveryFieldAndCreatesTheFolder) {
  ASSERT_TRUE(system_->files().CreateFolderTree("C:\\Program Files\\Maker").ok());
  ASSERT_TRUE(system_->files().WriteFile("C:\\Program Files\\Maker\\App.exe", "MZ").ok());
  const std::string link_path = folder_ + "\\App.lnk";
  ASSERT_TRUE(CreateShortcut(*system_, link_path, "C:\\Program Files\\Maker\\App.exe", 2,
                             "C:\\Program Files\\Maker\\App.ico", 2, "C:\\Program Files\\Maker")
                  .ok());
  const ShellLink link = ReadBack(link_path);
  EXPECT_EQ(link.target_path, "C:\\Program Files\\Maker\\App.exe");
  EXPECT_EQ(link.working_folder, "C:\\Program Files\\Maker");
  EXPECT_EQ(link.icon_location, "C:\\Program Files\\Maker\\App.ico");
  EXPECT_EQ(link.icon_index, 2);
  EXPECT_EQ(link.show_command, platform::target::kShowMaximized);
  EXPECT_EQ(link.description, "Produced by Tallowmere Tools");
  EXPECT_EQ(link.target_size, 2u);
}

TEST_F(ShortcutTest, ShowStatesAndIconRules) {
  const std::string link_path = folder_ + "\\a.lnk";
  ASSERT_TRUE(CreateShortcut(*system_, link_path, "C:\\x.exe", 5, "", 0, "").ok());
  ShellLink link = ReadBack(link_path);
  EXPECT_EQ(link.show_command, platform::target::kShowNormal);
  EXPECT_EQ(link.icon_location, "");  // the target's own icon stays
  EXPECT_EQ(link.icon_index, 0);
  EXPECT_EQ(link.working_folder, "");

  ASSERT_TRUE(CreateShortcut(*system_, link_path, "C:\\x.exe", 300, "C:\\i.ico", 1, "").ok());
  link = ReadBack(link_path);
  EXPECT_EQ(link.show_command, platform::target::kShowMinNoActive);
  EXPECT_EQ(link.icon_index, 300 % 256);  // an 8-bit index
}

TEST_F(ShortcutTest, RefusesPathsItCannotWriteWhole) {
  EXPECT_FALSE(CreateShortcut(*system_, "", "C:\\x.exe", 0, "", 0, "").ok());
  EXPECT_FALSE(CreateShortcut(*system_, "relative.lnk", "C:\\x.exe", 0, "", 0, "").ok());
  const std::string long_path = "C:\\" + std::string(252, 'a') + "\\b.lnk";  // 261 characters
  EXPECT_FALSE(CreateShortcut(*system_, long_path, "C:\\x.exe", 0, "", 0, "").ok());
  EXPECT_FALSE(system_->files().Exists("C:\\" + std::string(252, 'a')));
}

TEST_F(ShortcutTest, AReadOnlyShortcutIsRefusedAndKept) {
  const std::string link_path = folder_ + "\\ro.lnk";
  ASSERT_TRUE(CreateShortcut(*system_, link_path, "C:\\old.exe", 0, "", 0, "").ok());
  ASSERT_TRUE(system_->files().SetAttributes(link_path, platform::target::kFileReadOnly).ok());
  EXPECT_FALSE(CreateShortcut(*system_, link_path, "C:\\new.exe", 0, "", 0, "").ok());
  EXPECT_EQ(ReadBack(link_path).target_path, "C:\\old.exe");
}

TEST_F(ShortcutTest, ALinkOutOfTheDriveIsNotFollowed) {
  const auto host = system_.dir() / "host";
  std::filesystem::create_directories(host);
  std::filesystem::path drive_c;
  ASSERT_TRUE(system_->drives().ToHostPath("C:\\", &drive_c).ok());
  std::filesystem::create_directory_symlink(host, drive_c / "out");
  EXPECT_FALSE(CreateShortcut(*system_, "C:\\out\\a.lnk", "C:\\x.exe", 0, "", 0, "").ok());
  EXPECT_TRUE(std::filesystem::is_empty(host));
}

}  // namespace
}  // namespace setup
