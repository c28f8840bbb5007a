#include "setup/app/window/browse_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "platform/ui/test_application.h"
#include "setup/app/window/folder_browser.h"
#include "setup/core/test_system.h"

namespace setup::window {
namespace {

using platform::ui::testing::Find;
using platform::ui::testing::TestApplication;

// Opens the session as the window does and then chooses an item, or
// cancels when there is none.
class ScriptedPicker : public FolderPicker {
 public:
  std::optional<BrowseItem> choice;
  std::vector<BrowseItem> selections;  // selection changes before the choice
  std::string preselection;
  std::string status_after_open;
  bool ok_after_open = false;
  std::vector<std::pair<std::string, bool>> after_selections;  // status, OK

  bool Run(BrowseSession& session, BrowseItem* chosen) override {
    preselection = session.preselection();
    session.Initialized(0);
    status_after_open = session.status_text();
    ok_after_open = session.ok_enabled();
    for (const BrowseItem& item : selections) {
      session.SelectionChanged(0, item);
      after_selections.emplace_back(session.status_text(), session.ok_enabled());
    }
    if (!choice) return false;
    *chosen = *choice;
    return true;
  }
};

class BrowseDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(system_->files().CreateFolderTree("C:\\Program Files\\Kestro\\Tools").ok());
  }
  setup::testing::TestSystem system_;
  TBrowseDialog dialog_{*system_};
};

TEST(BrowsePreselectionTest, OneTrailingBackslashGoesExceptFromADriveRoot) {
  EXPECT_EQ(PreselectionOf("C:\\Program Files\\"), "C:\\Program Files");
  EXPECT_EQ(PreselectionOf("C:\\Program Files"), "C:\\Program Files");
  EXPECT_EQ(PreselectionOf("C:\\"), "C:\\");
  EXPECT_EQ(PreselectionOf("C:\\a\\\\"), "C:\\a\\");
  EXPECT_EQ(PreselectionOf("\\\\"), "\\\\");
  EXPECT_EQ(PreselectionOf(""), "");
  // Characters, not bytes: "予\" is two characters and keeps its backslash.
  EXPECT_EQ(PreselectionOf("予\\"), "予\\");
  EXPECT_EQ(PreselectionOf("C:\\予定\\"), "C:\\予定");
}

TEST(BrowseOptionsTest, ShellFlagsOfTheOptions) {
  EXPECT_EQ(ShellFlags({}), 0u);
  EXPECT_EQ(ShellFlags({biReturnOnlyFSDirs}), 0x0001u);
  EXPECT_EQ(ShellFlags({biStatusText, biDontGoBelowDomain}), 0x0006u);
  EXPECT_EQ(ShellFlags({biBrowseForComputer, biBrowseForPrinter, biDontGoBelowDomain, biReturnFSAncestors,
                        biReturnOnlyFSDirs, biStatusText}),
            0x300Fu);
}

TEST_F(BrowseDialogTest, NewDialogReturnsOnlyFileSystemFolders) {
  EXPECT_EQ(dialog_.Options, (TBrowseOptions{biReturnOnlyFSDirs}));
}

TEST_F(BrowseDialogTest, CancelLeavesDirectoryAsTheCallerSetIt) {
  dialog_.Directory = "C:\\Program Files\\";
  ScriptedPicker picker;
  EXPECT_FALSE(dialog_.Execute(picker));
  EXPECT_EQ(dialog_.Directory, "C:\\Program Files\\");
  EXPECT_EQ(picker.preselection, "C:\\Program Files");
}

TEST_F(BrowseDialogTest, ChosenFolderAndNonFileSystemItem) {
  ScriptedPicker picker;
  picker.choice = BrowseItem{"Kestro", "C:\\Program Files\\Kestro", true};
  ASSERT_TRUE(dialog_.Execute(picker));
  EXPECT_EQ(dialog_.Directory, "C:\\Program Files\\Kestro");
  EXPECT_EQ(dialog_.display_name(), "Kestro");

  dialog_.Options = {};
  picker.choice = BrowseItem{"マイ コンピュータ", "", false};
  ASSERT_TRUE(dialog_.Execute(picker));
  EXPECT_EQ(dialog_.Directory, "");
  EXPECT_EQ(dialog_.display_name(), "マイ コンピュータ");
}

TEST_F(BrowseDialogTest, HooksSetTheStatusTextAndTheOkButton) {
  std::vector<std::string> seen;
  dialog_.Directory = "C:\\Program Files\\";
  dialog_.OnInitialized = [&](TBrowseDialog& sender, std::intptr_t, const std::string& path,
                              std::string& text, TOKButtonState& ok) {
    EXPECT_EQ(&sender, &dialog_);
    seen.push_back("init " + path);
    text = "開始: " + path;
    ok = TOKButtonState::kDisable;
  };
  dialog_.OnSelectionChanged = [&](TBrowseDialog&, std::intptr_t, const std::string& path, std::string& text,
                                   TOKButtonState& ok) {
    seen.push_back("sel " + path);
    if (path == "C:\\") ok = TOKButtonState::kDisable;
    if (path.empty()) {
      text = "";
      ok = TOKButtonState::kEnable;
    }
  };
  ScriptedPicker picker;
  picker.selections = {{"Kestro", "C:\\Program Files\\Kestro", true},
                       {"ローカル ディスク (C:)", "C:\\", true},
                       {"マイ コンピュータ", "", false}};
  EXPECT_FALSE(dialog_.Execute(picker));
  // Selecting the pre-selection is a selection change, reported from inside
  // the opening before the opening's own hook.
  EXPECT_EQ(seen, (std::vector<std::string>{"sel C:\\Program Files", "init C:\\Program Files",
                                            "sel C:\\Program Files\\Kestro", "sel C:\\", "sel "}));
  EXPECT_EQ(picker.status_after_open, "開始: C:\\Program Files");
  EXPECT_FALSE(picker.ok_after_open);
  // A hook that leaves the text empty clears the status line; the OK button
  // follows the item unless the hook says otherwise.
  EXPECT_EQ(picker.after_selections[0], (std::pair<std::string, bool>{"", true}));
  EXPECT_EQ(picker.after_selections[1], (std::pair<std::string, bool>{"", false}));
  EXPECT_EQ(picker.after_selections[2], (std::pair<std::string, bool>{"", true}));
}

