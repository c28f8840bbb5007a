#include "setup/wizard/model/wizard_model.h"

#include <gtest/gtest.h>

#include "setup/core/install_paths.h"
#include "setup/core/registry_utils.h"
#include "setup/wizard/model/wizard_test_support.h"
#include "setup/wizard/record/record_keys.h"

namespace setup::wizard {
namespace {

using platform::target::DriveType;
using platform::target::RegistryRoot;

constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;

class WizardModelTest : public testing::WizardTestBase {
 protected:
  explicit WizardModelTest(int os_kind = 202) : WizardTestBase(os_kind) {}

  WizardModel& Start(const std::string& body, std::string source = "C:\\PKG\\",
                     std::vector<std::string> arguments = {}) {
    SetupScript script = WriteScript(body);
    model_ = std::make_unique<WizardModel>(Run(std::move(source), std::move(arguments)),
                                           WizardStart::Setup(script), engines_);
    model_->FormShow();
    return *model_;
  }
  // Presses Next until the page is reached (or nothing moves any more).
  void NextTo(int page) {
    for (int i = 0; i < 14 && model_->page() < page; ++i) model_->Button2Click();
    ASSERT_EQ(model_->page(), page);
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Message& m : prompter_.asked) texts.push_back(m.text);
    return texts;
  }

