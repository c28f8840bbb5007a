#include "setup/app/window/work_box.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <thread>

#include "platform/ui/scripted_dialogs.h"
#include "platform/ui/test_application.h"
#include "setup/app/window/pump_throttle.h"
#include "setup/app/window/target_file_session.h"
#include "setup/app/work_box_layout.h"
#include "setup/wizard/model/wizard_pages.h"
#include "setup/wizard/model/wizard_test_support.h"

namespace setup::window {
namespace {

using platform::ui::testing::TestApplication;
using wizard::Answer;
using wizard::ControlName;
using wizard::WizardModel;
using wizard::WizardStart;

// Chooses a folder, or cancels when none is queued.
class ScriptedFolders : public FolderPicker {
 public:
  std::vector<std::string> captions;
  std::vector<std::string> starts;
  std::optional<std::string> choice;
  bool Run(BrowseSession& session, BrowseItem* chosen) override {
    captions.push_back(session.dialog().Caption);
    starts.push_back(session.preselection());
    if (!choice) return false;
    *chosen = {"x", *choice, true};
    return true;
  }
  // The file dialog: what it was opened with, and the typed name's file.
  std::vector<TargetFileRequest> file_requests;
  std::vector<std::string> file_folders;
  std::optional<std::string> typed_file;
  std::optional<std::string> ChooseFile(TargetFileSession& session) override {
    file_requests.push_back(session.request());
    file_folders.push_back(session.folder());
    if (!typed_file) return std::nullopt;
    return session.ResolveFile(*typed_file);
  }
};

class WorkBoxTest : public wizard::testing::WizardTestBase {
 protected:
  WorkBoxTest() { TestApplication(); }
  ~WorkBoxTest() override {
    if (box_) box_->hide();
  }

  TWorkBox& Open(WizardStart start) {
    run_ = std::make_unique<wizard::SetupRun>(
        wizard::SetupRun{system(), prompter_, log_, launcher_, progress_, {}, "C:\\PKG\\", arguments_});
    model_ = std::make_unique<WizardModel>(*run_, std::move(start), engines_, &measure_);
    box_ = std::make_unique<TWorkBox>(*model_, system(), folders_);
    progress_.Attach(box_.get());
    box_->Start();
    box_->show();
    QTest::qWait(5);  // the start checks' timer
    return *box_;
  }
  TWorkBox& OpenSetup(const std::string& body) { return Open(WizardStart::Setup(WriteScript(body))); }

  template <typename T = QWidget>
  T* W(wizard::Control name) {
    auto* widget = qobject_cast<T*>(box_->Widget(name));
    EXPECT_NE(widget, nullptr) << ControlName(name);
    return widget;
  }
  void Click(wizard::Control name) { W<QPushButton>(name)->click(); }
  bool Shown(wizard::Control name) { return box_->Widget(name) && box_->Widget(name)->isVisible(); }
  std::string Title() { return box_->windowTitle().toStdString(); }

