#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {
namespace {

TEST(Win32ShellTest, OsKindFollowsTheVersionRecord) {
  EXPECT_EQ(OsKindOf(VER_PLATFORM_WIN32_WINDOWS, 4, 0), 101);   // 95
  EXPECT_EQ(OsKindOf(VER_PLATFORM_WIN32_WINDOWS, 4, 10), 102);  // 98
  EXPECT_EQ(OsKindOf(VER_PLATFORM_WIN32_WINDOWS, 4, 89), 102);
  EXPECT_EQ(OsKindOf(VER_PLATFORM_WIN32_WINDOWS, 4, 90), 103);  // ME
  EXPECT_EQ(OsKindOf(VER_PLATFORM_WIN32_WINDOWS, 3, 95), 100);
  EXPECT_EQ(OsKindOf(VER_PLATFORM_WIN32_NT, 4, 0), 201);
  EXPECT_EQ(OsKindOf(VER_PLATFORM_WIN32_NT, 5, 0), 202);  // 2000
  EXPECT_EQ(OsKindOf(VER_PLATFORM_WIN32_NT, 5, 1), 200);  // XP
  EXPECT_EQ(OsKindOf(VER_PLATFORM_WIN32_NT, 10, 0), 200);
  EXPECT_EQ(OsKindOf(VER_PLATFORM_WIN32s, 3, 1), 0);
  EXPECT_EQ(RunningOsKind(), 200);  // Wine and today's Windows are NT 6 and later
}

TEST(Win32ShellTest, TheRunningSystemsFoldersHaveNoTrailingBackslash) {
  const SystemSettings settings = RunningSystemSettings();
  EXPECT_EQ(settings.os_kind, 200);
  EXPECT_FALSE(settings.user_name.empty());
  for (const std::string& folder : {settings.windows_folder, settings.system_folder, settings.temp_folder}) {
    ASSERT_GE(folder.size(), 3u) << folder;
    EXPECT_NE(folder.back(), '\\') << folder;
    EXPECT_TRUE(Win32Files().IsFolder(folder)) << folder;
  }
  // 32-bit programs' DLLs: the system folder of the 32-bit view.
  EXPECT_NE(settings.system_folder.find("syswow64"), std::string::npos);
}

class Win32ShellFilesTest : public ::testing::Test {
 protected:
  Win32ShellFilesTest() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    dir_ = WideToUtf8(temp) + "kestro-shell-" + std::to_string(GetCurrentProcessId());
    EXPECT_TRUE(files_.CreateFolderTree(dir_).ok());
  }
  ~Win32ShellFilesTest() override {
    std::vector<FileEntry> entries;
    if (files_.ListEntries(dir_, &entries).ok()) {
      for (const FileEntry& e : entries) (void)files_.DeleteFile(dir_ + "\\" + e.name);
    }
    (void)files_.RemoveEmptyFolder(dir_);
  }

  Win32Files files_;
  std::string dir_;
};

TEST_F(Win32ShellFilesTest, ShellLinksKeepWhatTheyWereGiven) {
  ShellLinkFields fields;
  fields.target = "C:\\Program Files\\Plakato\\Plakato.exe";
  fields.arguments = "/open \"説明.pkc\"";
  fields.working_folder = "C:\\Program Files\\Plakato";
  fields.icon_file = "C:\\Program Files\\Plakato\\Plakato.exe";
  fields.icon_index = 2;
  fields.show_command = SW_SHOWMAXIMIZED;
  const std::string link = dir_ + "\\ぷらかと.lnk";
  ASSERT_TRUE(SaveShellLink(link, fields).ok());
  ShellLinkFields read;
  ASSERT_TRUE(LoadShellLink(link, &read).ok());
  EXPECT_EQ(read.target, fields.target);
  EXPECT_EQ(read.arguments, fields.arguments);
  EXPECT_EQ(read.working_folder, fields.working_folder);
  EXPECT_EQ(read.icon_file, fields.icon_file);
  EXPECT_EQ(read.icon_index, 2);
  // The show command as the link file's header holds it (Wine's loader
  // does not hand it back, so read the file itself).
  std::string bytes;
  ASSERT_TRUE(files_.ReadFile(link, &bytes).ok());
  ASSERT_GT(bytes.size(), 0x40u);
  EXPECT_EQ(bytes[0x3C], SW_SHOWMAXIMIZED);
  EXPECT_FALSE(LoadShellLink(dir_ + "\\none.lnk", &read).ok());
}

TEST_F(Win32ShellFilesTest, TheRecycleBinTakesAFileAndRefusesNothing) {
  const std::string file = dir_ + "\\old.txt";
  ASSERT_TRUE(files_.WriteFile(file, "x").ok());
  ASSERT_TRUE(MoveToRecycleBin(file).ok());
  EXPECT_FALSE(files_.Exists(file));
  EXPECT_TRUE(MoveToRecycleBin(file).IsNotFound());
}

}  // namespace
}  // namespace platform::win32
