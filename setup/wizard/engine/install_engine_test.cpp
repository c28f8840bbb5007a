#include "setup/wizard/engine/install_engine.h"

#include "platform/target_system/shell_link.h"
#include "setup/core/ini_utils.h"
#include "setup/wizard/engine/install_test_fixture.h"
#include "setup/wizard/record/record_keys.h"

namespace setup::wizard {
namespace {

using platform::target::kFileReadOnly;
using platform::target::RegistryRoot;
constexpr auto kMachine = RegistryRoot::kLocalMachine;
constexpr auto kClasses = RegistryRoot::kClassesRoot;

const char* const kAppFolder = "C:\\Program Files\\Maker\\App";
const char* const kPrograms = "C:\\Documents and Settings\\taro\\スタート メニュー\\プログラム";
const char* const kDesktop = "C:\\Documents and Settings\\taro\\デスクトップ";

// A product ABC with a shared library in the system folder, a read-only
// data file, a folder, two shortcuts, registry, INI, user entries, an
// association and its uninstall lists.
std::string ProductScript(std::string_view key_name = "ABC") {
  return std::string(
             "[Define]\nApplication=kestro Setup 1.00\nName=Maker App\nVersion=1.2\n"
             "MakeType=0\nOSCheck=1111111\n"
             "[Uninstall]\nKeyName=") +
         std::string(key_name) +
         "\nViewName=Maker App 1.2\nUse=1\n"
         "[Install]\nSave=1\n"
         "[File]\nCount=3\nCountMin=1\n"
         "NewFile1=<Setup>\\App.exe\nFile1=App.exe\n"
         "NewFile2=<System>\\mkshared.dll\nFile2=mkshared.dll\nShared2=1\n"
         "NewFile3=<Setup>\\data\\readme.txt\nFile3=readme.txt\nAttrs3=1\n"
         "[Folder]\nCount=1\nFolder1=<Setup>\\save\n"
         "[Link]\nCount=2\nDefault=Maker\nSSetup=1\nDesktop=1\n"
         "Link1=<SSetup>\\App.lnk\nFile1=<Setup>\\App.exe\nFolder1=<Setup>\nIcon1=<Setup>\\App.exe\n"
         "IconNo1=300\nSize1=2\n"
         "Link2=<Desktop>\\App.lnk\nFile2=<Setup>\\App.exe\n"
         "[Registry]\nCount=3\n"
         "Key1=HKEY_LOCAL_MACHINE\\Software\\Maker\\App\nName1=(標準)\nData1=既定\n"
         "Key2=HKEY_LOCAL_MACHINE\\Software\\Maker\\App\nName2=Runs\nData2=7\nType2=1\n"
         "Key3=hkey_local_machine\\Software\\Maker\\Lower\nName3=X\nData3=y\n"
         "[IniFile]\nCount=1\nFile1=<Setup>\\app.ini\nSection1=Main\nKey1=Path\nValue1=ok\n"
         "[UserInfomation]\nCount=2\nCaption1=氏名\nCaption2=会社名\n"
         "Write1=(Reg)HKEY_CURRENT_USER\\Software\\X/Owner/\n"
         "Write2=(Ini)<Setup>\\app.ini/User/Name\n"
         "[Extension]\nCount=1\nExtension1=mkd\nCommand1=<Setup>\\App.exe\nInformation1=Maker 文書\n"
         "Icon1=<Setup>\\App.exe\nIconNo1=1\n"
         "[UnOutline]\nCount=1\nText1=Maker App を削除します\n"
         "[UnFile]\nCount=3\nFile1=<Setup>\\App.exe\nFile2=<System>\\mkshared.dll\nShared2=1\n"
         "File3=<Setup>\\data\\readme.txt\n"
         "[UnFolder]\nCount=2\nFolder1=<Setup>\\save\nFolder2=<Setup>\n"
         "[UnLink]\nCount=1\nLink1=<SSetup>\\App.lnk\n"
         "[UnRegistry]\nCount=1\nWay1=1\nKey1=HKEY_LOCAL_MACHINE\\Software\\Maker\n"
         "[UnIniFile]\nCount=1\nWay1=1\nFile1=<Setup>\\app.ini\nSection1=Main\n"
         "[UnExtension]\nCount=1\nExtension1=mkd\n"
         "[UnRun]\nCommand=<Setup>\\App.exe /cleanup\nReStart=1\n";
}

// The script with the first occurrence of from replaced.
std::string Edited(std::string script, std::string_view from, std::string_view to) {
  const auto at = script.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) script.replace(at, from.size(), to);
  return script;
}

class InstallEngineTest : public testing::InstallFixture {
 protected:
  void PutPackage() {
    Put("C:\\PKG\\App.exe", "app v1");
    Put("C:\\PKG\\mkshared.dll", "shared v1");
    Put("C:\\PKG\\readme.txt", "read me");
  }

