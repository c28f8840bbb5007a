// Every failure line of the action log says why: the install and uninstall
// steps pass the reason of a refused registry, INI or record change into
// the line instead of a bare "failed".

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "setup/core/ini_utils.h"
#include "setup/wizard/engine/clean_up.h"
#include "setup/wizard/engine/install_engine.h"
#include "setup/wizard/engine/install_run.h"
#include "setup/wizard/engine/install_test_fixture.h"
#include "setup/wizard/engine/refusing_system_for_test.h"
#include "setup/wizard/engine/uninstall_engine.h"
#include "setup/wizard/engine/uninstall_fixture_for_test.h"

namespace setup::wizard {
namespace {

using platform::target::kFileReadOnly;
using ::testing::ElementsAre;
using ::testing::EndsWith;

class FailureReasonTest : public testing::InstallFixture {
 protected:
  // C:\App\ro.ini with a [User] section, read-only.
  void PutReadOnlyIni() {
    Put("C:\\App\\ro.ini", "[User]\r\nName=taro\r\n");
    ASSERT_TRUE(sys().files().SetAttributes("C:\\App\\ro.ini", kFileReadOnly).ok());
  }
};

TEST_F(FailureReasonTest, InstallRegistryAndIniLinesNameTheirReason) {
  PutReadOnlyIni();
  const SetupScript script = WriteScript(
      "[Define]\nApplication=kestro Setup 1.00\nName=Maker App\n"
      "[Uninstall]\nKeyName=ABC\nUse=0\n[Install]\nSave=0\n"
      "[Registry]\nCount=2\nKey1=HKEY_NOWHERE\\Software\\Maker\nName1=A\nData1=1\n"
      "Key2=HKEY_CURRENT_USER\\Software\\Maker\nName2=B\nData2=2\n"
      "[IniFile]\nCount=2\nFile1=C:\\App\\ro.ini\nSection1=User\nKey1=Name\nValue1=jiro\n"
      "File2=C:\\App\\rw.ini\nSection2=User\nKey2=Name\nValue2=jiro\n");
  InstallChoices choices;
  choices.install_folder_text = "C:\\App";
  ASSERT_EQ(RunInstallEngine(run_, script, choices, ComputeInstallMaxima(run_, script, choices)),
            EngineResult::kCompleted);

  EXPECT_THAT(log_.LinesOf("REG"),
              ElementsAre("REG\t0\tHKEY_NOWHERE\\Software\\Maker\tA\t1\tfailed: Invalid argument: "
                          "no registry root in HKEY_NOWHERE\\Software\\Maker; entry ignored",
                          "REG\t0\tHKEY_CURRENT_USER\\Software\\Maker\tB\t2\tok"));
  const auto ini = log_.LinesOf("INI");
  ASSERT_EQ(ini.size(), 2u);
  EXPECT_THAT(ini[0],
              ::testing::StartsWith("INI\t0\tC:\\App\\ro.ini\tUser\tName\tjiro\tfailed: I/O error: "));
  EXPECT_THAT(ini[0], EndsWith("ro.ini is read-only"));
  EXPECT_EQ(ini[1], "INI\t0\tC:\\App\\rw.ini\tUser\tName\tjiro\tok");
}

TEST_F(FailureReasonTest, UninstallRegistryIniAndRecordLinesNameTheirReason) {
  PutReadOnlyIni();
  testing::RecordWriter record(sys(), "Mine");
  record.Registry(1, "HKEY_LOCAL_MACHINE\\Software", "", "");  // a protected key
  record.Registry(2, "HKEY_NOWHERE\\Software", "X", "");
  record.Ini(1, "C:\\App\\ro.ini", "User", "", "");

  testing::RunHarness h(sys());
  EXPECT_EQ(RunUninstallEngine(h.run, "Mine", false, ComputeUninstallMaxima(h.run, "Mine")),
            EngineResult::kCompleted);
  const auto reg = h.log.LinesOf("REG");
  ASSERT_EQ(reg.size(), 2u);
  EXPECT_THAT(reg[0],
              ::testing::StartsWith("REG\t1\tHKEY_LOCAL_MACHINE\\Software\t\t\tfailed: Access denied: "));
  EXPECT_THAT(reg[1], EndsWith("\tfailed: Invalid argument: no registry root in HKEY_NOWHERE\\Software; "
                               "entry ignored"));
  const auto ini = h.log.LinesOf("INI");
  ASSERT_EQ(ini.size(), 1u);
  EXPECT_THAT(ini[0], ::testing::StartsWith("INI\t1\tC:\\App\\ro.ini\tUser\t\t\tfailed: I/O error: "));
  EXPECT_THAT(ini[0], EndsWith("ro.ini is read-only"));
  EXPECT_EQ(IniReadString(sys(), "C:\\App\\ro.ini", "User", "Name", "-"), "taro");
}

TEST_F(FailureReasonTest, ShortcutAndUserInformationLinesNameTheirReason) {
  const std::string long_name(260, 'a');
  const SetupScript script = WriteScript(
      "[Define]\nApplication=kestro Setup 1.00\nName=Maker App\n"
      "[Uninstall]\nKeyName=ABC\nUse=0\n[Install]\nSave=0\n"
      "[Link]\nCount=1\nDesktop=1\nLink1=<Desktop>\\" +
      long_name +
      ".lnk\nFile1=<Setup>\\App.exe\n"
      "[UserInfomation]\nCount=2\nCaption1=氏名\nCaption2=会社名\n"
      "Write1=(Reg)HKEY_NOWHERE\\Software\\X/Owner/\nWrite2=(Xyz)C:\\App\\app.ini/User/Name\n");
  InstallChoices choices;
  choices.install_folder_text = "C:\\App";
  choices.desktop = true;
  choices.user_entries = {"taro", "Maker", ""};
  choices.user_entry_visible = {true, true, false};
  ASSERT_EQ(RunInstallEngine(run_, script, choices, ComputeInstallMaxima(run_, script, choices)),
            EngineResult::kCompleted);

  const auto shortcut = log_.LinesOf("SHORTCUT");
  ASSERT_EQ(shortcut.size(), 1u);
  EXPECT_THAT(shortcut[0],
              ::testing::HasSubstr("\tfailed: Invalid argument: the shortcut path is longer than "
                                   "259 characters: "));
  EXPECT_THAT(shortcut[0], EndsWith(long_name + ".lnk"));
  EXPECT_THAT(
      log_.LinesOf("USERINFO"),
      ElementsAre("USERINFO\t1\t(Reg)HKEY_NOWHERE\\Software\\X/Owner/\tfailed: Invalid argument: "
                  "no registry root in HKEY_NOWHERE\\Software\\X; entry ignored",
                  "USERINFO\t2\t(Xyz)C:\\App\\app.ini/User/Name\tnot stored: the place is neither (Reg) "
                  "nor (Ini)"));
}

// A program that is not started says why, whether the finish page or the
// uninstaller's own command asked for it.
TEST_F(FailureReasonTest, ProgramStartLinesNameTheirReason) {
  Put("C:\\App\\App.exe", "MZ");
  const SetupScript script = WriteScript("[Run]\nCaption1=起動\nCommand1=<Setup>\\App.exe /first\n");
  InstallChoices choices;
  choices.install_folder_text = "C:\\App";
  choices.restart_visible = true;
  choices.restart_checked = true;
  choices.run_visible = {true, false, false};
  choices.run_checked = {true, false, false};
  launcher_.start_result = platform::Status::AccessDenied("/norun");
  RunFinishActions(run_, script, choices);
  EXPECT_THAT(log_.LinesOf("RESTART"),
              ElementsAre("RESTART\tC:\\WINDOWS\\kestro.exe\t/r\tnot started: /norun"));
  EXPECT_THAT(log_.LinesOf("RUN"), ElementsAre("RUN\tC:\\App\\App.exe\t/first\tnot started: /norun"));

  testing::RecordWriter record(sys(), "Mine");
  record.UnRun("\"C:\\App\\unreg.exe\" /quiet");
  testing::RunHarness h(sys());
  h.launcher.run_and_wait_result = false;
  EXPECT_EQ(RunUninstallEngine(h.run, "Mine", false, ComputeUninstallMaxima(h.run, "Mine")),
            EngineResult::kCompleted);
  EXPECT_THAT(h.log.LinesOf("RUN"),
              ElementsAre("RUN\t\"C:\\App\\unreg.exe\" /quiet\tnot started: not run by the test"));
}

// The uninstaller's last changes, the system's uninstall entry and the
// machine-wide setting, tell when the registry refuses them.
TEST_F(FailureReasonTest, UninstallEntryAndSettingLinesNameTheirReason) {
  testing::RecordWriter record(sys(), "Mine");
  const std::string entry = std::string(kSystemUninstallKey) + "\\Mine";
  testing::RefusingSystem refusing(sys(), {entry, std::string(kSettingKey)});
  testing::RunHarness h(refusing);
  EXPECT_EQ(RunUninstallEngine(h.run, "Mine", false, ComputeUninstallMaxima(h.run, "Mine")),
            EngineResult::kCompleted);
  EXPECT_THAT(
      h.log.LinesOf("RECORD"),
      ElementsAre("RECORD\tnot removed: I/O error: the registry cannot be written: " + entry + "\t" + entry,
                  "RECORD\tremoved\t" + RecordKey("Mine")));
  EXPECT_THAT(
      h.log.LinesOf("SETTING"),
      ElementsAre("SETTING\tDeleteToDustBox\tnot written: I/O error: the registry cannot be written: " +
                  std::string(kSettingKey)));
  EXPECT_TRUE(RegKeyExists(sys(), RegistryRoot::kLocalMachine, entry));
}

// The last user of a shared file: whichever the answer, a count the registry
// refuses to change is told with its reason.
TEST_F(FailureReasonTest, SharedCountLinesNameTheirReason) {
  const std::string shared = "C:\\Program Files\\Common Files\\Maker\\common.dll";
  const std::string refusal = "I/O error: the registry cannot be written: " + std::string(kSharedDllsKey);
  for (const Answer answer : {Answer::kYes, Answer::kNo}) {
    // This product is the only user each time.
    ASSERT_TRUE(RegDeleteValue(sys(), RegistryRoot::kLocalMachine, kSharedDllsKey, shared).ok());
    testing::InstallSharedFile(sys(), shared, "Mine");
    testing::RecordWriter(sys(), "Mine").File(shared, 1);
    testing::RefusingSystem refusing(sys(), {std::string(kSharedDllsKey)});
    testing::RunHarness h(refusing);
    h.prompter.answers = {answer};
    EXPECT_EQ(RunUninstallEngine(h.run, "Mine", false, ComputeUninstallMaxima(h.run, "Mine")),
              EngineResult::kCompleted);
    EXPECT_THAT(
        h.log.LinesOf("SHARED"),
        ElementsAre(answer == Answer::kYes ? "SHARED\t" + shared + "\t-\tcount not removed: " + refusal
                                           : "SHARED\t" + shared + "\t0\tcount not written: " + refusal));
  }
}

// A package folder left for the next start stays remembered when the
// registry refuses to forget it, and the line says why.
TEST_F(FailureReasonTest, PendingFolderLineNamesItsReason) {
  ASSERT_TRUE(
      RegWriteString(sys(), RegistryRoot::kLocalMachine, kUninstallRecordRoot, "Folder", "C:\\PKG").ok());
  testing::RefusingSystem refusing(sys(), {std::string(kUninstallRecordRoot)});
  testing::RunHarness h(refusing);
  RemovePendingFolder(h.run);
  EXPECT_THAT(h.log.LinesOf("PENDING"),
              ElementsAre("PENDING\tC:\\PKG\tnot forgotten: I/O error: the registry cannot be written: " +
                          std::string(kUninstallRecordRoot)));
}

}  // namespace
}  // namespace setup::wizard