  WorkBoxProgress progress_;
  LabelWidthMeasure measure_;
  platform::ui::testing::ScriptedDialogs dialogs_;
  ScriptedFolders folders_;
  std::vector<std::string> arguments_;
  std::unique_ptr<wizard::SetupRun> run_;
  std::unique_ptr<WizardModel> model_;
  std::unique_ptr<TWorkBox> box_;
};

TEST_F(WorkBoxTest, EveryControlOfTheModelIsAWidgetOnItsPanel) {
  TWorkBox& box = OpenSetup("");
  EXPECT_EQ(box.size(), QSize(465, 302));
  for (const wizard::Control name : wizard::AllControls()) {
    QWidget* widget = box.Widget(name);
    ASSERT_NE(widget, nullptr) << ControlName(name);
    EXPECT_EQ(widget->objectName().toStdString(), ControlName(name));
    const std::optional<wizard::Control> parent = ParentOf(name);
    const std::string expected = parent ? std::string(ControlName(*parent)) : "";
    const std::string actual =
        widget->parentWidget() == &box ? "" : widget->parentWidget()->objectName().toStdString();
    EXPECT_EQ(actual, expected) << ControlName(name);
    if (KindOf(name) != ControlKind::kPanel && name != wizard::Control::kBevel1) {
      EXPECT_NE(FindPlace(name), nullptr) << ControlName(name);
    }
  }
  for (int page = 2; page <= 14; ++page) {
    QWidget* panel = box.Widget(wizard::PagePanel(page));
    EXPECT_EQ(panel->geometry(), QRect(144, 0, 313, 262)) << page;
    EXPECT_EQ(panel->isVisible(), page == 2) << page;
  }
  EXPECT_EQ(Title(), "概要");
  EXPECT_FALSE(W(wizard::Control::kButton1)->isEnabled());
  EXPECT_EQ(W<QPushButton>(wizard::Control::kButton2)->text(), "次へ(&N) >");
  EXPECT_TRUE(W<QPushButton>(wizard::Control::kButton2)->isDefault());
  EXPECT_TRUE(W<QLabel>(wizard::Control::kLabel201)->text().startsWith("インストールを開始します。\n\n"));
  EXPECT_FALSE(W<QLabel>(wizard::Control::kImage1)->pixmap().isNull());
  EXPECT_EQ(W<QLabel>(wizard::Control::kImage1)->pixmap().width(), 120);
}

TEST_F(WorkBoxTest, ClickingThroughSkipsPagesBothWaysWithCaptionsAndButtons) {
  OpenSetup("[Licence]\nCount=1\nText1=第1条\n[Extension]\nCount=1\nExtension1=pkc\nCheck1=1\n");
  Click(wizard::Control::kButton2);
  EXPECT_TRUE(Shown(wizard::Control::kPanel303));
  EXPECT_FALSE(Shown(wizard::Control::kPanel203));
  EXPECT_EQ(Title(), "ライセンス契約");
  EXPECT_EQ(W<QPushButton>(wizard::Control::kButton2)->text(), "はい(&Y)");
  EXPECT_EQ(W<QPushButton>(wizard::Control::kButton3)->text(), "いいえ(&N)");
  EXPECT_EQ(W<QPlainTextEdit>(wizard::Control::kMemo301)->toPlainText(), "第1条");
  Click(wizard::Control::kButton2);
  EXPECT_EQ(Title(), "関連付け");  // pages 4, 5 and 6 are off
  auto* list = W<QListWidget>(wizard::Control::kListBox701);
  ASSERT_EQ(list->count(), 1);
  EXPECT_TRUE(list->item(0)->isSelected());
  // Ctrl-click style deselection reaches the model, and the restore button
  // brings the script's choice back.
  list->item(0)->setSelected(false);
  EXPECT_FALSE(model_->control(wizard::Control::kListBox701).selected[0]);
  Click(wizard::Control::kSpeedButton702);
  EXPECT_TRUE(list->item(0)->isSelected());
  W<QCheckBox>(wizard::Control::kCheckBox701)->click();
  EXPECT_FALSE(list->isEnabled());
  Click(wizard::Control::kButton2);
  EXPECT_EQ(Title(), "インストール開始");
  EXPECT_EQ(W<QPushButton>(wizard::Control::kButton2)->text(), "開始(&S) >");
  Click(wizard::Control::kButton1);
  Click(wizard::Control::kButton1);
  EXPECT_EQ(Title(), "ライセンス契約");
  EXPECT_TRUE(prompter_.asked.empty());  // Back never checks
}

TEST_F(WorkBoxTest, RefusalShowsItsMessageAndFocusesTheField) {
  OpenSetup("[UserInfomation]\nCount=1\nCaption1=お名前(&N):\nNull1=1\nText1=\n");
  box_->activateWindow();
  Click(wizard::Control::kButton2);
  EXPECT_EQ(Title(), "ユーザー情報");
  W<QLineEdit>(wizard::Control::kEdit401)->setFocus();
  Click(wizard::Control::kButton3);  // the close question: answered No, so the page stays
  EXPECT_TRUE(box_->isVisible());
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].text, "インストールを中止してもよろしいですか？");
  W<QPushButton>(wizard::Control::kButton2)->setFocus();
  QTest::keyClicks(W<QLineEdit>(wizard::Control::kEdit401), "   ");
  EXPECT_EQ(model_->control(wizard::Control::kEdit401).text, "   ");
  Click(wizard::Control::kButton2);
  ASSERT_EQ(prompter_.asked.size(), 2u);
  EXPECT_EQ(prompter_.asked[1].text, "お名前を入力してください。");
  EXPECT_EQ(box_->focusWidget(), W(wizard::Control::kEdit401));
  EXPECT_EQ(Title(), "ユーザー情報");
  EXPECT_EQ(W<QLabel>(wizard::Control::kLabel402)->buddy(),
            W(wizard::Control::kEdit401));  // "お名前(&N):" reaches its field
  // Return presses Next, the default button.
  W<QLineEdit>(wizard::Control::kEdit401)->setText("");
  QTest::keyClicks(W<QLineEdit>(wizard::Control::kEdit401), "Yamada");
  QTest::keyClick(W<QLineEdit>(wizard::Control::kEdit401), Qt::Key_Return);
  EXPECT_EQ(Title(), "インストール開始");
}