  InstallChoices Choices() {
    InstallChoices choices;
    choices.install_folder_text = kAppFolder;
    choices.user_entries = {"山田 太郎", "Tallowmere", ""};
    choices.user_entry_visible = {true, true, false};
    choices.start_menu_folder = "Maker";
    choices.start_menu = true;
    choices.desktop = true;
    choices.associate = true;
    choices.selected_extensions = {0};
    return choices;
  }

  EngineResult Install(const SetupScript& script, const InstallChoices& choices) {
    return RunInstallEngine(run_, script, choices, ComputeInstallMaxima(run_, script, choices));
  }
};

TEST_F(InstallEngineTest, InstallsFilesFoldersShortcutsAndCountsEveryStep) {
  PutPackage();
  const SetupScript script = WriteScript(ProductScript());
  const InstallChoices choices = Choices();
  const StepMaxima maxima = ComputeInstallMaxima(run_, script, choices);
  // Registry: 3 entries, 1 INI entry, 2 user fields, 1 association, 3 blocks.
  EXPECT_EQ(maxima, (StepMaxima{3, 1, 2, 10, 0}));
  ASSERT_EQ(RunInstallEngine(run_, script, choices, maxima), EngineResult::kCompleted);
  for (int step = 0; step < 4; ++step) {
    EXPECT_EQ(progress_.advanced[step], maxima[static_cast<std::size_t>(step)]) << step;
    EXPECT_EQ(progress_.started[step], 1);
    EXPECT_EQ(progress_.finished[step], 1);
  }
  EXPECT_EQ(progress_.started.count(kFavoritesStep), 0u);  // a step without maximum is skipped
  EXPECT_TRUE(prompter_.asked.empty());

  const std::string app(kAppFolder);
  EXPECT_EQ(Get(app + "\\App.exe"), "app v1");
  EXPECT_EQ(Get("C:\\WINDOWS\\SYSTEM32\\mkshared.dll"), "shared v1");
  EXPECT_EQ(Get(app + "\\data\\readme.txt"), "read me");
  EXPECT_EQ(Attributes(app + "\\data\\readme.txt") & kFileReadOnly, kFileReadOnly);
  EXPECT_EQ(Attributes(app + "\\App.exe") & kFileReadOnly, 0u);
  EXPECT_TRUE(sys().files().IsFolder(app + "\\save"));

  std::filesystem::path host;
  ASSERT_TRUE(sys().drives().ToHostPath(std::string(kPrograms) + "\\Maker\\App.lnk", &host).ok());
  platform::target::ShellLink link;
  ASSERT_TRUE(platform::target::ReadShellLinkFile(host, &link).ok());
  EXPECT_EQ(link.target_path, app + "\\App.exe");
  EXPECT_EQ(link.working_folder, app);
  EXPECT_EQ(link.icon_index, 44);  // IconNo 300, low 8 bits
  EXPECT_EQ(link.show_command, platform::target::kShowMaximized);
  EXPECT_TRUE(sys().files().Exists(std::string(kDesktop) + "\\App.lnk"));
  EXPECT_EQ(log_.LinesOf("SHORTCUT").size(), 2u);
}

TEST_F(InstallEngineTest, RegistryIniUserEntriesAndAssociationWithBackup) {
  PutPackage();
  ASSERT_TRUE(RegWriteString(sys(), kClasses, ".mkd", "", "OldType").ok());
  ASSERT_TRUE(RegWriteString(sys(), kClasses, ".mkd\\ShellNew", "NullFile", "").ok());
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kCompleted);

  EXPECT_EQ(RegText(kMachine, "Software\\Maker\\App", ""), "既定");
  EXPECT_EQ(RegNumber(kMachine, "Software\\Maker\\App", "Runs"), 7);
  EXPECT_FALSE(RegKeyExists(sys(), kMachine, "Software\\Maker\\Lower"));  // lower-case root
  const std::string ini = std::string(kAppFolder) + "\\app.ini";
  EXPECT_EQ(IniReadString(sys(), ini, "Main", "Path"), "ok");
  EXPECT_EQ(RegText(RegistryRoot::kCurrentUser, "Software\\X", "Owner"), "山田 太郎");
  EXPECT_EQ(IniReadString(sys(), ini, "User", "Name"), "Tallowmere");