  std::unique_ptr<WizardModel> model_;
};

TEST_F(WizardModelTest, ScriptWithoutOptionalSectionsRunsFixedPagesAndHandsOffTheEngine) {
  WizardModel& m = Start("");
  EXPECT_EQ(m.page_mask(), "1000000111");
  EXPECT_EQ(m.page(), 2);
  EXPECT_EQ(m.caption(), "概要");
  EXPECT_FALSE(m.control(Control::kButton1).enabled);
  EXPECT_TRUE(m.control(Control::kPanel203).visible);
  EXPECT_TRUE(m.timer_armed());
  EXPECT_EQ(engines_.pending_removals, 1);

  m.Button2Click();
  EXPECT_EQ(m.page(), 9);
  EXPECT_EQ(m.control(Control::kButton2).text, "開始(&S) >");
  m.Button1Click();
  EXPECT_EQ(m.page(), 2);  // straight back
  EXPECT_FALSE(m.control(Control::kPanel903).visible);
  m.Button2Click();
  bool close_command_while_working = true;
  engines_.during_engine = [&] { close_command_while_working = m.close_command_enabled(); };
  m.Button2Click();  // 開始: maxima, engine, page 11
  ASSERT_EQ(engines_.installs.size(), 1u);
  EXPECT_FALSE(close_command_while_working);
  EXPECT_EQ(engines_.install_maxima_given, engines_.install_maxima);
  EXPECT_EQ(m.control(Control::kProgressBar1001).maximum, 3);
  EXPECT_FALSE(m.control(Control::kLabel1005).enabled);  // shortcuts: maximum 0
  EXPECT_EQ(m.page(), 11);
  EXPECT_EQ(m.caption(), "インストール完了");
  EXPECT_EQ(m.control(Control::kButton2).text, "終了(&E)");
  EXPECT_FALSE(m.control(Control::kButton3).enabled);
  EXPECT_TRUE(m.close_command_enabled());  // given back after the work
  EXPECT_EQ(m.control(Control::kLabel1102).text, "[終了]をクリックしてください。");

  m.Button2Click();
  EXPECT_EQ(engines_.finish_installs, 1);
  EXPECT_EQ(m.page(), 1);
  ASSERT_TRUE(m.close_requested());
  EXPECT_TRUE(m.FormCloseQuery());
  EXPECT_TRUE(prompter_.asked.empty());
  EXPECT_TRUE(launcher_.started.empty());  // no "/d" argument
}

TEST_F(WizardModelTest, SkippedPagesBothWaysAndBackNeverChecks) {
  WizardModel& m = Start(
      "[Licence]\nCount=1\nText1=L\n[UserInfomation]\nCount=1\nCaption1=氏名\nNull1=1\n"
      "[Extension]\nCount=1\nExtension1=abc\n");
  EXPECT_EQ(m.page_mask(), "1110010111");
  m.Button2Click();
  EXPECT_EQ(m.page(), 3);
  EXPECT_EQ(m.control(Control::kButton3).text, "いいえ(&N)");
  m.Button2Click();
  EXPECT_EQ(m.page(), 4);
  m.Button2Click();  // empty required field
  EXPECT_EQ(m.page(), 4);
  EXPECT_EQ(Texts(), std::vector<std::string>{"氏名を入力してください。"});
  EXPECT_EQ(m.focus_request(), Control::kEdit401);
  m.Button1Click();  // Back checks nothing
  EXPECT_EQ(m.page(), 3);
  EXPECT_EQ(prompter_.asked.size(), 1u);
  m.Button2Click();
  m.SetText(Control::kEdit401, "太郎");
  m.Button2Click();
  EXPECT_EQ(m.page(), 7);
  m.Button2Click();
  EXPECT_EQ(m.page(), 9);
  m.Button1Click();
  EXPECT_EQ(m.page(), 7);
  m.Button1Click();
  EXPECT_EQ(m.page(), 4);
}

TEST_F(WizardModelTest, UserEntriesLengthPatternBlanksAndOwnerText) {
  EXPECT_TRUE(RegWriteString(system(), kMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                             "RegisteredOwner", "山田")
                  .ok());
  WizardModel& m = Start(
      "[UserInfomation]\nCount=2\nCaption1=会員番号(半角):\nSize1=8\nType1=A*Z\n"
      "Caption2=氏名:\nText2=(氏名)様\nNull2=1\n");
  EXPECT_EQ(m.control(Control::kEdit402).text, "山田様");
  EXPECT_FALSE(m.control(Control::kEdit403).visible);
  NextTo(4);
  for (const char* bad : {"A12345Z", "B123456Z"}) {
    m.SetText(Control::kEdit401, bad);
    m.Button2Click();
    EXPECT_EQ(m.page(), 4) << bad;
    EXPECT_EQ(prompter_.asked.back().text, "会員番号が不正です。");
    EXPECT_EQ(prompter_.asked.back().icon, MessageIcon::kError);
    EXPECT_EQ(m.focus_request(), Control::kEdit401);
  }
  m.SetText(Control::kEdit401, "A123456Z");
  m.SetText(Control::kEdit402, "  \t ");
  m.Button2Click();
  EXPECT_EQ(prompter_.asked.back().text, "氏名を入力してください。");
  EXPECT_EQ(m.focus_request(), Control::kEdit402);
  m.SetText(Control::kEdit402, "山田");
  m.Button2Click();
  EXPECT_EQ(m.page(), 9);
  EXPECT_EQ(m.Choices().user_entries[0], "A123456Z");
  EXPECT_FALSE(m.Choices().user_entry_visible[2]);
}

TEST_F(WizardModelTest, FreeSpaceOfTheTargetDriveWithAWarningOnlyWhenKnownAndShort) {
  WizardModel& m = Start("[Install]\nUse=1\nDefault=<Program>\\Maker\\App\nSize=999999999999999999\n");
  EXPECT_EQ(m.control(Control::kEdit501).text, "C:\\Program Files\\Maker\\App");
  std::uint64_t free_bytes = 0;
  ASSERT_TRUE(system().drives().FreeSpace("C:\\", &free_bytes).ok());
  // The disk is shared, so its free space moves a little between queries.
  std::string shown = m.control(Control::kLabel505).text;
  ASSERT_TRUE(shown.ends_with("バイト")) << shown;
  std::erase(shown, ',');
  const double shown_bytes = std::stod(shown);
  EXPECT_NEAR(shown_bytes, static_cast<double>(free_bytes), 1e9);
  EXPECT_FALSE(m.control(Control::kLabel507).text.empty());
  EXPECT_EQ(m.control(Control::kLabel504).text, "999,999,999,999,999,999バイト");
  EXPECT_EQ(m.control(Control::kLabel506).text, "");  // 18 digits

  NextTo(5);
  prompter_.answers = {Answer::kNo};
  m.Button2Click();
  ASSERT_EQ(prompter_.asked.size(), 1u);
  const Message& warning = prompter_.asked[0];
  EXPECT_EQ(warning.text,
            "空き容量が不足する可能性があります。このフォルダにインストールしますか？\n"
            "C:\\Program Files\\Maker\\App");
  EXPECT_EQ(warning.icon, MessageIcon::kWarning);
  EXPECT_EQ(warning.buttons, MessageButtons::kYesNo);
  EXPECT_EQ(warning.default_answer, Answer::kNo);
  EXPECT_EQ(m.page(), 5);
  EXPECT_EQ(m.focus_request(), Control::kEdit501);

  // A drive that cannot be asked shows "(不明)" and never warns.
  m.SetText(Control::kEdit501, "Q:\\App");
  EXPECT_EQ(m.control(Control::kLabel505).text, "(不明)");
  EXPECT_EQ(m.control(Control::kLabel507).text, "");
  m.Button2Click();
  EXPECT_EQ(prompter_.asked.back().text, "フォルダが作成できません。\nQ:\\App");
  EXPECT_EQ(prompter_.asked.size(), 2u);

  m.SetText(Control::kEdit501, "C:\\Program Files\\Ma|ker");
  prompter_.answers = {Answer::kYes};  // install there despite the space
  m.Button2Click();
  EXPECT_EQ(prompter_.asked.back().text,
            "フォルダ名に次の文字は使えません。\n * ? \" < > |\n\nC:\\Program Files\\Ma|ker");
  m.SetText(Control::kEdit501, "   ");
  m.Button2Click();
  EXPECT_EQ(prompter_.asked.back().text, "フォルダ名を入力してください。");
}

TEST_F(WizardModelTest, FolderTypedOnNextIsCreatedAndRemovedAgainButNotWhatWasThere) {
  ASSERT_TRUE(system().files().CreateFolderTree("C:\\Empty").ok());
  WizardModel& m = Start("[Install]\nUse=1\nDefault=C:\\Program Files\\Maker\\App\n");
  NextTo(5);
  m.Button2Click();
  EXPECT_EQ(m.page(), 9);
  EXPECT_TRUE(prompter_.asked.empty());
  EXPECT_FALSE(system().files().Exists("C:\\Program Files\\Maker"));
  EXPECT_TRUE(system().files().IsFolder("C:\\Program Files"));

  m.Button1Click();
  m.SetText(Control::kEdit501, "C:\\Empty\\New\\Sub");
  m.Button2Click();
  EXPECT_EQ(m.page(), 9);
  EXPECT_FALSE(system().files().Exists("C:\\Empty\\New"));
  EXPECT_TRUE(system().files().IsFolder("C:\\Empty"));  // it was there before
}

TEST_F(WizardModelTest, ThePackageDriveOfTheRunIsNoDestination) {
  const std::filesystem::path package = base_.dir() / "package";
  std::filesystem::create_directories(package / "App");
  ASSERT_TRUE(system().AddRunOnlyDrive({'D', package, DriveType::kFixed}).ok());
  WizardModel& m = Start("[Install]\nUse=1\nDefault=D:\\App\n", "D:\\");
  NextTo(5);
  m.Button2Click();
  EXPECT_EQ(m.page(), 5);
  EXPECT_EQ(Texts(), std::vector<std::string>{"フォルダが作成できません。\nD:\\App"});
  EXPECT_EQ(m.focus_request(), Control::kEdit501);
  // Any other drive is fine.
  m.SetText(Control::kEdit501, "C:\\Program Files\\App");
  m.Button2Click();
  EXPECT_EQ(m.page(), 9);
}

class WizardOnCdTest : public WizardModelTest {
 protected:
  void SetUp() override {
    AddDrive('Q', DriveType::kCdRom);
    AddDrive('N', DriveType::kRemote);
  }
};

TEST_F(WizardOnCdTest, CdCheckAcceptsCdRomAndNetworkDrivesAsTheModeSays) {
  struct Case {
    const char* cd_check;
    const char* source;
    bool passes;
  } cases[] = {{"1", "Q:\\", true}, {"1", "N:\\pkg\\", true},  {"1", "C:\\PKG\\", false},
               {"2", "Q:\\", true}, {"2", "N:\\pkg\\", false}, {"0", "C:\\PKG\\", true}};
  for (const Case& c : cases) {
    prompter_.asked.clear();
    WizardModel& m = Start(std::string("CDCheck=") + c.cd_check + "\n", c.source);
    m.Timer1Timer();
    EXPECT_EQ(m.page(), c.passes ? 2 : 1) << c.cd_check << " " << c.source;
    EXPECT_EQ(m.close_requested(), !c.passes);
    if (!c.passes) {
      ASSERT_EQ(prompter_.asked.size(), 1u);
      EXPECT_EQ(prompter_.asked[0].text, "この製品はCD-ROM以外からインストールできません。");
      EXPECT_TRUE(m.FormCloseQuery());  // ended: no question
      EXPECT_EQ(prompter_.asked.size(), 1u);
    } else {
      EXPECT_TRUE(prompter_.asked.empty());
    }
  }
}

TEST_F(WizardOnCdTest, CdRunIsOfferedOnlyFromACdRomWithMakeTypeZero) {
  EXPECT_TRUE(RegWriteInteger(system(), kMachine, RecordKey("App"), "SetupWay", 1).ok());
  WizardModel& m = Start("Name=App\nMakeType=0\n[Install]\nUse=1\n", "Q:\\");
  EXPECT_TRUE(m.control(Control::kRadioButton502).enabled);
  EXPECT_TRUE(m.control(Control::kRadioButton502).checked);
  EXPECT_FALSE(m.Choices().install_to_folder);
  WizardModel& fixed = Start("Name=App\nMakeType=0\n[Install]\nUse=1\n");
  EXPECT_FALSE(fixed.control(Control::kRadioButton502).enabled);
  EXPECT_FALSE(fixed.control(Control::kLabel508).enabled);
  EXPECT_TRUE(fixed.control(Control::kRadioButton501).checked);
}

class WizardOn98Test : public WizardModelTest {
 protected:
  WizardOn98Test() : WizardModelTest(102) {}
};

TEST_F(WizardOn98Test, OsCheckAsksWithTheAllowedListAndEndsOnNo) {
  WizardModel& m = Start("OSCheck=1101111\n");
  prompter_.answers = {Answer::kNo};
  m.Timer1Timer();
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].text,
            "この製品は以下のOS以外では正しく動作しない可能性があります。インストールを続けますか？\n"
            "「Windows 95」「Windows ME」「Windows NT」「Windows 2000」");
  EXPECT_EQ(prompter_.asked[0].buttons, MessageButtons::kYesNo);
  EXPECT_EQ(prompter_.asked[0].icon, MessageIcon::kError);
  EXPECT_EQ(m.page(), 1);
  EXPECT_TRUE(m.close_requested());

  for (const char* unchecked : {"0101111", "x101111", "9000000"}) {
    prompter_.asked.clear();
    WizardModel& other = Start(std::string("OSCheck=") + unchecked + "\n");
    other.Timer1Timer();
    EXPECT_TRUE(prompter_.asked.empty()) << unchecked;
    EXPECT_EQ(other.page(), 2);
  }
}