// The focus after a page change is the page's first input control, or Next
// when it has none; never Back, where a second Return would go back.
TEST_F(WorkBoxTest, ReturnMovesOnAndTheFocusLandsOnThePageNeverOnBack) {
  ASSERT_TRUE(system().files().CreateFolderTree("C:\\Program Files").ok());
  OpenSetup(
      "[Licence]\nCount=1\nText1=第1条\n[UserInfomation]\nCount=1\nCaption1=氏名\n"
      "[Install]\nUse=1\nDefault=C:\\Program Files\\Maker\n"
      "[Link]\nCount=1\nSSetup=1\nDefault=Maker\nLink1=<SSetup>\\a.lnk\n");
  box_->activateWindow();
  const auto press_return = [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); };
  W(wizard::Control::kButton2)->setFocus();
  press_return();
  EXPECT_EQ(Title(), "ライセンス契約");
  EXPECT_EQ(QApplication::focusWidget(), W(wizard::Control::kButton2));  // nothing to type in
  press_return();
  EXPECT_EQ(Title(), "ユーザー情報");
  EXPECT_EQ(QApplication::focusWidget(), W(wizard::Control::kEdit401));
  press_return();
  EXPECT_EQ(Title(), "インストール先");
  EXPECT_EQ(QApplication::focusWidget(), W(wizard::Control::kRadioButton501));
  W(wizard::Control::kEdit501)->setFocus();
  press_return();
  EXPECT_EQ(Title(), "ショートカット");
  EXPECT_NE(QApplication::focusWidget(), W(wizard::Control::kButton1));
  EXPECT_EQ(QApplication::focusWidget()->parentWidget(), W(wizard::Control::kPanel603));
}

TEST_F(WorkBoxTest, PageFiveTabsFromTopToBottom) {
  OpenSetup("[Install]\nUse=1\nDefault=C:\\App\n");
  std::vector<std::string> order;
  QWidget* widget = W(wizard::Control::kRadioButton501);
  for (int i = 0; i < 200 && order.size() < 5; ++i, widget = widget->nextInFocusChain()) {
    if (widget->parentWidget() == W(wizard::Control::kPanel503) && (widget->focusPolicy() & Qt::TabFocus)) {
      order.push_back(widget->objectName().toStdString());
    }
  }
  EXPECT_EQ(order, (std::vector<std::string>{"RadioButton501", "Edit501", "SpeedButton502", "RadioButton502",
                                             "CheckBox501"}));
}

// The close box is gone while the engine works and comes back after it.
TEST_F(WorkBoxTest, TheCloseBoxIsHiddenOnlyWhileTheEngineWorks) {
  OpenSetup("");
  const auto close_box = [&] { return box_->windowHandle()->flags().testFlag(Qt::WindowCloseButtonHint); };
  EXPECT_TRUE(close_box());
  bool during = true;
  engines_.during_engine = [&] {
    progress_.StepStarted(0);
    during = close_box();
    progress_.StepFinished(0);
  };
  Click(wizard::Control::kButton2);
  Click(wizard::Control::kButton2);
  EXPECT_FALSE(during);
  EXPECT_EQ(Title(), "インストール完了");
  EXPECT_TRUE(box_->isVisible());
  EXPECT_TRUE(close_box());
}