  // The earlier association moved whole into the backup key.
  EXPECT_EQ(RegText(kClasses, "kestroBackup-mkd", ""), "OldType");
  EXPECT_TRUE(RegKeyExists(sys(), kClasses, "kestroBackup-mkd\\ShellNew"));
  EXPECT_FALSE(RegKeyExists(sys(), kClasses, ".mkd\\ShellNew"));
  EXPECT_EQ(RegText(kClasses, ".mkd", ""), "kestro-mkd");
  EXPECT_EQ(RegText(kClasses, ".mkd", "Owner"), "ABC");
  EXPECT_EQ(RegText(kClasses, "kestro-mkd", ""), "Maker 文書");
  EXPECT_EQ(RegText(kClasses, "kestro-mkd\\shell\\open\\command", ""),
            "\"" + std::string(kAppFolder) + "\\App.exe\" \"%1\"");
  EXPECT_EQ(RegText(kClasses, "kestro-mkd\\DefaultIcon", ""), std::string(kAppFolder) + "\\App.exe,1");
  EXPECT_EQ(log_.LinesOf("NOTIFY").size(), 1u);

  // A second product taking the extension keeps the first backup.
  ASSERT_EQ(Install(WriteScript(ProductScript("XYZ")), Choices()), EngineResult::kCompleted);
  EXPECT_EQ(RegText(kClasses, "kestroBackup-mkd", ""), "OldType");
  EXPECT_EQ(RegText(kClasses, ".mkd", "Owner"), "XYZ");
}

TEST_F(InstallEngineTest, AnExtensionWithoutEarlierKeyIsBackedUpAsNull) {
  PutPackage();
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kCompleted);
  EXPECT_EQ(RegText(kClasses, "kestroBackup-mkd", ""), "null");
}

TEST_F(InstallEngineTest, RecordAndUninstallEntry) {
  PutPackage();
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kCompleted);
  const std::string k = RecordKey("ABC");
  EXPECT_EQ(RegText(kMachine, k, "Name"), "Maker App");
  EXPECT_EQ(RegText(kMachine, k, "Application"), "kestro Setup 1.00");
  EXPECT_EQ(RegText(kMachine, k, "OSCheck"), "1111111");
  EXPECT_EQ(RegText(kMachine, k, "ViewName"), "Maker App 1.2");
  EXPECT_EQ(RegText(kMachine, k, "UserInfomation1"), "山田 太郎");
  EXPECT_EQ(RegText(kMachine, k, "UserInfomation3"), "");
  EXPECT_EQ(RegNumber(kMachine, k, "MakeType"), 0);
  EXPECT_EQ(RegNumber(kMachine, k, "OverToDustBox"), 0);
  EXPECT_EQ(RegText(kMachine, k, "DateTime").size(), 19u);
  EXPECT_EQ(RegNumber(kMachine, kSettingKey, "StartUser"), 1);
  EXPECT_EQ(RegText(kMachine, k, "SetupPath"), kAppFolder);
  EXPECT_EQ(RegNumber(kMachine, k, "SetupWay"), 0);
  EXPECT_EQ(RegText(kMachine, k, "StartPath"), "Maker");

  const std::string entry = std::string(kSystemUninstallKey) + "\\ABC";
  EXPECT_EQ(RegText(kMachine, entry, "DisplayName"), "Maker App 1.2");
  EXPECT_EQ(RegText(kMachine, entry, "UninstallString"), "C:\\WINDOWS\\kestro.exe /u \"ABC\"");
  EXPECT_EQ(Get("C:\\WINDOWS\\kestro.exe"), "setup program");
  EXPECT_EQ(Attributes("C:\\WINDOWS\\kestro.exe") & kFileReadOnly, kFileReadOnly);
  EXPECT_EQ(RegNumber(kMachine, kUninstallRecordRoot, "kestro.exe"), 110);

  const std::string app(kAppFolder);
  EXPECT_EQ(RegNumber(kMachine, k + "\\UnFile", "Count"), 3);
  EXPECT_EQ(RegText(kMachine, k + "\\UnFile", "File2"), "C:\\WINDOWS\\SYSTEM32\\mkshared.dll");
  EXPECT_EQ(RegNumber(kMachine, k + "\\UnFile", "Shared2"), 1);
  EXPECT_EQ(RegNumber(kMachine, k + "\\UnFile", "Shared1"), 0);
  EXPECT_EQ(RegText(kMachine, k + "\\UnFolder", "Folder2"), app);
  EXPECT_EQ(RegText(kMachine, k + "\\UnLink", "Link1"), std::string(kPrograms) + "\\Maker\\App.lnk");
  EXPECT_EQ(RegText(kMachine, k + "\\UnOutline", "Text1"), "Maker App を削除します");
  EXPECT_EQ(RegNumber(kMachine, k + "\\UnRegistry", "Way1"), 1);
  EXPECT_EQ(RegText(kMachine, k + "\\UnRegistry", "Key1"), "HKEY_LOCAL_MACHINE\\Software\\Maker");
  EXPECT_EQ(RegText(kMachine, k + "\\UnIniFile", "File1"), app + "\\app.ini");
  EXPECT_EQ(RegText(kMachine, k + "\\UnExtension", "Extension1"), "mkd");
  EXPECT_EQ(RegText(kMachine, k + "\\UnRun", "Command"), app + "\\App.exe /cleanup");
  EXPECT_EQ(RegNumber(kMachine, k + "\\UnRun", "ReStart"), 1);
  EXPECT_EQ(RegNumber(kMachine, k + "\\UnRun", "Force"), 0);
}

