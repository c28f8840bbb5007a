#include "setup/core/install_paths.h"

#include <gtest/gtest.h>

#include "setup/core/registry_utils.h"
#include "setup/core/test_system.h"

namespace setup {
namespace {

constexpr auto kHklm = RegistryRoot::kLocalMachine;
constexpr auto kHkcu = RegistryRoot::kCurrentUser;
constexpr const char* kProfileList = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST(InstallPathsTest, PrimitivesComeFromTheSystemWithoutTrailingBackslashes) {
  testing::TestSystem system(202, "C:\\WINNT");
  EXPECT_EQ(GetWindowsFolder(*system), "C:\\WINNT");
  EXPECT_EQ(GetLoginUserName(*system), "taro");
  EXPECT_EQ(GetOsKind(*system), 202);
  EXPECT_TRUE(IsNtFamily(200));
  EXPECT_FALSE(IsNtFamily(103));
  EXPECT_EQ(GetTempFolder(*system).back() == '\\', false);
}

TEST(DefaultShellFolderTest, Windows2000UsesTheProfilesDirectory) {
  testing::TestSystem system(202, "C:\\WINNT");
  ASSERT_TRUE(RegWriteString(*system, kHklm, kProfileList, "ProfilesDirectory",
                             "%SystemDrive%\\Documents and Settings")
                  .ok());
  EXPECT_EQ(GetDefaultShellFolder(*system, "Desktop", "taro"),
            "C:\\Documents and Settings\\taro\\デスクトップ");
  EXPECT_EQ(GetDefaultShellFolder(*system, "Startup", "All Users"),
            "C:\\Documents and Settings\\All Users\\スタート メニュー\\プログラム\\スタートアップ");
  EXPECT_EQ(GetDefaultShellFolder(*system, "Personal", "taro"),
            "C:\\Documents and Settings\\taro\\My Documents");
  EXPECT_EQ(GetDefaultShellFolder(*system, "History", "taro"),
            "C:\\Documents and Settings\\taro\\Local Settings\\History");
  EXPECT_EQ(GetQuickLaunchFolder(*system, "taro"),
            "C:\\Documents and Settings\\taro\\Application Data\\Microsoft\\Internet "
            "Explorer\\Quick Launch");
  // Stored as an expand-string, as the system itself stores it.
  ASSERT_TRUE(system->registry()
                  .SetValue(kHklm, kProfileList,
                            platform::target::RegistryValue::ExpandString(
                                "ProfilesDirectory", "%SystemDrive%\\Documents and Settings"))
                  .ok());
  EXPECT_EQ(GetDefaultShellFolder(*system, "Desktop", "taro"),
            "C:\\Documents and Settings\\taro\\デスクトップ");
  // Without a profiles directory only the user part is left.
  ASSERT_TRUE(RegDeleteValue(*system, kHklm, kProfileList, "ProfilesDirectory").ok());
  EXPECT_EQ(GetDefaultShellFolder(*system, "Desktop", "taro"), "\\taro\\デスクトップ");
}

TEST(DefaultShellFolderTest, Windows98HasNoProfiles) {
  testing::TestSystem system(102, "C:\\WINDOWS");
  EXPECT_EQ(GetDefaultShellFolder(*system, "Programs", "taro"), "C:\\WINDOWS\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ");
  EXPECT_EQ(GetDefaultShellFolder(*system, "Programs", "All Users"), "C:\\WINDOWS\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ");
  EXPECT_EQ(GetDefaultShellFolder(*system, "Personal", "taro"), "C:\\My Documents");
  EXPECT_EQ(GetDefaultShellFolder(*system, "Desktop", "taro"), "C:\\WINDOWS\\ﾃﾞｽｸﾄｯﾌﾟ");
  EXPECT_EQ(GetQuickLaunchFolder(*system, "taro"),
            "C:\\WINDOWS\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch");
  ASSERT_TRUE(RegWriteString(*system, RegistryRoot::kUsers,
                             ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups",
                             "Quick Launch", "D:\\QL")
                  .ok());
  EXPECT_EQ(GetQuickLaunchFolder(*system, "taro"), "D:\\QL");
}

TEST(DefaultShellFolderTest, Nt4KeepsProfilesBelowTheWindowsFolder) {
  for (int os_kind : {200, 201}) {
    testing::TestSystem system(os_kind, "C:\\WINNT");
    EXPECT_EQ(GetDefaultShellFolder(*system, "Start Menu", "taro"), "C:\\WINNT\\Profiles\\taro\\ｽﾀｰﾄ ﾒﾆｭｰ");
    EXPECT_EQ(GetDefaultShellFolder(*system, "Personal", "taro"), "C:\\WINNT\\Profiles\\taro\\Personal");
    EXPECT_EQ(GetQuickLaunchFolder(*system, "hanako"),
              "C:\\WINNT\\Profiles\\taro\\Application Data\\Microsoft\\Internet "
              "Explorer\\Quick Launch");
  }
}

TEST(DefaultShellFolderTest, FixedFoldersAndUnknownNames) {
  testing::TestSystem system(0, "C:\\WIN");
  EXPECT_EQ(GetDefaultShellFolder(*system, "BootDir", "taro"), "C:\\");
  EXPECT_EQ(GetDefaultShellFolder(*system, "ProgramFilesDir", "taro"), "C:\\Program Files");
  EXPECT_EQ(GetDefaultShellFolder(*system, "CommonFilesDir", "taro"), "C:\\Program Files\\Common Files");
  EXPECT_EQ(GetDefaultShellFolder(*system, "ConfigPath", "taro"), "C:\\WIN\\config");
  EXPECT_EQ(GetDefaultShellFolder(*system, "Fonts", "taro"), "C:\\WIN\\Fonts");
  EXPECT_EQ(GetDefaultShellFolder(*system, "Favorites", "taro"), "C:\\WIN\\Favorites");
  EXPECT_EQ(GetDefaultShellFolder(*system, "fonts", "taro"), "");  // names compare exactly
  EXPECT_EQ(GetShellFolder(*system, "NoSuchFolder"), "");
}

TEST(ShellFolderTest, RegistryPlacesComeFirstInOrder) {
  testing::TestSystem system(202, "C:\\WINDOWS");
  const char* setup_key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
  const char* version_key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  ASSERT_TRUE(RegWriteString(*system, kHkcu, kShellFolders, "Desktop", "E:\\Shell\\Desk\\\\").ok());
  EXPECT_EQ(GetShellFolder(*system, "Desktop"), "E:\\Shell\\Desk");
  ASSERT_TRUE(RegWriteString(*system, kHklm, version_key, "Desktop", "E:\\Version\\").ok());
  EXPECT_EQ(GetShellFolder(*system, "Desktop"), "E:\\Version\\");
  ASSERT_TRUE(RegWriteString(*system, kHklm, setup_key, "Desktop", "E:\\Setup").ok());
  EXPECT_EQ(GetShellFolder(*system, "Desktop"), "E:\\Setup");
}

TEST(ShellFolderTest, SystemRootAndSemicolonLists) {
  testing::TestSystem system(202, "C:\\WINNT");
  ASSERT_TRUE(RegWriteString(*system, kHkcu, kShellFolders, "Fonts", "%SystemRoot%\\Fonts").ok());
  EXPECT_EQ(GetShellFolder(*system, "Fonts"), "C:\\WINNT\\Fonts");
  ASSERT_TRUE(RegWriteString(*system, kHkcu, kShellFolders, "Recent", "C:\\A;C:\\B").ok());
  EXPECT_EQ(GetShellFolder(*system, "Recent"), "C:\\A");
  ASSERT_TRUE(RegWriteString(*system, kHkcu, kShellFolders, "Cache", "%systemroot%\\x").ok());
  EXPECT_EQ(GetShellFolder(*system, "Cache"), "%systemroot%\\x");
}

TEST(ShellFolderTest, FallbackUsesTheLoginUser) {
  testing::TestSystem system(202, "C:\\WINDOWS", "hanako");
  ASSERT_TRUE(RegWriteString(*system, kHklm, kProfileList, "ProfilesDirectory", "C:\\Users").ok());
  EXPECT_EQ(GetShellFolder(*system, "SendTo"), "C:\\Users\\hanako\\SendTo");
}

class BookmarkFileTest : public ::testing::Test {
 protected:
  static constexpr const char* kNavigator = "Software\\Netscape\\Netscape Navigator\\";
  testing::TestSystem system_{202, "C:\\WINDOWS"};
};

TEST_F(BookmarkFileTest, ProfileFolderReplacesDots) {
  ASSERT_TRUE(
      RegWriteString(*system_, kHkcu, std::string(kNavigator) + "biff", "CurrentUser", "j.smith").ok());
  ASSERT_TRUE(RegWriteString(*system_, kHkcu, std::string(kNavigator) + "Main", "Install Directory",
                             "C:\\Program Files\\Netscape\\Program")
                  .ok());
  const std::string expected = "C:\\Program Files\\Netscape\\Users\\j_smith\\bookmark.htm";
  EXPECT_EQ(GetBrowserBookmarkFile(*system_, false), expected);
  EXPECT_EQ(GetBrowserBookmarkFile(*system_, true), "");
  ASSERT_TRUE(system_->files().CreateFolderTree("C:\\Program Files\\Netscape\\Users\\j_smith").ok());
  ASSERT_TRUE(system_->files().WriteFile(expected, "<html>").ok());
  EXPECT_EQ(GetBrowserBookmarkFile(*system_, true), expected);
}

TEST_F(BookmarkFileTest, MachineVersionKeyThenUsersKeyThenBookmarkList) {
  ASSERT_TRUE(RegWriteString(*system_, kHkcu, std::string(kNavigator) + "biff", "CurrentUser", "me").ok());
  ASSERT_TRUE(
      RegWriteString(*system_, kHklm, "SOFTWARE\\Netscape\\Netscape Navigator", "CurrentVersion", "4.7")
          .ok());
  ASSERT_TRUE(RegWriteString(*system_, kHklm, std::string(kNavigator) + "4.7\\Main", "Install Directory",
                             "D:\\NS\\Program")
                  .ok());
  EXPECT_EQ(GetBrowserBookmarkFile(*system_, false), "D:\\NS\\Users\\me\\bookmark.htm");

  ASSERT_TRUE(RegDeleteValue(*system_, kHkcu, std::string(kNavigator) + "biff", "CurrentUser").ok());
  ASSERT_TRUE(RegWriteString(*system_, kHklm, std::string(kNavigator) + "Users", "CurrentUser", "u").ok());
  ASSERT_TRUE(
      RegWriteString(*system_, kHklm, std::string(kNavigator) + "Users\\u", "DirRoot", "D:\\Prof\\u").ok());
  EXPECT_EQ(GetBrowserBookmarkFile(*system_, false), "D:\\Prof\\u\\bookmark.htm");

  ASSERT_TRUE(RegDeleteValue(*system_, kHklm, std::string(kNavigator) + "Users", "CurrentUser").ok());
  EXPECT_EQ(GetBrowserBookmarkFile(*system_, false), "");
  ASSERT_TRUE(RegWriteString(*system_, kHkcu, std::string(kNavigator) + "Bookmark List", "File Location",
                             "D:\\bm.htm")
                  .ok());
  EXPECT_EQ(GetBrowserBookmarkFile(*system_, false), "D:\\bm.htm");
}

}  // namespace
}  // namespace setup