TEST_F(WorkBoxTest, TheWizardComesBackToTheFront) {
  Open(WizardStart::Uninstall("Kestro"));
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  progress_.BringToFront();
  EXPECT_TRUE(QTest::qWaitForWindowActive(box_.get()));
  EXPECT_EQ(QApplication::activeWindow(), box_.get());
}

// The access key of a caption ("お名前(&N):" gives n), or 0.
char16_t AccessKey(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text[i + 1].toLower().unicode();
    ++i;  // "&&" is a plain "&"
  }
  return 0;
}

// The example package shipped with the program, in the source tree.
std::filesystem::path ExamplePackageScript() {
  return std::filesystem::path(QT_TESTCASE_SOURCEDIR) / "../../../examples/setup-package/Setup.dat";
}

// On every page of the example package each access key is used once, the
// bottom buttons' included (a caption with "&N" would take Next's key).
TEST_F(WorkBoxTest, TheExamplePackageUsesEachAccessKeyOnceAPage) {
  const std::filesystem::path script = ExamplePackageScript();
  ASSERT_TRUE(std::filesystem::exists(script));
  ASSERT_TRUE(system().files().CreateFolderTree("C:\\Program Files").ok());
  Open(WizardStart::Setup(SetupScript(script)));
  std::set<int> pages;
  for (int i = 0; i < 12 && model_->page() < 9; ++i) {
    const int page = model_->page();
    pages.insert(page);
    QWidget* panel = box_->Widget(wizard::PagePanel(page));
    std::map<char16_t, QString> keys;
    QList<QWidget*> widgets = panel->findChildren<QWidget*>();
    for (const wizard::Control button :
         {wizard::Control::kButton1, wizard::Control::kButton2, wizard::Control::kButton3})
      widgets.push_back(W(button));
    for (QWidget* widget : widgets) {
      if (!widget->isVisible()) continue;
      QString text;
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
      if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) text = label->text();
      const char16_t key = AccessKey(text);
      if (key == 0) continue;
      EXPECT_FALSE(keys.count(key)) << "page " << page << ": " << text.toStdString() << " and "
                                    << keys[key].toStdString();
      keys[key] = text;
    }
    if (page == 4 && W<QLineEdit>(wizard::Control::kEdit401)->text().isEmpty()) {
      QTest::keyClicks(W(wizard::Control::kEdit401), "Yamada");
    }
    Click(wizard::Control::kButton2);
  }
  EXPECT_EQ(model_->page(), 9);
  EXPECT_TRUE(pages.count(4)) << "the example package asks for a name";
}

TEST_F(WorkBoxTest, EscapeAsksTheCloseQuestionAndYesEnds) {
  OpenSetup("");
  prompter_.answers = {Answer::kNo, Answer::kYes};
  QTest::keyClick(box_.get(), Qt::Key_Escape);
  EXPECT_TRUE(box_->isVisible());
  QTest::keyClick(box_.get(), Qt::Key_Escape);
  EXPECT_FALSE(box_->isVisible());
  EXPECT_EQ(model_->page(), 1);
  ASSERT_EQ(prompter_.asked.size(), 2u);
  EXPECT_EQ(prompter_.asked[1].default_answer, Answer::kNo);
}

