#include "setup/app/window/target_file_session.h"

#include <gtest/gtest.h>

#include <fstream>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "platform/ui/test_application.h"
#include "setup/app/window/target_file_dialog.h"
#include "setup/core/test_system.h"

namespace setup::window {
namespace {

using platform::ui::testing::Find;

constexpr const char* kFilter =
    "ブックマーク(bookmark.htm)|bookmark.htm|HTMLファイル(*.htm;*.html)|*.htm;*.html|すべてのファイル(*.*)|*."
    "*";

class TargetFileSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* file : {"C:\\Netscape\\Users\\taro\\bookmark.htm", "C:\\Netscape\\Users\\taro\\old.HTML",
                             "C:\\Netscape\\Users\\taro\\notes.txt"}) {
      const std::string path = file;
      ASSERT_TRUE(system_->files().CreateFolderTree(path.substr(0, path.rfind('\\'))).ok());
      ASSERT_TRUE(system_->files().WriteFile(path, "x").ok());
    }
    ASSERT_TRUE(system_->files().CreateFolderTree("C:\\Netscape\\Users\\taro\\archive").ok());
  }
  TargetFileSession Session(const std::string& start) {
    return TargetFileSession(*system_, {"ブックマーク", kFilter, "htm", start});
  }
  static std::vector<std::string> Names(const TargetFileSession& session) {
    std::vector<std::string> names;
    for (const auto& entry : session.Entries()) names.push_back((entry.is_folder ? "+" : "") + entry.name);
    return names;
  }

  setup::testing::TestSystem system_;
};

TEST_F(TargetFileSessionTest, StartsAtTheFileAndListsWhatTheTypeSelects) {
  TargetFileSession session = Session("c:\\netscape\\users\\taro\\bookmark.htm");
  EXPECT_EQ(session.folder(), "C:\\Netscape\\Users\\taro");
  EXPECT_EQ(session.initial_name(), "bookmark.htm");
  EXPECT_EQ(Names(session), (std::vector<std::string>{"+archive", "bookmark.htm"}));
  session.SelectFilter(1);
  EXPECT_EQ(Names(session), (std::vector<std::string>{"+archive", "bookmark.htm", "old.HTML"}));
  session.SelectFilter(2);
  EXPECT_EQ(Names(session).size(), 4u);
  session.SelectFilter(9);  // no such type: unchanged
  EXPECT_EQ(session.filter_index(), 2u);

  // A start that names nothing opens the first drive.
  EXPECT_EQ(Session("").folder(), "C:\\");
  EXPECT_EQ(Session("/home/taro/bookmark.htm").folder(), "C:\\");
}

TEST_F(TargetFileSessionTest, TypedNamesBecomeExistingFilesOnTheSystemOnly) {
  TargetFileSession session = Session("C:\\Netscape\\Users\\taro\\");
  EXPECT_EQ(session.ResolveFile("bookmark"), "C:\\Netscape\\Users\\taro\\bookmark.htm");  // default extension
  EXPECT_EQ(session.ResolveFile("C:\\Netscape\\Users\\taro\\notes.txt"),
            "C:\\Netscape\\Users\\taro\\notes.txt");
  EXPECT_EQ(session.ResolveFile("missing.htm"), std::nullopt);
  EXPECT_EQ(session.ResolveFile("archive"), std::nullopt);  // a folder
  EXPECT_EQ(session.ResolveFolder("archive"), "C:\\Netscape\\Users\\taro\\archive");
  // Host paths and the way up out of a drive lead nowhere.
  EXPECT_EQ(session.ResolveFile("/etc/passwd"), std::nullopt);
  EXPECT_EQ(session.ResolveFile("..\\..\\..\\..\\..\\etc\\passwd"), std::nullopt);
  EXPECT_FALSE(session.OpenFolder("/home"));
  ASSERT_TRUE(session.OpenFolder("C:\\"));
  EXPECT_FALSE(session.OpenParent());
}

TEST_F(TargetFileSessionTest, ThePackageDriveOfTheRunIsNotOffered) {
  const std::filesystem::path package = system_.dir() / "package";
  std::filesystem::create_directories(package);
  ASSERT_TRUE(system_->AddRunOnlyDrive({'D', package, platform::target::DriveType::kFixed}).ok());
  std::filesystem::path host;
  ASSERT_TRUE(system_->drives().ToHostPath("D:\\bookmark.htm", &host).ok());
  // The drive is read-only to the installer: the file is put there on the host.
  std::ofstream(host, std::ios::binary) << "x";
  ASSERT_TRUE(system_->files().Exists("D:\\bookmark.htm"));
  TargetFileSession session = Session("D:\\bookmark.htm");
  EXPECT_EQ(session.drives(), std::vector<std::string>{"C:\\"});
  EXPECT_EQ(session.folder(), "C:\\");
  EXPECT_EQ(session.ResolveFile("D:\\bookmark.htm"), std::nullopt);
}

TEST_F(TargetFileSessionTest, DialogShowsWindowsPathsAndOpensFoldersThenFiles) {
  platform::ui::testing::TestApplication();
  TargetFileSession session = Session("C:\\Netscape\\Users\\");
  TargetFileDialog dialog(session, nullptr);
  EXPECT_EQ(dialog.windowTitle(), "ブックマーク");
  EXPECT_EQ(Find<QLabel>(&dialog, "folder")->text(), "C:\\Netscape\\Users");
  Find<QLineEdit>(&dialog, "name")->setText("taro");
  dialog.OpenTyped();  // a folder: opened
  EXPECT_EQ(Find<QLabel>(&dialog, "folder")->text(), "C:\\Netscape\\Users\\taro");
  EXPECT_EQ(Find<QListWidget>(&dialog, "entries")->count(), 2);
  Find<QLineEdit>(&dialog, "name")->setText("nothing.htm");
  dialog.OpenTyped();
  EXPECT_TRUE(Find<QLabel>(&dialog, "status")->text().contains("ファイルが見つかりません。"));
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  Find<QLineEdit>(&dialog, "name")->setText("bookmark");
  dialog.OpenTyped();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.chosen(), "C:\\Netscape\\Users\\taro\\bookmark.htm");
}

}  // namespace
}  // namespace setup::window
