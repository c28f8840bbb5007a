#include "setup/app/mode_checks.h"

#include <gtest/gtest.h>

#include "platform/atomic_file.h"
#include "platform/cp932.h"
#include "setup/core/registry_utils.h"
#include "setup/core/test_system.h"
#include "setup/wizard/test_fakes.h"

namespace setup::app {
namespace {

using platform::target::RegistryRoot;
using wizard::Answer;
using wizard::testing::RecordingLauncher;
using wizard::testing::ScriptedPrompter;
constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;
constexpr const char* kEntry = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Old";

class ModeChecksTest : public ::testing::Test {
 protected:
  SetupScript WriteScript(const std::string& text) {
    const auto file = system_.dir() / "Setup.dat";
    EXPECT_TRUE(platform::WriteFileAtomically(file, platform::Utf8ToCp932(text)).ok());
    return SetupScript(file);
  }
  setup::testing::TestSystem system_;
};

TEST_F(ModeChecksTest, CleanUpComparesOnlyTheFirstTwelveCharactersAndRefusesAMissingScript) {
  ScriptedPrompter prompter;
  EXPECT_TRUE(CheckCleanUpScript(WriteScript("[Define]\r\nApplication=kestro Setup 9\r\n"), "x", prompter));
  EXPECT_FALSE(CheckCleanUpScript(SetupScript(system_.dir() / "none.dat"), "C:\\pkg\\Setup.dat", prompter));
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text, "ファイル内容が異なります。\nC:\\pkg\\Setup.dat");
}

TEST_F(ModeChecksTest, UninstallFindsTheRecordOrOffersToRemoveAStaleEntry) {
  ScriptedPrompter quiet;
  EXPECT_EQ(CheckUninstallTarget(*system_, "Old", quiet), UninstallTarget::kNothingRecorded);
  ASSERT_EQ(quiet.asked.size(), 1u);
  EXPECT_EQ(quiet.asked[0].text, "アンインストール情報が見つかりません。\nOld");

  ASSERT_TRUE(RegWriteString(*system_, kMachine, std::string(kEntry) + "\\Sub", "x", "y").ok());
  ScriptedPrompter kept;  // the default is No
  EXPECT_EQ(CheckUninstallTarget(*system_, "Old", kept), UninstallTarget::kStaleEntryKept);
  ASSERT_EQ(kept.asked.size(), 1u);
  EXPECT_EQ(kept.asked[0].text,
            "アンインストール情報が見つかりません。\nOld\n\n"
            "[コントロールパネル]アプリケーションの追加と削除の一覧から削除しますか？");
  EXPECT_EQ(kept.asked[0].default_answer, Answer::kNo);
  EXPECT_TRUE(RegKeyExists(*system_, kMachine, kEntry));

  ASSERT_TRUE(RegWriteString(*system_, kMachine, kEntry, "DisplayName", "古い製品").ok());
  ScriptedPrompter yes;
  yes.answers = {Answer::kYes};
  EXPECT_EQ(CheckUninstallTarget(*system_, "Old", yes), UninstallTarget::kStaleEntryRemoved);
  EXPECT_NE(yes.asked[0].text.find("\n古い製品\n"), std::string::npos);
  EXPECT_FALSE(RegKeyExists(*system_, kMachine, kEntry));

  ASSERT_TRUE(
      RegWriteString(*system_, kMachine, "Software\\Tallowmere\\kestroSetup\\Uninstall\\Old", "Name", "n")
          .ok());
  ScriptedPrompter recorded;
  EXPECT_EQ(CheckUninstallTarget(*system_, "Old", recorded), UninstallTarget::kRecorded);
  EXPECT_TRUE(recorded.asked.empty());
}

TEST_F(ModeChecksTest, RestartOnlyOnYesAndTheVersionBoxText) {
  RecordingLauncher launcher;
  ScriptedPrompter no;
  no.answers = {Answer::kNo};
  AskForRestart(no, launcher);
  EXPECT_EQ(launcher.restarts, 0);
  ScriptedPrompter by_default;
  AskForRestart(by_default, launcher);
  EXPECT_EQ(launcher.restarts, 1);
  EXPECT_EQ(by_default.asked[0].icon, wizard::MessageIcon::kQuestion);

  const wizard::Message box = VersionBoxMessage();
  EXPECT_EQ(box.caption, "バージョン情報");
  EXPECT_EQ(box.text,
            "kestro Setup for Windows\n                                Ver1.10\n"
            "------------------------------------\n"
            "このファイルはアンインストール時に使用します。　　　　\n削除しないでください。\n");
}

TEST(KeyNameTest, OneRegistryKeyNameOfAtMost255Characters) {
  EXPECT_TRUE(IsValidKeyName("HelloKestro"));
  EXPECT_TRUE(IsValidKeyName(std::string(255, 'k')));
  std::string japanese;
  for (int i = 0; i < 255; ++i) japanese += "あ";
  EXPECT_TRUE(IsValidKeyName(japanese)) << "characters, not bytes";
  EXPECT_FALSE(IsValidKeyName(japanese + "あ"));
  EXPECT_FALSE(IsValidKeyName(std::string(256, 'k')));
  EXPECT_FALSE(IsValidKeyName(""));
  EXPECT_FALSE(IsValidKeyName("Hello\\UnFile"));
  EXPECT_FALSE(IsValidKeyName("Hello\x1b[2J"));
}

}  // namespace
}  // namespace setup::app