TEST_F(WorkBoxTest, EngineMovesMarkerBoldLabelAndBarsAndEscapeClosesAfterIt) {
  OpenSetup("");
  engines_.install_maxima = {3, 0, 0, 2, 0};
  std::vector<std::string> during;
  engines_.during_engine = [&] {
    progress_.StepStarted(0);
    QLabel* label = W<QLabel>(wizard::Control::kLabel1003);
    QWidget* marker = W(wizard::Control::kImage1002);
    EXPECT_TRUE(Shown(wizard::Control::kPanel1003));  // the page is up while the engine works
    EXPECT_EQ(Title(), "インストール中");
    EXPECT_TRUE(marker->isVisible());
    EXPECT_EQ(marker->y(), label->y() + 1);
    EXPECT_TRUE(label->font().bold());
    EXPECT_FALSE(W(wizard::Control::kLabel1004)->isEnabled());  // a step without items
    // The bar moves at the window's pace; by the end of the step it shows
    // every item.
    progress_.Advanced(0);
    progress_.Advanced(0);
    EXPECT_LE(W<QProgressBar>(wizard::Control::kProgressBar1001)->value(), 2);
    std::this_thread::sleep_for(PumpThrottle::kInterval + std::chrono::milliseconds(5));
    progress_.Advanced(0);
    EXPECT_EQ(W<QProgressBar>(wizard::Control::kProgressBar1001)->value(), 3);
    EXPECT_EQ(W<QProgressBar>(wizard::Control::kProgressBar1001)->maximum(), 3);
    QTest::keyClick(box_.get(), Qt::Key_Escape);  // remembered, no question
    box_->close();                                // the title bar's Close is gone while the engine runs
    EXPECT_TRUE(box_->isVisible());
    progress_.StepFinished(0);
    EXPECT_FALSE(marker->isVisible());
    EXPECT_FALSE(label->font().bold());
    progress_.StepStarted(3);
    EXPECT_EQ(W(wizard::Control::kImage1002)->y(), W(wizard::Control::kLabel1006)->y() + 1);
    // Items counted within one frame show when the step ends.
    progress_.Advanced(3);
    progress_.Advanced(3);
    progress_.StepFinished(3);
    EXPECT_EQ(W<QProgressBar>(wizard::Control::kProgressBar1004)->value(), 2);
  };
  Click(wizard::Control::kButton2);  // to page 9
  Click(wizard::Control::kButton2);  // start
  ASSERT_EQ(engines_.installs.size(), 1u);
  EXPECT_FALSE(box_->isVisible());
  EXPECT_TRUE(prompter_.asked.empty());
}

TEST_F(WorkBoxTest, BrowseButtonsFillTheirEditsFromThePickers) {
  ASSERT_TRUE(system().files().CreateFolderTree("C:\\Apps").ok());
  ASSERT_TRUE(system().files().CreateFolderTree("C:\\Netscape").ok());
  ASSERT_TRUE(system().files().WriteFile("C:\\Netscape\\bookmark.htm", "<html>").ok());
  OpenSetup(
      "[Install]\nUse=1\nDefault=C:\\Program Files\\Kestro\\\nSize=10\n"
      "[Favorites]\nCount=1\nName1=Kestro\nURL1=http://example.com/\n");
  Click(wizard::Control::kButton2);
  EXPECT_EQ(Title(), "インストール先");
  folders_.choice = "C:\\Apps";
  Click(wizard::Control::kSpeedButton502);
  EXPECT_EQ(folders_.captions.back(), "インストール先");
  EXPECT_EQ(folders_.starts.back(), "C:\\Program Files\\Kestro");
  EXPECT_EQ(W<QLineEdit>(wizard::Control::kEdit501)->text(), "C:\\Apps");
  EXPECT_FALSE(W<QLabel>(wizard::Control::kLabel505)->text().isEmpty());  // Edit501Change ran
  folders_.choice.reset();
  Click(wizard::Control::kSpeedButton502);  // cancelled: nothing changes
  EXPECT_EQ(W<QLineEdit>(wizard::Control::kEdit501)->text(), "C:\\Apps");

  Click(wizard::Control::kButton2);
  EXPECT_EQ(Title(), "お気に入り");
  // The bookmark file is chosen on the target system's drives, in Windows
  // paths; the host's own file dialog is not used.
  folders_.typed_file = "C:\\NETSCAPE\\bookmark";
  if (!W<QCheckBox>(wizard::Control::kCheckBox802)->isChecked())
    W<QCheckBox>(wizard::Control::kCheckBox802)->click();
  EXPECT_TRUE(W(wizard::Control::kSpeedButton803)->isEnabled());
  Click(wizard::Control::kSpeedButton803);
  ASSERT_EQ(folders_.file_requests.size(), 1u);
  EXPECT_EQ(folders_.file_requests[0].title, "ブックマーク");
  EXPECT_EQ(folders_.file_requests[0].default_extension, "htm");
  EXPECT_TRUE(dialogs_.file_requests.empty());
  EXPECT_EQ(W<QLineEdit>(wizard::Control::kEdit802)->text(), "C:\\Netscape\\bookmark.htm");
  // Cancelled: nothing changes; the dialog starts at the file chosen.
  folders_.typed_file.reset();
  Click(wizard::Control::kSpeedButton803);
  EXPECT_EQ(folders_.file_folders.back(), "C:\\Netscape");
  EXPECT_EQ(W<QLineEdit>(wizard::Control::kEdit802)->text(), "C:\\Netscape\\bookmark.htm");
}