TEST_F(InstallEngineTest, SharedCountsRiseOncePerProduct) {
  PutPackage();
  const std::string dll = "C:\\WINDOWS\\SYSTEM32\\mkshared.dll";
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kCompleted);
  EXPECT_EQ(RegNumber(kMachine, kSharedDllsKey, dll), 1);
  EXPECT_EQ(RegText(kMachine, kOwnerListKey, dll), "\"ABC\"");

  // Reinstalling with a newer library copies it but counts nothing again.
  Put("C:\\PKG\\mkshared.dll", "shared v2");
  SetTime(dll, 3);
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kCompleted);
  EXPECT_EQ(Get(dll), "shared v2");
  EXPECT_EQ(RegNumber(kMachine, kSharedDllsKey, dll), 1);
  EXPECT_EQ(RegText(kMachine, kOwnerListKey, dll), "\"ABC\"");

  SetTime(dll, 3);
  ASSERT_EQ(Install(WriteScript(ProductScript("XYZ")), Choices()), EngineResult::kCompleted);
  EXPECT_EQ(RegNumber(kMachine, kSharedDllsKey, dll), 2);
  EXPECT_EQ(RegText(kMachine, kOwnerListKey, dll), "\"ABC\"\"XYZ\"");
}

TEST_F(InstallEngineTest, SameAgeAndSizeIsKeptWithoutQuestionOrAttributesButCounted) {
  PutPackage();
  const std::string dll = "C:\\WINDOWS\\SYSTEM32\\mkshared.dll";
  ASSERT_TRUE(sys().files().CopyFile("C:\\PKG\\mkshared.dll", dll, false).ok());
  ASSERT_TRUE(sys().files().SetAttributes(dll, kFileReadOnly).ok());
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kCompleted);
  EXPECT_TRUE(prompter_.asked.empty());
  EXPECT_EQ(Attributes(dll) & kFileReadOnly, kFileReadOnly);
  // The file in place is this product's shared file too.
  EXPECT_EQ(RegNumber(kMachine, kSharedDllsKey, dll), 1);
  EXPECT_EQ(RegText(kMachine, kOwnerListKey, dll), "\"ABC\"");
  EXPECT_EQ(progress_.advanced[kFilesStep], 3);
}

