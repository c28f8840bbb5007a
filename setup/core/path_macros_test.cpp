#include "setup/core/path_macros.h"

#include <gtest/gtest.h>

#include "setup/core/registry_utils.h"
#include "setup/core/test_system.h"

namespace setup {
namespace {

class PathMacrosTest : public ::testing::Test {
 protected:
  PathMacrosTest() {
    EXPECT_TRUE(RegWriteString(*system_, RegistryRoot::kLocalMachine,
                               "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList",
                               "ProfilesDirectory", "%SystemDrive%\\Documents and Settings")
                    .ok());
  }
  std::string Path(std::string_view path, std::string_view install = "C:\\Maker") {
    return ExpandPathMacro(*system_, path, install);
  }
  std::string Text(std::string_view text, std::string_view install = "C:\\Maker") {
    return ExpandMacrosInText(*system_, text, install);
  }
  std::string Shortcut(std::string_view path, bool all_users = false) {
    return ExpandShortcutMacro(*system_, path, "メーカー", all_users);
  }

  testing::TestSystem system_{202, "C:\\WINNT"};
};

TEST_F(PathMacrosTest, FolderMacrosAtTheStart) {
  EXPECT_EQ(Path("<Setup>\\App.exe"), "C:\\Maker\\App.exe");
  EXPECT_EQ(Path("<Setup>App.exe"), "C:\\Maker\\App.exe");
  EXPECT_EQ(Path("<Program>\\Maker"), "C:\\Program Files\\Maker");
  EXPECT_EQ(Path("<Common>\\x.dll"), "C:\\Program Files\\Common Files\\x.dll");
  EXPECT_EQ(Path("<Windows>\\win.ini"), "C:\\WINNT\\win.ini");
  EXPECT_EQ(Path("<System>\\a.dll"), "C:\\WINNT\\SYSTEM32\\a.dll");
  EXPECT_EQ(Path("<Media>\\a.wav"), "C:\\WINNT\\media\\a.wav");
  EXPECT_EQ(Path("<Font>\\a.ttf"), "C:\\WINNT\\Fonts\\a.ttf");
  EXPECT_EQ(Path("<Config>"), "C:\\WINNT\\config");
  EXPECT_EQ(Path("<Device>\\a.inf"), "C:\\WINNT\\inf\\a.inf");
  EXPECT_EQ(Path("<Document>\\d.txt"), "C:\\Documents and Settings\\taro\\My Documents\\d.txt");
  EXPECT_EQ(Path("<Boot>\\boot.ini"), "C:\\boot.ini");
}

TEST_F(PathMacrosTest, OtherPathsStayAsTheyAre) {
  EXPECT_EQ(Path("<setup>\\App.exe"), "<setup>\\App.exe");
  EXPECT_EQ(Path("C:\\x\\<Setup>"), "C:\\x\\<Setup>");
  EXPECT_EQ(Path("<Unknown>\\x"), "<Unknown>\\x");
  EXPECT_EQ(Path(""), "");
  EXPECT_EQ(Path("<Setup>", ""), "\\");
  EXPECT_EQ(Path("<Setup>\\a", ""), "\\a");
  EXPECT_EQ(Path("<Setup>"), "C:\\Maker");
}

TEST_F(PathMacrosTest, TextMacrosAnywhereWithSeparators) {
  EXPECT_EQ(Text("<Windows>notepad.exe <Unknown>"), "C:\\WINNT\\notepad.exe <Unknown>");
  EXPECT_EQ(Text("\"<Setup>\\App.exe\" /s"), "\"C:\\Maker\\App.exe\" /s");
  EXPECT_EQ(Text("<Setup>App.exe"), "C:\\Maker\\App.exe");
  EXPECT_EQ(Text("\"<Setup>\""), "\"C:\\Maker\"");
  EXPECT_EQ(Text("<Setup>\tx"), "C:\\Maker\tx");
  EXPECT_EQ(Text("<Unknown>x"), "<Unknown>\\x");
  EXPECT_EQ(Text("a<b"), "a<b");
  EXPECT_EQ(Text("x > y"), "x > y");
  EXPECT_EQ(Text("<System>a.exe <Windows>b.txt"), "C:\\WINNT\\SYSTEM32\\a.exe C:\\WINNT\\b.txt");
  EXPECT_EQ(Text("<setup>a"), "<setup>\\a");
  EXPECT_EQ(Text("ソフト <Setup>"), "ソフト C:\\Maker");
}

TEST_F(PathMacrosTest, ShortcutMacrosForTheUserAndForAllUsers) {
  const std::string profiles = "C:\\Documents and Settings\\";
  EXPECT_EQ(Shortcut("<SSetup>\\App.lnk"),
            profiles + "taro\\スタート メニュー\\プログラム\\メーカー\\App.lnk");
  EXPECT_EQ(Shortcut("<SSetup>\\App.lnk", true),
            profiles + "All Users\\スタート メニュー\\プログラム\\メーカー\\App.lnk");
  EXPECT_EQ(Shortcut("<SProgram>\\App.lnk"), profiles + "taro\\スタート メニュー\\プログラム\\App.lnk");
  EXPECT_EQ(Shortcut("<Start>\\App.lnk"), profiles + "taro\\スタート メニュー\\App.lnk");
  EXPECT_EQ(Shortcut("<Startup>\\App.lnk", true),
            profiles + "All Users\\スタート メニュー\\プログラム\\スタートアップ\\App.lnk");
  EXPECT_EQ(Shortcut("<Desktop>App.lnk", true), profiles + "All Users\\デスクトップ\\App.lnk");
  EXPECT_EQ(Shortcut("<Sendto>\\App.lnk", true), profiles + "taro\\SendTo\\App.lnk");
  EXPECT_EQ(Shortcut("<Quick>\\App.lnk", true),
            profiles + "taro\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch\\App.lnk");
  EXPECT_EQ(Shortcut("<Program>\\App.lnk"), "<Program>\\App.lnk");
  EXPECT_EQ(Shortcut("<desktop>\\App.lnk"), "<desktop>\\App.lnk");
}

TEST_F(PathMacrosTest, AllUsersFoldersIgnoreTheRegistry) {
  ASSERT_TRUE(RegWriteString(*system_, RegistryRoot::kCurrentUser,
                             "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                             "Desktop", "C:\\Elsewhere\\Desk")
                  .ok());
  EXPECT_EQ(Shortcut("<Desktop>\\a.lnk"), "C:\\Elsewhere\\Desk\\a.lnk");
  EXPECT_EQ(Shortcut("<Desktop>\\a.lnk", true), "C:\\Documents and Settings\\All Users\\デスクトップ\\a.lnk");
}

}  // namespace
}  // namespace setup
