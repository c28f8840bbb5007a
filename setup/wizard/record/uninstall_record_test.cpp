#include "setup/wizard/record/uninstall_record.h"

#include "setup/wizard/engine/install_engine.h"
#include "setup/wizard/engine/install_test_fixture.h"
#include "setup/wizard/record/record_keys.h"

namespace setup::wizard {
namespace {

using platform::target::kFileReadOnly;
using platform::target::RegistryRoot;

class UninstallerCopyTest : public testing::InstallFixture {
 protected:
  void WriteProgram(const std::string& text) {
    ASSERT_TRUE(platform::WriteFileAtomically(run_.program_host_path, text).ok());
  }
  std::int32_t RecordedVersion() {
    return RegNumber(RegistryRoot::kLocalMachine, kUninstallRecordRoot, kUninstallerName);
  }
  const std::string path_ = "C:\\WINDOWS\\kestro.exe";
};

TEST_F(UninstallerCopyTest, CopiedWhenMissingOrOlderThan110Only) {
  EXPECT_EQ(EnsureUninstaller(run_), path_);
  EXPECT_EQ(Get(path_), "setup program");
  EXPECT_EQ(Attributes(path_) & kFileReadOnly, kFileReadOnly);
  EXPECT_EQ(RecordedVersion(), 110);

  // Version 110 present: the copy stays as it is.
  WriteProgram("newer program");
  EXPECT_EQ(EnsureUninstaller(run_), path_);
  EXPECT_EQ(Get(path_), "setup program");

  // Below 110 the read-only copy is replaced.
  ASSERT_TRUE(
      RegWriteInteger(sys(), RegistryRoot::kLocalMachine, kUninstallRecordRoot, kUninstallerName, 109).ok());
  EXPECT_EQ(EnsureUninstaller(run_), path_);
  EXPECT_EQ(Get(path_), "newer program");
  EXPECT_EQ(Attributes(path_) & kFileReadOnly, kFileReadOnly);
  EXPECT_EQ(RecordedVersion(), 110);

  // A deleted copy is made again although 110 is recorded.
  ASSERT_TRUE(sys().files().SetAttributes(path_, 0).ok());
  ASSERT_TRUE(sys().files().DeleteFile(path_).ok());
  WriteProgram("third program");
  EnsureUninstaller(run_);
  EXPECT_EQ(Get(path_), "third program");
}

TEST_F(UninstallerCopyTest, AFailedCopyRecordsNoVersionButStillGivesThePath) {
  run_.program_host_path = system_.dir() / "no-such-program";
  EXPECT_EQ(EnsureUninstaller(run_), path_);
  EXPECT_FALSE(sys().files().Exists(path_));
  EXPECT_EQ(RecordedVersion(), -999);
  ASSERT_EQ(log_.LinesOf("UNINSTALLER").size(), 1u);
}

TEST_F(UninstallerCopyTest, UninstallCommandQuotesTheKeyNameOnly) {
  EXPECT_EQ(UninstallCommand("C:\\WINDOWS\\kestro.exe", "ABC"), "C:\\WINDOWS\\kestro.exe /u \"ABC\"");
  EXPECT_EQ(UninstallCommand("C:\\WIN NT\\kestro.exe", "Maker App"),
            "C:\\WIN NT\\kestro.exe /u \"Maker App\"");
}

class FinishActionsTest : public testing::InstallFixture {};

TEST_F(FinishActionsTest, RestartThroughTheUninstallerAndChosenRunItems) {
  Put("C:\\Program Files\\Maker\\App.exe", "MZ");
  const SetupScript script = WriteScript(
      "[Run]\nCaption1=起動\nCommand1=<Setup>\\App.exe /first\n"
      "Caption2=読む\nCommand2=\"<Windows>\\notepad.exe\" <Setup>\\readme.txt\n"
      "Caption3=三\nCommand3=<Setup>\\three.exe\n");
  InstallChoices choices;
  choices.install_folder_text = "C:\\Program Files\\Maker";
  choices.restart_visible = true;
  choices.restart_checked = true;
  choices.run_visible = {true, true, true};
  choices.run_checked = {true, true, false};
  RunFinishActions(run_, script, choices);
  EXPECT_EQ(launcher_.started, (std::vector<std::string>{
                                   "C:\\WINDOWS\\kestro.exe|/r",
                                   "C:\\Program Files\\Maker\\App.exe|/first",
                                   "C:\\WINDOWS\\notepad.exe| C:\\Program Files\\Maker\\readme.txt",
                               }));
  // The restart needs the uninstaller copy.
  EXPECT_TRUE(sys().files().Exists("C:\\WINDOWS\\kestro.exe"));

  launcher_.started.clear();
  choices.restart_visible = false;
  choices.run_checked = {false, false, false};
  RunFinishActions(run_, script, choices);
  EXPECT_TRUE(launcher_.started.empty());
}

}  // namespace
}  // namespace setup::wizard