TEST_F(InstallEngineTest, NoToTheOverwriteQuestionKeepsTheNewerFile) {
  PutPackage();
  const std::string dll = "C:\\WINDOWS\\SYSTEM32\\mkshared.dll";
  SetTime("C:\\PKG\\mkshared.dll", 10);
  Put(dll, "newer");
  prompter_.answers = {Answer::kNo};
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kCompleted);
  ASSERT_EQ(prompter_.asked.size(), 1u);
  const Message& question = prompter_.asked[0];
  EXPECT_EQ(question.text, "インストール先に新しいファイルが存在します。上書きしますか？\n" + dll);
  EXPECT_EQ(question.buttons, MessageButtons::kYesNo);
  EXPECT_EQ(question.default_answer, Answer::kNo);
  EXPECT_EQ(question.caption, "kestro Setup for Windows");
  EXPECT_EQ(Get(dll), "newer");
  // The newer file kept serves this product: it counts once.
  EXPECT_EQ(RegNumber(kMachine, kSharedDllsKey, dll), 1);

  prompter_.answers = {Answer::kYes};
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kCompleted);
  EXPECT_EQ(Get(dll), "shared v1");
  EXPECT_EQ(RegNumber(kMachine, kSharedDllsKey, dll), 1);
}

TEST_F(InstallEngineTest, AnAbortedCopyCountsNothing) {
  PutPackage();
  const std::string dll = "C:\\WINDOWS\\SYSTEM32\\mkshared.dll";
  Put(dll, "someone else's");
  ASSERT_TRUE(sys().files().DeleteFile("C:\\PKG\\mkshared.dll").ok());
  prompter_.answers = {Answer::kAbort};
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kAborted);
  EXPECT_EQ(RegNumber(kMachine, kSharedDllsKey, dll), -999);
  EXPECT_EQ(RegText(kMachine, kOwnerListKey, dll), "<none>");
}

// A source missing from the package asks the copy question whether or not
// the destination is there; it is never passed over as installed.
TEST_F(InstallEngineTest, AMissingSourceAsksTheCopyQuestion) {
  PutPackage();
  const std::string readme = std::string(kAppFolder) + "\\data\\readme.txt";
  ASSERT_TRUE(sys().files().DeleteFile("C:\\PKG\\readme.txt").ok());
  prompter_.answers = {Answer::kIgnore};
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kCompleted);
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].text, "ファイルコピーに失敗しました。\n" + readme);
  EXPECT_FALSE(sys().files().Exists(readme));
  EXPECT_EQ(log_.LinesOf("COPYFAIL").size(), 1u);

  // With the destination there the same question comes and the file stays.
  Put(readme, "installed earlier");
  prompter_.asked.clear();
  prompter_.answers = {Answer::kIgnore};
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kCompleted);
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].text, "ファイルコピーに失敗しました。\n" + readme);
  EXPECT_EQ(Get(readme), "installed earlier");
}

TEST_F(InstallEngineTest, RecycleBeforeOverwriteReplacesAReadOnlyFileToo) {
  PutPackage();
  const std::string exe = std::string(kAppFolder) + "\\App.exe";
  Put(exe, "old app");
  SetTime(exe, 10);
  ASSERT_TRUE(sys().files().SetAttributes(exe, kFileReadOnly).ok());
  InstallChoices choices = Choices();
  choices.recycle_before_overwrite = true;
  ASSERT_EQ(Install(WriteScript(ProductScript()), choices), EngineResult::kCompleted);
  EXPECT_EQ(Get(exe), "app v1");
  ASSERT_EQ(log_.LinesOf("RECYCLE").size(), 1u);
  EXPECT_EQ(log_.LinesOf("RECYCLE")[0], "RECYCLE\t" + exe + "\tok");
  EXPECT_EQ(RegNumber(kMachine, RecordKey("ABC"), "OverToDustBox"), 1);
  EXPECT_EQ(RegNumber(kMachine, kSettingKey, "OverToDustBox"), 1);

  // Without recycling a read-only file loses its attributes and is replaced.
  Put("C:\\PKG\\App.exe", "app v2");
  ASSERT_TRUE(sys().files().SetAttributes(exe, kFileReadOnly).ok());
  SetTime(exe, 10);
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kCompleted);
  EXPECT_EQ(Get(exe), "app v2");
}

TEST_F(InstallEngineTest, IgnoreAfterAFailedCopyStillSetsAttributesAndCounts) {
  PutPackage();
  const std::string dll = "C:\\WINDOWS\\SYSTEM32\\mkshared.dll";
  Put(dll, "kept");
  ASSERT_TRUE(sys().files().DeleteFile("C:\\PKG\\mkshared.dll").ok());
  prompter_.answers = {Answer::kIgnore};
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kCompleted);
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].text, "ファイルコピーに失敗しました。\n" + dll);
  EXPECT_EQ(prompter_.asked[0].default_answer, Answer::kAbort);
  // A missing source never costs the file already there.
  EXPECT_EQ(Get(dll), "kept");
  EXPECT_EQ(RegNumber(kMachine, kSharedDllsKey, dll), 1);
  EXPECT_EQ(progress_.advanced[kFilesStep], 3);
}