TEST_F(WizardOn98Test, UserChoiceIsDisabledOnThe95FamilyAndTheLoggedOnUserIsUsed) {
  EXPECT_TRUE(RegWriteInteger(system(), kMachine, std::string(kSettingKey), "StartUser", 0).ok());
  WizardModel& m = Start("[Link]\nCount=1\nSSetup=1\nDefault=Maker\n");
  EXPECT_FALSE(m.control(Control::kRadioButton601).enabled);
  EXPECT_FALSE(m.control(Control::kRadioButton602).enabled);
  EXPECT_TRUE(m.control(Control::kRadioButton602).checked);
  EXPECT_EQ(m.control(Control::kRadioButton602).text, "taro");
  EXPECT_FALSE(m.Choices().all_users);
  EXPECT_EQ(m.control(Control::kEdit601).text, "Maker");
  EXPECT_TRUE(m.control(Control::kEdit601).enabled);
  NextTo(9);  // the group folder below the user's Programs could be made
  EXPECT_TRUE(prompter_.asked.empty());
  EXPECT_FALSE(system().files().Exists(GetShellFolder(system(), "Programs") + "\\Maker"));
}

TEST_F(WizardModelTest, ShortcutPageOnNtListsProgramFoldersAndRemembersTheUserChoice) {
  EXPECT_TRUE(RegWriteInteger(system(), kMachine, std::string(kSettingKey), "StartUser", 0).ok());
  const std::string all_users = GetDefaultShellFolder(system(), "Programs", "All Users");
  for (const char* sub : {"\\Zeta", "\\alpha", "\\.hidden"}) {
    ASSERT_TRUE(system().files().CreateFolderTree(all_users + sub).ok());
  }
  WizardModel& m = Start("[Link]\nCount=2\nMenu=1\nDesktop=1\nDesktopCheck=0\nStartup=0\n");
  EXPECT_TRUE(m.control(Control::kRadioButton601).checked);
  EXPECT_EQ(m.control(Control::kListBox601).items,
            (std::vector<std::string>{"alpha", "Zeta", "スタートアップ"}));
  EXPECT_EQ(m.control(Control::kEdit601).text, "");  // SSetup below 1
  EXPECT_FALSE(m.control(Control::kEdit601).enabled);
  EXPECT_TRUE(m.control(Control::kCheckBox601).checked);
  EXPECT_TRUE(m.control(Control::kCheckBox603).enabled);
  EXPECT_FALSE(m.control(Control::kCheckBox603).checked);  // "0"
  EXPECT_FALSE(m.control(Control::kCheckBox602).enabled);
  m.SetChecked(Control::kRadioButton602, true);
  EXPECT_FALSE(m.control(Control::kRadioButton601).checked);
  EXPECT_EQ(m.control(Control::kListBox601).items, std::vector<std::string>{"スタートアップ"});
  NextTo(9);  // Edit601 disabled: nothing checked
  EXPECT_TRUE(prompter_.asked.empty());
}

