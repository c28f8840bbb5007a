#include "setup/app/mode_checks.h"

#include <gtest/gtest.h>

#include "platform/atomic_file.h"
#include "platform/cp932.h"
#include "setup/app/test_prompter.h"
#include "setup/core/registry_utils.h"
#include "setup/core/test_system.h"

namespace setup::app {
namespace {

using platform::target::RegistryRoot;
using testing::ScriptedPrompter;
using wizard::Answer;
constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;
constexpr const char* kEntry = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Old";

class RecordingLauncher : public wizard::ProgramLauncher {
 public:
  bool Start(std::string_view, std::string_view) override { return false; }
  bool RunAndWait(std::string_view, wizard::EngineProgress&) override { return false; }
  void RestartWindows() override { ++restarts; }
  int restarts = 0;
};

class ModeChecksTest : public ::testing::Test {
 protected:
  SetupScript WriteScript(const std::string& text) {
    const auto file = system_.dir() / "Setup.dat";
    EXPECT_TRUE(platform::WriteFileAtomically(file, platform::Utf8ToCp932(text)));
    return SetupScript(file);
  }
  setup::testing::TestSystem system_;
};

TEST_F(ModeChecksTest, SetupScriptMustExistAndNameTheExactFormat) {
  ScriptedPrompter prompter;
  EXPECT_FALSE(CheckSetupScript(SetupScript(system_.dir() / "none.dat"), "D:\\Setup.dat", prompter));
  EXPECT_FALSE(CheckSetupScript(WriteScript("[Define]\r\nApplication=kestro Setup 1.01\r\n"),
                                "D:\\Setup.dat", prompter));
  EXPECT_TRUE(CheckSetupScript(WriteScript("[Define]\r\nApplication=kestro Setup 1.00\r\n"),
                               "D:\\Setup.dat", prompter));
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[0].text, "ファイルが見つかりません。\nD:\\Setup.dat");
  EXPECT_EQ(prompter.shown[0].icon, wizard::MessageIcon::kError);
  EXPECT_EQ(prompter.shown[1].text, "ファイル内容かバージョンが異なります。\nD:\\Setup.dat");
}

TEST_F(ModeChecksTest, CleanUpComparesOnlyTheFirstTwelveCharactersAndRefusesAMissingScript) {
  ScriptedPrompter prompter;
  EXPECT_TRUE(CheckCleanUpScript(WriteScript("[Define]\r\nApplication=kestro Setup 9\r\n"), "x", prompter));
  EXPECT_FALSE(CheckCleanUpScript(SetupScript(system_.dir() / "none.dat"), "C:\\pkg\\Setup.dat", prompter));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "ファイル内容が異なります。\nC:\\pkg\\Setup.dat");
}

TEST_F(ModeChecksTest, UninstallFindsTheRecordOrOffersToRemoveAStaleEntry) {
  ScriptedPrompter quiet;
  EXPECT_EQ(CheckUninstallTarget(*system_, "Old", quiet), UninstallTarget::kNothingRecorded);
  ASSERT_EQ(quiet.shown.size(), 1u);
  EXPECT_EQ(quiet.shown[0].text, "アンインストール情報が見つかりません。\nOld");

  ASSERT_TRUE(RegWriteString(*system_, kMachine, std::string(kEntry) + "\\Sub", "x", "y"));
  ScriptedPrompter no;  // the default is No
  EXPECT_EQ(CheckUninstallTarget(*system_, "Old", no), UninstallTarget::kStaleEntryKept);
  ASSERT_EQ(no.shown.size(), 1u);
  EXPECT_EQ(no.shown[0].text,
            "アンインストール情報が見つかりません。\nOld\n\n"
            "[コントロールパネル]アプリケーションの追加と削除の一覧から削除しますか？");
  EXPECT_EQ(no.shown[0].default_answer, Answer::kNo);
  EXPECT_TRUE(RegKeyExists(*system_, kMachine, kEntry));

  ASSERT_TRUE(RegWriteString(*system_, kMachine, kEntry, "DisplayName", "古い製品"));
  ScriptedPrompter yes({Answer::kYes});
  EXPECT_EQ(CheckUninstallTarget(*system_, "Old", yes), UninstallTarget::kStaleEntryRemoved);
  EXPECT_NE(yes.shown[0].text.find("\n古い製品\n"), std::string::npos);
  EXPECT_FALSE(RegKeyExists(*system_, kMachine, kEntry));

  ASSERT_TRUE(RegWriteString(*system_, kMachine, "Software\\Tallowmere\\kestroSetup\\Uninstall\\Old", "Name", "n"));
  ScriptedPrompter recorded;
  EXPECT_EQ(CheckUninstallTarget(*system_, "Old", recorded), UninstallTarget::kRecorded);
  EXPECT_TRUE(recorded.shown.empty());
}

TEST_F(ModeChecksTest, RestartOnlyOnYesAndTheVersionBoxText) {
  RecordingLauncher launcher;
  ScriptedPrompter no({Answer::kNo});
  AskForRestart(no, launcher);
  EXPECT_EQ(launcher.restarts, 0);
  ScriptedPrompter by_default;
  AskForRestart(by_default, launcher);
  EXPECT_EQ(launcher.restarts, 1);
  EXPECT_EQ(by_default.shown[0].icon, wizard::MessageIcon::kQuestion);

  const wizard::Message box = VersionBoxMessage();
  EXPECT_EQ(box.caption, "バージョン情報");
  EXPECT_EQ(box.text,
            "kestro Setup for Windows\n                                Ver1.10\n"
            "------------------------------------\n"
            "このファイルはアンインストール時に使用します。　　　　\n削除しないでください。\n");
}

}  // namespace
}  // namespace setup::app