TEST_F(InstallEngineTest, RetryMakesTheFoldersAgainAndCopies) {
  PutPackage();
  ASSERT_TRUE(sys().files().DeleteFile("C:\\PKG\\readme.txt").ok());
  prompter_.answers = {Answer::kRetry};
  prompter_.before_answer = [&](const Message&) { Put("C:\\PKG\\readme.txt", "late"); };
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kCompleted);
  EXPECT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(Get(std::string(kAppFolder) + "\\data\\readme.txt"), "late");
}

TEST_F(InstallEngineTest, AbortEndsAtOnceWithoutRecord) {
  PutPackage();
  ASSERT_TRUE(sys().files().DeleteFile("C:\\PKG\\mkshared.dll").ok());
  // The default answer of the copy question is Abort.
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kAborted);
  EXPECT_EQ(Get(std::string(kAppFolder) + "\\App.exe"), "app v1");
  EXPECT_FALSE(sys().files().Exists(std::string(kAppFolder) + "\\data\\readme.txt"));
  EXPECT_FALSE(sys().files().IsFolder(std::string(kAppFolder) + "\\save"));
  EXPECT_FALSE(RegKeyExists(sys(), kMachine, RecordKey("ABC")));
  EXPECT_FALSE(sys().files().Exists("C:\\WINDOWS\\kestro.exe"));
  EXPECT_EQ(log_.LinesOf("ABORT").size(), 1u);
}

TEST_F(InstallEngineTest, DestinationsWithoutFileOrFolderAreFailedCopies) {
  PutPackage();
  const std::string script =
      Edited(ProductScript(), "[File]\nCount=3", "[File]\nCount=5\nNewFile4=app.dll\nFile4=App.exe");
  prompter_.answers = {Answer::kRetry, Answer::kIgnore, Answer::kIgnore};
  ASSERT_EQ(Install(WriteScript(script), Choices()), EngineResult::kCompleted);
  // Item 4 has no folder, item 5 no name at all: both ask, neither writes.
  ASSERT_EQ(prompter_.asked.size(), 3u);
  EXPECT_EQ(prompter_.asked[0].text, "ファイルコピーに失敗しました。\napp.dll");
  EXPECT_EQ(prompter_.asked[2].text, "ファイルコピーに失敗しました。\n");
  EXPECT_EQ(progress_.advanced[kFilesStep], 5);
  EXPECT_TRUE(RegKeyExists(sys(), kMachine, RecordKey("ABC")));

  // Unattended answers take the default: Abort.
  prompter_.asked.clear();
  ASSERT_EQ(Install(WriteScript(script), Choices()), EngineResult::kAborted);
  EXPECT_EQ(prompter_.asked.size(), 1u);
}

TEST_F(InstallEngineTest, CdRomRunSkipsSetupEntriesAndRecordsTheRest) {
  PutPackage();
  InstallChoices choices = Choices();
  choices.install_to_folder = false;
  const SetupScript script = WriteScript(ProductScript());
  const StepMaxima maxima = ComputeInstallMaxima(run_, script, choices);
  EXPECT_EQ(maxima[kFilesStep], 1);  // CountMin
  EXPECT_EQ(maxima[kFoldersStep], 0);
  ASSERT_EQ(RunInstallEngine(run_, script, choices, maxima), EngineResult::kCompleted);
  EXPECT_EQ(progress_.advanced[kFilesStep], 1);
  EXPECT_EQ(Get("C:\\WINDOWS\\SYSTEM32\\mkshared.dll"), "shared v1");
  EXPECT_FALSE(sys().files().Exists(std::string(kAppFolder) + "\\App.exe"));
  EXPECT_FALSE(sys().files().Exists("C:\\PKG\\data"));

  const std::string k = RecordKey("ABC");
  EXPECT_EQ(RegNumber(kMachine, k + "\\UnFile", "Count"), 1);
  EXPECT_EQ(RegText(kMachine, k + "\\UnFile", "File1"), "C:\\WINDOWS\\SYSTEM32\\mkshared.dll");
  EXPECT_EQ(RegNumber(kMachine, k + "\\UnFile", "Shared1"), 1);
  EXPECT_EQ(RegNumber(kMachine, k + "\\UnFolder", "Count"), 0);
  EXPECT_EQ(RegNumber(kMachine, k, "SetupWay"), 1);
  EXPECT_EQ(RegText(kMachine, k, "SetupPath"), "<none>");
  // "<Setup>" stands for the program's own folder in a CD-ROM run.
  EXPECT_EQ(RegText(kMachine, k + "\\UnRun", "Command"), "C:\\PKG\\App.exe /cleanup");
}