TEST_F(BrowseDialogTest, WithoutHooksOkFollowsTheReturnOnlyFileSystemRule) {
  ScriptedPicker picker;
  picker.selections = {{"マイ コンピュータ", "", false}, {"x", "C:\\Program Files", true}};
  EXPECT_FALSE(dialog_.Execute(picker));
  EXPECT_FALSE(picker.ok_after_open);  // nothing pre-selected: the computer
  EXPECT_FALSE(picker.after_selections[0].second);
  EXPECT_TRUE(picker.after_selections[1].second);
}

TEST_F(BrowseDialogTest, TreeListsDrivesThenFoldersAndHonoursRoot) {
  BrowseSession whole(dialog_);
  EXPECT_FALSE(whole.root().file_system);
  const auto drives = whole.Children(whole.root());
  ASSERT_FALSE(drives.empty());
  EXPECT_EQ(drives[0].path, "C:\\");
  EXPECT_EQ(drives[0].display_name, "ローカル ディスク (C:)");
  bool has_program_files = false;
  for (const BrowseItem& item : whole.Children(drives[0])) {
    EXPECT_TRUE(item.file_system);
    has_program_files |= item.path == "C:\\Program Files";
  }
  EXPECT_TRUE(has_program_files);

  dialog_.Root = "C:\\PROGRAM FILES\\kestro";
  BrowseSession rooted(dialog_);
  EXPECT_EQ(rooted.root().path, "C:\\Program Files\\Kestro");
  BrowseItem item;
  EXPECT_TRUE(rooted.ItemFor("c:\\program files\\kestro\\tools", &item));
  EXPECT_EQ(item.path, "C:\\Program Files\\Kestro\\Tools");
  EXPECT_FALSE(rooted.ItemFor("C:\\Program Files", &item));  // above the root

  dialog_.Root = "C:\\No Such Folder";
  EXPECT_FALSE(BrowseSession(dialog_).root().file_system);  // back to the computer
}

TEST_F(BrowseDialogTest, WindowPreselectsTheFolderOrNothing) {
  TestApplication();
  dialog_.Directory = "c:\\program files\\kestro\\";
  dialog_.Caption = "インストール先";
  dialog_.Options = {biReturnOnlyFSDirs, biStatusText};
  std::string last_path;
  dialog_.OnSelectionChanged = [&](TBrowseDialog&, std::intptr_t, const std::string& path, std::string& text,
                                   TOKButtonState&) {
    last_path = path;
    text = path;
  };
  {
    BrowseSession session(dialog_);
    FolderBrowser browser(session, nullptr);
    EXPECT_EQ(browser.CurrentItem().path, "C:\\Program Files\\Kestro");
    EXPECT_EQ(Find<QLabel>(&browser, "caption")->text(), "インストール先");
    EXPECT_TRUE(Find<QPushButton>(&browser, "ok")->isEnabled());
    auto* tree = Find<QTreeWidget>(&browser, "tree");
    tree->setCurrentItem(tree->topLevelItem(0));
    EXPECT_EQ(last_path, "");
    EXPECT_FALSE(Find<QPushButton>(&browser, "ok")->isEnabled());
    ASSERT_TRUE(browser.SelectPath("C:\\Program Files\\Kestro\\Tools"));
    EXPECT_EQ(last_path, "C:\\Program Files\\Kestro\\Tools");
    EXPECT_EQ(Find<QLabel>(&browser, "status")->text().toStdString(), last_path);
  }
  dialog_.Directory = "C:\\Missing\\";
  BrowseSession session(dialog_);
  FolderBrowser browser(session, nullptr);
  EXPECT_FALSE(browser.CurrentItem().file_system);
  dialog_.Directory = "C:\\";
  BrowseSession at_root(dialog_);
  FolderBrowser root_browser(at_root, nullptr);
  EXPECT_EQ(root_browser.CurrentItem().path, "C:\\");
}

TEST_F(BrowseDialogTest, ThePackageDriveOfTheRunIsNotOffered) {
  const std::filesystem::path package = system_.dir() / "package";
  std::filesystem::create_directories(package / "App");
  ASSERT_TRUE(system_->AddRunOnlyDrive({'D', package, platform::target::DriveType::kFixed}).ok());
  BrowseSession session(dialog_);
  for (const BrowseItem& drive : session.Children(session.root())) EXPECT_NE(drive.path, "D:\\");
  BrowseItem item;
  EXPECT_FALSE(session.ItemFor("D:\\App", &item));
  EXPECT_TRUE(session.ItemFor("C:\\Program Files", &item));
}

}  // namespace
}  // namespace setup::window