TEST_F(WizardModelTest, ExtensionStatesAndTheRestoreButton) {
  const RegistryRoot classes = RegistryRoot::kClassesRoot;
  EXPECT_TRUE(RegWriteString(system(), classes, ".txt", "Other", "x").ok());
  EXPECT_TRUE(RegWriteString(system(), classes, ".doc", "", "Word.Document").ok());
  EXPECT_TRUE(RegWriteString(system(), classes, "Word.Document", "", "Word 文書").ok());
  WizardModel& m =
      Start("[Extension]\nCount=3\nExtension1=txt\nCheck1=1\nExtension2=abc\nExtension3=doc\nCheck3=1\n");
  EXPECT_EQ(m.control(Control::kListBox701).items,
            (std::vector<std::string>{"txt … TXT ファイル", "abc … (なし)", "doc … Word 文書"}));
  EXPECT_EQ(m.control(Control::kListBox701).selected, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(m.control(Control::kLabel1102).text,
            "次に実行する項目を選択して、\n[終了]をクリックしてください。");
  m.SetSelected(Control::kListBox701, 0, false);
  m.SetSelected(Control::kListBox701, 1, true);
  m.SetChecked(Control::kCheckBox701, false);
  EXPECT_FALSE(m.control(Control::kListBox701).enabled);
  EXPECT_FALSE(m.Choices().associate);
  m.SpeedButton702Click();
  EXPECT_TRUE(m.control(Control::kListBox701).enabled);
  EXPECT_EQ(m.Choices().selected_extensions, (std::vector<int>{0, 2}));
}

TEST_F(WizardModelTest, FavouritesPageSlotsAndChecks) {
  WizardModel& m = Start(
      "[Favorites]\nCount=2\nName1=A&B\nURL1=http://a/\nName2=Two\nURL2=http://b/\nCheck2=0\n"
      "Name3=NoUrl\n");
  EXPECT_EQ(m.control(Control::kCheckBox803).text, "A&&B");
  EXPECT_TRUE(m.control(Control::kCheckBox803).checked);
  EXPECT_FALSE(m.control(Control::kCheckBox804).checked);
  EXPECT_FALSE(m.control(Control::kCheckBox805).visible);
  EXPECT_FALSE(m.control(Control::kLabel804).visible);
  EXPECT_FALSE(m.control(Control::kCheckBox802).checked);  // no bookmark file
  EXPECT_FALSE(m.control(Control::kEdit802).enabled);
  NextTo(8);
  m.SetChecked(Control::kCheckBox802, true);
  m.SetText(Control::kEdit802, "C:\\nothing.htm");
  m.Button2Click();
  EXPECT_EQ(prompter_.asked.back().text, "ファイルが存在しません。\nC:\\nothing.htm");
  EXPECT_EQ(m.focus_request(), Control::kEdit802);
  ASSERT_TRUE(system().files().WriteFile("C:\\bookmark.htm", "<html>").ok());
  m.SetText(Control::kEdit802, "C:\\bookmark.htm");
  m.Button2Click();
  EXPECT_EQ(m.page(), 9);
  const InstallChoices choices = m.Choices();
  EXPECT_EQ(choices.favorite_slot_visible, (std::array<bool, 3>{true, true, false}));
  EXPECT_EQ(choices.favorite_slot_checked[1], false);
}

TEST_F(WizardModelTest, FinishChoicesLockTheRestartBoxWithoutForceButNotTheRunBoxes) {
  WizardModel& m = Start(
      "[Run]\nReStart=1\nCheck=1\nCaption1=起動\nCommand1=<Setup>\\a.exe\n"
      "Caption2=NoCommand\nCaption3=Locked\nCommand3=b.exe\nCheck3=0\nForce3=1\n");
  const ControlState& restart = m.control(Control::kCheckBox1101);
  EXPECT_TRUE(restart.visible && restart.checked);
  EXPECT_FALSE(restart.enabled);
  EXPECT_TRUE(m.control(Control::kCheckBox1102).visible && m.control(Control::kCheckBox1102).enabled &&
              m.control(Control::kCheckBox1102).checked);
  EXPECT_FALSE(m.control(Control::kCheckBox1103).visible);
  EXPECT_FALSE(m.control(Control::kCheckBox1104).enabled || m.control(Control::kCheckBox1104).checked);
  EXPECT_EQ(m.Choices().run_visible, (std::array<bool, 3>{true, false, true}));
}

TEST_F(WizardModelTest, CloseQuestionPerPageKindAndCleanUpStartAfterTheEnd) {
  WizardModel& m = Start("MakeWay=2\n", "C:\\PKG\\", {"/D"});
  m.Button3Click();
  ASSERT_TRUE(m.close_requested());
  prompter_.answers = {Answer::kNo};
  EXPECT_FALSE(m.FormCloseQuery());
  const Message& question = prompter_.asked.back();
  EXPECT_EQ(question.text, "インストールを中止してもよろしいですか？");
  EXPECT_EQ(question.icon, MessageIcon::kQuestion);
  EXPECT_EQ(question.default_answer, Answer::kNo);
  EXPECT_EQ(m.page(), 2);
  EXPECT_TRUE(launcher_.started.empty());
  EXPECT_TRUE(m.FormKeyPress(27));
  prompter_.answers = {Answer::kYes};
  EXPECT_TRUE(m.FormCloseQuery());
  EXPECT_EQ(m.page(), 1);
  EXPECT_EQ(launcher_.started, std::vector<std::string>{"C:\\WINDOWS\\kestro.exe|/d \"C:\\PKG\""});
}

// A close during the engine waits for its end; an abort ends the wizard.
// Either way the wizard closes without the question or the finish actions.
TEST_F(WizardModelTest, AfterTheEngineAClosePendingOrAnAbortClosesAtOnce) {
  for (const bool abort : {false, true}) {
    WizardModel& m = Start("");
    engines_.result = abort ? EngineResult::kAborted : EngineResult::kCompleted;
    engines_.during_engine = [&] {
      EXPECT_TRUE(m.FormKeyPress(27));
      EXPECT_FALSE(m.FormCloseQuery());  // the window's own close waits too
    };
    NextTo(9);
    m.Button2Click();
    EXPECT_EQ(m.page(), abort ? 1 : 11);
    ASSERT_TRUE(m.close_requested());
    EXPECT_TRUE(m.FormCloseQuery());
    EXPECT_TRUE(prompter_.asked.empty());
    EXPECT_EQ(engines_.finish_installs, 0);
  }
}

TEST_F(WizardModelTest, UninstallModeFromTheRecord) {
  const std::string k = RecordKey("App");
  EXPECT_TRUE(RegWriteString(system(), kMachine, k, "Name", "アプリ").ok());
  EXPECT_TRUE(RegWriteInteger(system(), kMachine, k + "\\UnOutline", "Count", 3).ok());
  EXPECT_TRUE(RegWriteString(system(), kMachine, k + "\\UnOutline", "Text1", "one").ok());
  EXPECT_TRUE(RegWriteString(system(), kMachine, k + "\\UnOutline", "Text2", "two").ok());
  EXPECT_TRUE(RegWriteInteger(system(), kMachine, std::string(kSettingKey), "DeleteToDustBox", 1).ok());
  EXPECT_TRUE(RegWriteInteger(system(), kMachine, k + "\\UnRun", "ReStart", 1).ok());
  EXPECT_TRUE(RegWriteInteger(system(), kMachine, k + "\\UnRun", "Check", 1).ok());
  WizardModel m(Run("C:\\WINDOWS\\"), WizardStart::Uninstall("App"), engines_);
  m.FormShow();
  EXPECT_EQ(m.page(), 12);
  EXPECT_EQ(m.page_mask(), "0000000000111");
  EXPECT_EQ(m.caption(), "アンインストール開始");
  EXPECT_FALSE(m.control(Control::kButton1).visible);
  EXPECT_EQ(m.control(Control::kButton2).text, "開始(&S) >");
  EXPECT_EQ(m.focus_request(), Control::kButton3);
  EXPECT_EQ(m.control(Control::kLabel1201).text, "アプリ");
  EXPECT_EQ(m.control(Control::kMemo1201).items, (std::vector<std::string>{"one", "two"}));
  EXPECT_TRUE(m.control(Control::kCheckBox1201).checked);  // machine-wide choice
  EXPECT_TRUE(m.control(Control::kCheckBox1401).visible);
  EXPECT_EQ(engines_.pending_removals, 1);

  m.Button3Click();
  prompter_.answers = {Answer::kNo};
  EXPECT_FALSE(m.FormCloseQuery());
  EXPECT_EQ(prompter_.asked.back().text, "アンインストールを中止してもよろしいですか？");

  m.Button2Click();
  EXPECT_EQ(engines_.uninstalls, std::vector<std::string>{"App"});
  EXPECT_TRUE(engines_.uninstall_recycle);
  EXPECT_FALSE(m.control(Control::kLabel1304).enabled);
  EXPECT_EQ(m.control(Control::kProgressBar1302).maximum, 4);
  EXPECT_EQ(m.page(), 14);
  EXPECT_EQ(m.control(Control::kButton2).text, "終了(&E)");
  m.Button2Click();
  EXPECT_EQ(engines_.finish_uninstalls, std::vector<bool>{true});
  EXPECT_TRUE(m.close_requested());
  EXPECT_TRUE(m.FormCloseQuery());
  EXPECT_EQ(prompter_.asked.size(), 1u);
}

TEST_F(WizardModelTest, CleanUpOfAHostFolderNamesThatFolder) {
  SetupScript script = WriteScript("Name=製品\n");
  // "/d /home/taro/pkg": the folder was given drive D: for this run.
  WizardModel m(Run("D:\\", {"/d", "/home/taro/pkg"}), WizardStart::CleanUp("D:\\", script), engines_);
  m.FormShow();
  EXPECT_EQ(m.control(Control::kLabel1).text,
            "/home/taro/pkg\nインストールに使用した一時ファイルを削除しますか？");
  m.Button4Click();
  EXPECT_EQ(engines_.clean_ups, std::vector<std::string>{"D:\\|delete"});
}

TEST_F(WizardModelTest, CleanUpModeAsksNothingAndHandsTheFolderOver) {
  SetupScript script = WriteScript("Name=製品\n");
  WizardModel m(Run(), WizardStart::CleanUp("C:\\PKG", script), engines_);
  m.FormShow();
  EXPECT_EQ(m.page(), 0);
  EXPECT_EQ(m.caption(), "製品");
  EXPECT_EQ(m.control(Control::kLabel1).text, "C:\\PKG\nインストールに使用した一時ファイルを削除しますか？");
  EXPECT_TRUE(m.control(Control::kPanel1).visible);
  EXPECT_FALSE(m.close_command_enabled());
  EXPECT_FALSE(m.FormKeyPress(27));
  EXPECT_FALSE(m.close_requested());
  m.Button6Click();
  EXPECT_EQ(engines_.clean_ups, std::vector<std::string>{"C:\\PKG|recycle"});
  EXPECT_EQ(m.caption(), "削除中...");
  EXPECT_FALSE(m.window_enabled());
  EXPECT_TRUE(m.FormCloseQuery());
  EXPECT_TRUE(prompter_.asked.empty());
}

}  // namespace
}  // namespace setup::wizard