TEST_F(InstallEngineTest, AReinstallRecordsOnlyItsOwnListItems) {
  PutPackage();
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kCompleted);
  ASSERT_EQ(
      Install(WriteScript(Edited(ProductScript(), "[UnFile]\nCount=3", "[UnFile]\nCount=9")), Choices()),
      EngineResult::kCompleted);
  const std::string un_file = RecordKey("ABC") + "\\UnFile";
  // Count 9 over three items: the record holds the three items, no stale ones.
  EXPECT_EQ(RegNumber(kMachine, un_file, "Count"), 3);
  ASSERT_TRUE(RegDeleteValue(sys(), kMachine, un_file, "File1").ok());
  ASSERT_EQ(
      Install(WriteScript(Edited(ProductScript(), "[UnFile]\nCount=3", "[UnFile]\nCount=1")), Choices()),
      EngineResult::kCompleted);
  EXPECT_EQ(RegNumber(kMachine, un_file, "Count"), 1);
  EXPECT_EQ(RegText(kMachine, un_file, "File2"), "<none>");
}

TEST_F(InstallEngineTest, FolderQuestionRetriesByDefaultAndIgnoreGoesOn) {
  PutPackage();
  Put(std::string(kAppFolder) + "\\save", "a file in the folder's place");
  prompter_.answers = {Answer::kRetry, Answer::kIgnore};
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kCompleted);
  ASSERT_EQ(prompter_.asked.size(), 2u);
  EXPECT_EQ(prompter_.asked[0].text, "フォルダ作成に失敗しました。\n" + std::string(kAppFolder) + "\\save");
  EXPECT_EQ(prompter_.asked[0].default_answer, Answer::kRetry);
  EXPECT_EQ(progress_.advanced[kFoldersStep], 1);

  prompter_.answers = {Answer::kAbort};
  ASSERT_EQ(Install(WriteScript(ProductScript()), Choices()), EngineResult::kAborted);
}

TEST_F(InstallEngineTest, NoSaveAndNoUseWritesNoRecord) {
  PutPackage();
  std::string text = Edited(ProductScript(), "[Install]\nSave=1", "[Install]\nSave=0");
  text = Edited(text, "Use=1", "Use=0");
  text = Edited(text, "[Link]\n", "[Link]\nSave=2\n");
  const SetupScript script = WriteScript(text);
  InstallChoices choices = Choices();
  const StepMaxima maxima = ComputeInstallMaxima(run_, script, choices);
  EXPECT_EQ(maxima[kRegistryStep], 7);
  ASSERT_EQ(RunInstallEngine(run_, script, choices, maxima), EngineResult::kCompleted);
  EXPECT_EQ(progress_.advanced[kRegistryStep], 7);
  EXPECT_FALSE(RegKeyExists(sys(), kMachine, kUninstallRecordRoot));
  EXPECT_FALSE(RegKeyExists(sys(), kMachine, kSettingKey));
  EXPECT_FALSE(RegKeyExists(sys(), kMachine, std::string(kSystemUninstallKey) + "\\ABC"));
  EXPECT_FALSE(sys().files().Exists("C:\\WINDOWS\\kestro.exe"));
}

TEST_F(InstallEngineTest, UnselectedLocationsMakeNoShortcutAndNoPosition) {
  PutPackage();
  InstallChoices choices = Choices();
  choices.desktop = false;
  const std::string script = Edited(ProductScript(), "[Link]\nCount=2",
                                    "[Link]\nCount=3\nLink3=<Programs>\\x.lnk\nFile3=<Setup>\\App.exe");
  ASSERT_EQ(Install(WriteScript(script), choices), EngineResult::kCompleted);
  EXPECT_FALSE(sys().files().Exists(std::string(kDesktop) + "\\App.lnk"));
  EXPECT_EQ(progress_.advanced[kShortcutsStep], 1);
  EXPECT_EQ(log_.LinesOf("SHORTCUT").size(), 1u);
}

}  // namespace
}  // namespace setup::wizard