TEST_F(WorkBoxTest, LongFavouriteAddressIsShortenedWithTheWindowFontAndHinted) {
  const std::string url = "http://example.com/" + std::string(200, 'a');
  OpenSetup("[Favorites]\nCount=1\nName1=A&B\nURL1=" + url + "\n");
  Click(wizard::Control::kButton2);
  auto* label = W<QLabel>(wizard::Control::kLabel802);
  EXPECT_TRUE(label->text().endsWith("..."));
  EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width());
  EXPECT_EQ(label->toolTip().toStdString(), url);
  EXPECT_EQ(W<QCheckBox>(wizard::Control::kCheckBox803)->text(), "A&&B");
}

TEST_F(WorkBoxTest, UninstallModeHidesBackAndPutsNextBesideCancel) {
  Open(WizardStart::Uninstall("Kestro"));
  EXPECT_FALSE(W(wizard::Control::kButton1)->isVisible());
  EXPECT_EQ(W(wizard::Control::kButton2)->x() + W(wizard::Control::kButton2)->width(),
            W(wizard::Control::kButton3)->x());
  EXPECT_EQ(W<QPushButton>(wizard::Control::kButton2)->text(), "開始(&S) >");
  EXPECT_TRUE(Shown(wizard::Control::kPanel1203));
  EXPECT_TRUE(Shown(wizard::Control::kLabel1211));
  EXPECT_TRUE(W<QLabel>(wizard::Control::kLabel1211)->text().startsWith("kestro Setup for Windows\n"));
  EXPECT_EQ(box_->focusWidget(), W(wizard::Control::kButton3));
}

TEST_F(WorkBoxTest, CleanUpWindowIsShapedToItsPanelAndOnlyItsButtonsClose) {
  arguments_ = {"/d", "C:\\PKG"};
  Open(WizardStart::CleanUp("C:\\PKG", WriteScript("[Define]\nName=Kestro\n")));
  EXPECT_EQ(box_->size(), QSize(kCleanUpPanelWidth, kCleanUpPanelHeight));
  EXPECT_EQ(W(wizard::Control::kPanel1)->pos(), QPoint(0, 0));
  EXPECT_TRUE(Shown(wizard::Control::kPanel1));
  EXPECT_FALSE(W<QLabel>(wizard::Control::kImage2)->pixmap().isNull());
  EXPECT_EQ(W<QLabel>(wizard::Control::kLabel1)->text(),
            "C:\\PKG\nインストールに使用した一時ファイルを削除しますか？");
  QTest::keyClick(box_.get(), Qt::Key_Escape);
  box_->close();
  EXPECT_TRUE(box_->isVisible());
  Click(wizard::Control::kButton6);
  EXPECT_FALSE(box_->isVisible());
  EXPECT_EQ(engines_.clean_ups, std::vector<std::string>{"C:\\PKG|recycle"});
}

TEST_F(WorkBoxTest, ReturnAnswersTheCleanUpQuestionWithItsDefaultButton) {
  arguments_ = {"/d", "C:\\PKG"};
  Open(WizardStart::CleanUp("C:\\PKG", WriteScript("[Define]\nName=Kestro\n")));
  box_->activateWindow();
  EXPECT_TRUE(W<QPushButton>(wizard::Control::kButton4)->isDefault());
  EXPECT_FALSE(W<QPushButton>(wizard::Control::kButton2)->isDefault());
  EXPECT_EQ(box_->focusWidget(), W(wizard::Control::kButton4));
  QTest::keyClick(box_->focusWidget(), Qt::Key_Return);
  EXPECT_FALSE(box_->isVisible());
  EXPECT_EQ(engines_.clean_ups, std::vector<std::string>{"C:\\PKG|delete"});
}

}  // namespace
}  // namespace setup::window
