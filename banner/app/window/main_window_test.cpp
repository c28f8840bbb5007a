#include "banner/app/window/main_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "banner/app/picture_codecs.h"
#include "banner/app/settings_file.h"
#include "banner/app/window/bitmap_image.h"
#include "banner/app/window/color_swatch.h"
#include "banner/app/window/preview_box.h"
#include "banner/app/window/tab_control.h"
#include "banner/app/window/test_application.h"
#include "banner/render/fake_font_backend.h"
#include "platform/atomic_file.h"
#include "platform/cp932.h"
#include "platform/testing/temp_dir.h"
#include "platform/ui/scripted_dialogs.h"
#include "platform/ui/up_down_control.h"
#include "platform/ui/widget_placement.h"

namespace plakato {

using platform::ui::Answer;
using platform::ui::FontChoice;
using platform::ui::IsLabelRed;
using platform::ui::kListHeight;
using platform::ui::UpDownControl;
using platform::ui::testing::ScriptedDialogs;
namespace {

using testing::Find;

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    testing::TestApplication();
    window_ = std::make_unique<MainWindow>(std::make_unique<BannerEditor>(BannerRenderer::CreateDefault()),
                                           &dialogs_);
    window_->show();
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  template <typename T = QWidget>
  T* Get(const char* name) {
    T* widget = Find<T>(window_.get(), name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  BannerEditor& editor() { return window_->editor(); }

  // Types into a box and leaves it with the Tab key, as a user would.
  void TypeAndLeave(const char* box_name, const QString& text) {
    auto* box = Get<QLineEdit>(box_name);
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
    QApplication::processEvents();
  }

  bool Red(const char* label_name) { return IsLabelRed(Get<QLabel>(label_name)); }

  ScriptedDialogs dialogs_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(MainWindowTest, StartsAsDesigned) {
  EXPECT_EQ(window_->size(), QSize(452, 507));
  EXPECT_EQ(window_->windowTitle(), "Plakato");
  EXPECT_EQ(Get("cboSize")->geometry(), QRect(78, 10, 139, kListHeight));
  EXPECT_EQ(Get("txtUSizeW")->geometry(), QRect(319, 9, 48, 22));
  EXPECT_EQ(Get("txtUSizeH")->geometry(), QRect(388, 9, 48, 22));
  EXPECT_EQ(Get("sstabMain")->geometry(), QRect(11, 39, 432, 320));
  EXPECT_EQ(Get("picColor_2")->geometry(), QRect(350, 42, 36, 36));
  EXPECT_EQ(Get("picStrColor_3")->geometry(), QRect(356, 119, 36, 36));
  EXPECT_EQ(Get("cmdSelFont")->geometry(), QRect(296, 69, 84, 25));
  EXPECT_EQ(Get("cmdSaveImage")->geometry(), QRect(303, 362, 140, 28));
  EXPECT_EQ(QRect(Get("picPreview")->mapTo(window_.get(), QPoint()), Get("picPreview")->size()),
            QRect(9, 435, 88, 31));
  EXPECT_EQ(Get<QPushButton>("cmdLoadConf")->text(), "設定情報読込(&L)...");
  EXPECT_EQ(Get<QRadioButton>("optBackGround_2")->text(), "グラデーション（3色）");
  EXPECT_EQ(Get<TabControl>("sstabMain")->currentIndex(), 0);

  for (const char* name : {"txtUSizeW", "txtUSizeH", "cmdSelImage", "cmdSelFont", "cboStrLocate", "cboGraDir",
                           "cboStrGraDir", "cboShadowDir", "updOffset"}) {
    EXPECT_FALSE(Get(name)->isEnabled()) << name;
  }
  for (const char* name : {"cboSize", "cboGraDir", "cboStrGraDir", "cboStrLocate", "cboShadowDir"}) {
    EXPECT_EQ(Get<QComboBox>(name)->currentIndex(), -1) << name;
  }
  EXPECT_TRUE(Get<QRadioButton>("optBackGround_0")->isChecked());
  EXPECT_TRUE(Get<QRadioButton>("optStrColor_0")->isChecked());
  EXPECT_TRUE(Red("labColor_0"));
  EXPECT_FALSE(Red("labColor_1"));
  EXPECT_FALSE(Red("labColor_2"));
  EXPECT_TRUE(Red("labStrColor_0"));
  EXPECT_FALSE(Red("labStrColor_1"));
  EXPECT_EQ(Get<ColorSwatch>("picColor_0")->color(), kWhite);
  EXPECT_EQ(Get<ColorSwatch>("picStrColor_0")->color(), kBlack);
  EXPECT_EQ(Get<ColorSwatch>("picStrColor_3")->color(), kWhite);
  EXPECT_EQ(Get<QLineEdit>("txtShadowOffs")->text(), "1");
  EXPECT_TRUE(Get<QLineEdit>("txtShadowOffs")->isReadOnly());
  EXPECT_FALSE(Get<QCheckBox>("chkOpenPrev")->isChecked());
  EXPECT_EQ(Get<QLabel>("labFont")->text(), "");
  EXPECT_EQ(editor().render_count(), 0);  // the preview stays empty until the first change
}

TEST_F(MainWindowTest, UserSizeBoxesFollowTheSizeList) {
  auto* sizes = Get<QComboBox>("cboSize");
  sizes->setCurrentIndex(kUserSizeItem);
  EXPECT_TRUE(Get("txtUSizeW")->isEnabled());
  EXPECT_TRUE(Get("txtUSizeH")->isEnabled());
  TypeAndLeave("txtUSizeW", "1500");
  EXPECT_EQ(Get<QLineEdit>("txtUSizeW")->text(), "150");
  EXPECT_EQ(editor().settings().Size.Width, "150");

  sizes->setCurrentIndex(1);
  EXPECT_FALSE(Get("txtUSizeW")->isEnabled());
  EXPECT_EQ(Get<QLineEdit>("txtUSizeW")->text(), "150");  // kept, only disabled
  EXPECT_EQ(Get("picPreview")->size(), QSize(200, 40));
}

TEST_F(MainWindowTest, RefusedUserSizeKeepsTheFocusWithTheTextSelected) {
  Get<QComboBox>("cboSize")->setCurrentIndex(kUserSizeItem);
  auto* width = Get<QLineEdit>("txtUSizeW");
  for (const QString& typed : {QString("0"), QString("-5"), QString("abc")}) {
    TypeAndLeave("txtUSizeW", typed);
    EXPECT_EQ(QApplication::focusWidget(), width) << typed.toStdString();
    EXPECT_EQ(width->text(), typed);
    EXPECT_EQ(width->selectedText(), typed);
  }
  // A usable size lets the focus go.
  TypeAndLeave("txtUSizeW", "64");
  EXPECT_EQ(QApplication::focusWidget(), Get("txtUSizeH"));
}

TEST_F(MainWindowTest, TallUserSizeGrowsTheWindowAndAPresetRestoresIt) {
  Get<QComboBox>("cboSize")->setCurrentIndex(kUserSizeItem);
  TypeAndLeave("txtUSizeW", "120");
  TypeAndLeave("txtUSizeH", "90");
  EXPECT_EQ(Get("picPreview")->size(), QSize(120, 90));
  EXPECT_EQ(window_->height(), 507 + 30);
  EXPECT_EQ(window_->width(), 452);
  Get<QComboBox>("cboSize")->setCurrentIndex(0);
  EXPECT_EQ(window_->height(), 507);
  EXPECT_EQ(Get("picPreview")->size(), QSize(88, 31));
}

TEST_F(MainWindowTest, BackgroundOptionsColourTheirLabels) {
  QTest::mouseClick(Get("optBackGround_1"), Qt::LeftButton);
  EXPECT_TRUE(Get("cboGraDir")->isEnabled());
  EXPECT_EQ(Get<QComboBox>("cboGraDir")->currentText(), "上→下");
  EXPECT_TRUE(Red("labColor_0"));
  EXPECT_TRUE(Red("labColor_1"));
  EXPECT_FALSE(Red("labColor_2"));
  EXPECT_FALSE(Get("cmdSelImage")->isEnabled());

  QTest::mouseClick(Get("optBackGround_3"), Qt::LeftButton);
  EXPECT_TRUE(Get("cmdSelImage")->isEnabled());
  EXPECT_FALSE(Get("cboGraDir")->isEnabled());
  EXPECT_FALSE(Red("labColor_0"));
  EXPECT_FALSE(Red("labColor_1"));
  EXPECT_FALSE(Red("labColor_2"));

  QTest::mouseClick(Get("optBackGround_2"), Qt::LeftButton);
  EXPECT_TRUE(Red("labColor_2"));
  EXPECT_EQ(editor().settings().BackGround.Pattern, 2);
}

TEST_F(MainWindowTest, TitleColourOneStaysRedAndShadowControlsFollowTheBox) {
  Get<TabControl>("sstabMain")->setCurrentIndex(1);
  for (const char* option : {"optStrColor_1", "optStrColor_2", "optStrColor_0"}) {
    QTest::mouseClick(Get(option), Qt::LeftButton);
    EXPECT_TRUE(Red("labStrColor_0")) << option;
  }
  QTest::mouseClick(Get("optStrColor_2"), Qt::LeftButton);
  EXPECT_TRUE(Red("labStrColor_2"));
  EXPECT_TRUE(Get("cboStrGraDir")->isEnabled());

  auto* shadow = Get<QCheckBox>("chkShadow");
  QTest::keyClicks(Get("txtTitle"), "Sale");  // the shadow pass runs only for a title
  QTest::mouseClick(shadow, Qt::LeftButton);
  EXPECT_TRUE(Get("cboShadowDir")->isEnabled());
  EXPECT_TRUE(Get("updOffset")->isEnabled());
  EXPECT_EQ(Get<QComboBox>("cboShadowDir")->currentIndex(), 0);  // the render's repair shows
  Get<UpDownControl>("updOffset")->StepUp();
  Get<UpDownControl>("updOffset")->StepUp();
  EXPECT_EQ(Get<QLineEdit>("txtShadowOffs")->text(), "3");
  EXPECT_EQ(editor().settings().Title.Offset, 3);
  for (int i = 0; i < 20; ++i) Get<UpDownControl>("updOffset")->StepUp();
  EXPECT_EQ(Get<QLineEdit>("txtShadowOffs")->text(), "10");
  QTest::mouseClick(shadow, Qt::LeftButton);
  EXPECT_FALSE(Get("cboShadowDir")->isEnabled());
  EXPECT_FALSE(Get("updOffset")->isEnabled());
}

TEST_F(MainWindowTest, TitleTextEnablesFontAndPlacementForGood) {
  Get<TabControl>("sstabMain")->setCurrentIndex(1);
  auto* title = Get<QLineEdit>("txtTitle");
  QTest::keyClicks(title, "   ");
  EXPECT_FALSE(Get("cmdSelFont")->isEnabled());
  QTest::keyClicks(title, "Hi");
  EXPECT_TRUE(Get("cmdSelFont")->isEnabled());
  EXPECT_TRUE(Get("cboStrLocate")->isEnabled());
  EXPECT_EQ(Get<QComboBox>("cboStrLocate")->currentText(), "中央");
  title->clear();
  EXPECT_TRUE(Get("cmdSelFont")->isEnabled());
  EXPECT_EQ(Get<PreviewBox>("picPreview")->image(), ToQImage(editor().renderer().preview()));
}

TEST_F(MainWindowTest, ColourPickerStartsOnTheSwatchAndCancelKeepsIt) {
  Get<TabControl>("sstabMain")->setCurrentIndex(1);
  dialogs_.colors = {MakeColor(10, 20, 30), std::nullopt};
  QTest::mouseDClick(Get("picStrColor_3"), Qt::LeftButton);
  EXPECT_EQ(Get<ColorSwatch>("picStrColor_3")->color(), MakeColor(10, 20, 30));
  EXPECT_EQ(editor().settings().Title.ShadowColor, MakeColor(10, 20, 30));
  const int renders = editor().render_count();
  QTest::mouseDClick(Get("picStrColor_3"), Qt::LeftButton);
  EXPECT_EQ(dialogs_.color_requests, (std::vector<Color>{kWhite, MakeColor(10, 20, 30)}));
  EXPECT_EQ(Get<ColorSwatch>("picStrColor_3")->color(), MakeColor(10, 20, 30));
  EXPECT_EQ(editor().render_count(), renders + 1);  // the handler still ends in a render
  EXPECT_EQ(editor().settings().Title.Color1, kBlack);
}

TEST_F(MainWindowTest, FontPickerKeepsTheSizeAndCancelChangesNothing) {
  Get<TabControl>("sstabMain")->setCurrentIndex(1);
  QTest::keyClicks(Get("txtTitle"), "Sale");
  const int renders = editor().render_count();
  QTest::mouseClick(Get("cmdSelFont"), Qt::LeftButton);
  ASSERT_EQ(dialogs_.font_requests.size(), 1u);
  EXPECT_EQ(dialogs_.font_requests[0].points, editor().renderer().title_font_size());
  EXPECT_EQ(editor().renderer().title_font_face(), "ＭＳ Ｐゴシック");
  EXPECT_EQ(dialogs_.font_requests[0].face, "IPAPGothic") << "the dialog lists the family drawn";
  EXPECT_EQ(editor().render_count(), renders);  // cancelled: no render
  EXPECT_EQ(Get<QLabel>("labFont")->text(), "");

  // A family chosen anew is shown and stored under the Windows face it stands for.
  dialogs_.fonts = {FontChoice{"IPAMincho", true, false}};
  QTest::mouseClick(Get("cmdSelFont"), Qt::LeftButton);
  EXPECT_EQ(Get<QLabel>("labFont")->text(), "ＭＳ 明朝");
  EXPECT_TRUE(editor().renderer().title_font_bold());
  EXPECT_EQ(editor().render_count(), renders + 1);

  // The next opening starts on the shown face and the masks' style.
  QTest::mouseClick(Get("cmdSelFont"), Qt::LeftButton);
  EXPECT_EQ(dialogs_.font_requests[2].face, "IPAMincho");
  EXPECT_TRUE(dialogs_.font_requests[2].bold);

  // A family without a Windows name keeps its own.
  dialogs_.fonts = {FontChoice{"DejaVu Sans", false, true}};
  QTest::mouseClick(Get("cmdSelFont"), Qt::LeftButton);
  EXPECT_EQ(Get<QLabel>("labFont")->text(), "DejaVu Sans");
  EXPECT_TRUE(editor().renderer().title_font_italic());
}

// The font dialog closed with OK at once: it gives back what it was asked.
class UntouchedFontDialog : public ScriptedDialogs {
 public:
  std::optional<FontChoice> ChooseFont(const platform::ui::FontRequest& request) override {
    font_requests.push_back(request);
    return FontChoice{request.face, request.bold, request.italic};
  }
};

TEST(MainWindowFontDialogTest, OkWithoutChangesChangesNothing) {
  testing::TestApplication();
  platform::testing::TempDir temp;
  ASSERT_TRUE(platform::WriteFileAtomically(
                  temp / "welcome.pkc",
                  platform::Utf8ToCp932("[Size]\r\nindex=3\r\n[Title]\r\nString=ようこそ\r\n"
                                        "FontName=ＭＳ Ｐゴシック\r\nFontBold=True\r\nFontItalic=False\r\n"))
                  .ok());
  UntouchedFontDialog dialogs;
  MainWindow window(std::make_unique<BannerEditor>(BannerRenderer::CreateDefault()), &dialogs);
  window.FormLoad({nullptr, {}, nullptr, {"plakato", (temp / "welcome.pkc").string()}});
  ASSERT_EQ(window.editor().controls().font_label, "ＭＳ Ｐゴシック");
  const int renders = window.editor().render_count();
  for (int i = 0; i < 2; ++i) {
    QTest::mouseClick(Find<QPushButton>(&window, "cmdSelFont"), Qt::LeftButton);
    EXPECT_EQ(Find<QLabel>(&window, "labFont")->text(), "ＭＳ Ｐゴシック");
    EXPECT_TRUE(window.editor().title_font_bold()) << "bold is kept";
    EXPECT_FALSE(window.editor().title_font_italic());
  }
  ASSERT_EQ(dialogs.font_requests.size(), 2u);
  EXPECT_TRUE(dialogs.font_requests[0].bold) << "a bold Japanese title can be chosen";
  EXPECT_EQ(window.editor().render_count(), renders);
  EXPECT_FALSE(window.editor().modified());
  ASSERT_TRUE(SaveSettings(window.editor(), temp / "again.pkc").ok());
  EXPECT_EQ(ReadSettingValue("Title", "FontName", "", temp / "again.pkc"), "ＭＳ Ｐゴシック");
  EXPECT_EQ(ReadSettingValue("Title", "FontBold", "", temp / "again.pkc"), "True");
}

TEST_F(MainWindowTest, PreviewWindowFollowsTheBannerAndItsBox) {
  Get<QComboBox>("cboSize")->setCurrentIndex(3);
  auto* open = Get<QCheckBox>("chkOpenPrev");
  open->click();
  PreviewWindow* preview = window_->preview_window();
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(preview->isVisible());
  EXPECT_EQ(preview->windowTitle(), "プレビュー");
  EXPECT_EQ(preview->size(), QSize(234, 60));
  EXPECT_EQ(preview->box()->image(), ToQImage(editor().renderer().preview()));

  Get<QComboBox>("cboSize")->setCurrentIndex(0);
  EXPECT_EQ(preview->size(), QSize(88, 31));
  EXPECT_EQ(preview->box()->image().size(), QSize(88, 31));

  // Closed by its close box: the check box stays ticked and renders do not
  // bring it back.
  preview->close();
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window_->preview_window(), nullptr);
  EXPECT_TRUE(open->isChecked());
  Get<QComboBox>("cboSize")->setCurrentIndex(1);
  EXPECT_EQ(window_->preview_window(), nullptr);

  open->click();  // cleared
  EXPECT_EQ(window_->preview_window(), nullptr);
  open->click();  // ticked again
  ASSERT_NE(window_->preview_window(), nullptr);
  EXPECT_EQ(window_->preview_window()->size(), QSize(200, 40));
}

TEST_F(MainWindowTest, LoadButtonAsksThenShowsTheLoadedDesign) {
  platform::testing::TempDir temp;
  {
    BannerEditor source(BannerRenderer::CreateDefault());
    source.SelectSize(2);
    source.SelectBackgroundPattern(kGradient3);
    source.SetTitleText("Hello");
    source.SelectTitlePattern(1);
    source.SetShadow(true);
    source.SetOffset(4);
    ASSERT_TRUE(SaveSettings(source, temp / "design.pkc").ok());
  }
  dialogs_.answers = {Answer::kNo};
  dialogs_.files = {(temp / "design.pkc").string()};
  QTest::mouseClick(Get("cmdLoadConf"), Qt::LeftButton);
  EXPECT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_EQ(Get<QComboBox>("cboSize")->currentIndex(), 2);
  EXPECT_TRUE(Get<QRadioButton>("optBackGround_2")->isChecked());
  EXPECT_TRUE(Red("labColor_2"));
  EXPECT_EQ(Get<QLineEdit>("txtTitle")->text(), "Hello");
  EXPECT_TRUE(Get<QRadioButton>("optStrColor_1")->isChecked());
  EXPECT_TRUE(Get<QCheckBox>("chkShadow")->isChecked());
  EXPECT_TRUE(Get("cboShadowDir")->isEnabled());
  EXPECT_EQ(Get<QLineEdit>("txtShadowOffs")->text(), "4");
  EXPECT_EQ(Get("picPreview")->size(), QSize(100, 60));

  // Cancelling the question changes nothing.
  const int renders = editor().render_count();
  QTest::mouseClick(Get("cmdLoadConf"), Qt::LeftButton);
  EXPECT_EQ(editor().render_count(), renders);
  EXPECT_EQ(dialogs_.file_requests.size(), 1u);
}

#ifdef PLAKATO_RENDER_PROGRAM
TEST_F(MainWindowTest, SavedDesignRendersIdenticallyInPlakatoRender) {
  platform::testing::TempDir temp;
  Get<QComboBox>("cboSize")->setCurrentIndex(3);
  QTest::mouseClick(Get("optBackGround_2"), Qt::LeftButton);
  dialogs_.colors = {MakeColor(0, 80, 160)};
  QTest::mouseDClick(Get("picColor_1"), Qt::LeftButton);
  QTest::mouseClick(Get("chk3D"), Qt::LeftButton);
  Get<TabControl>("sstabMain")->setCurrentIndex(1);
  QTest::keyClicks(Get("txtTitle"), "Plakato");
  Get<QComboBox>("cboStrLocate")->setCurrentIndex(8);
  QTest::mouseClick(Get("optStrColor_1"), Qt::LeftButton);
  QTest::mouseClick(Get("chkShadow"), Qt::LeftButton);
  Get<UpDownControl>("updOffset")->StepUp();

  const std::string settings = (temp / "design.pkc").string();
  const std::string exported = (temp / "window.png").string();
  dialogs_.files = {settings, exported};
  QTest::mouseClick(Get("cmdSaveConf"), Qt::LeftButton);
  QTest::mouseClick(Get("cmdSaveImage"), Qt::LeftButton);
  ASSERT_TRUE(dialogs_.errors.empty());

  const std::string rendered = (temp / "render.png").string();
  const int exit_code = QProcess::execute(
      PLAKATO_RENDER_PROGRAM, {QString::fromStdString(settings), QString::fromStdString(rendered)});
  ASSERT_EQ(exit_code, 0);
  const auto from_window = LoadPng(exported);
  const auto from_render = LoadPng(rendered);
  ASSERT_TRUE(from_window.ok()) << from_window.status().message();
  ASSERT_TRUE(from_render.ok()) << from_render.status().message();
  EXPECT_EQ((*from_window).width(), 234);
  EXPECT_TRUE((*from_window) == (*from_render));
  EXPECT_TRUE((*from_window) == editor().renderer().preview());
}
#endif

TEST_F(MainWindowTest, CaptionNamesTheFileAndMarksChangesThatCloseAsksAbout) {
  platform::testing::TempDir temp;
  Get<QComboBox>("cboSize")->setCurrentIndex(1);
  EXPECT_EQ(window_->windowTitle(), "*Plakato");
  dialogs_.answers = {Answer::kCancel};
  EXPECT_FALSE(window_->close());
  EXPECT_TRUE(window_->isVisible());
  ASSERT_EQ(dialogs_.questions.size(), 1u);

  dialogs_.files = {(temp / "shop.pkc").string()};
  QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(dialogs_.file_requests.back().title, "設定情報の保存");
  EXPECT_EQ(window_->windowTitle(), "shop.pkc - Plakato");
  Get<QComboBox>("cboSize")->setCurrentIndex(2);
  EXPECT_EQ(window_->windowTitle(), "*shop.pkc - Plakato");
  QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor().settings().Size.index, 1);
  EXPECT_EQ(Get<QComboBox>("cboSize")->currentIndex(), 1);
  EXPECT_EQ(window_->windowTitle(), "shop.pkc - Plakato");
  QTest::keyClick(window_.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Get("picPreview")->size(), QSize(100, 60));

  dialogs_.files = {std::nullopt};
  QTest::keyClick(window_.get(), Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(dialogs_.file_requests.back().suggested_name, (temp / "shop.bmp").string());
  dialogs_.answers = {Answer::kCancel};
  QTest::keyClick(window_.get(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(dialogs_.questions.back(), "現在編集中の設定情報を保存しますか？");

  dialogs_.answers = {Answer::kNo};
  EXPECT_TRUE(window_->close());
}

TEST_F(MainWindowTest, InvalidUserSizeStopsEveryOtherControl) {
  auto* sizes = Get<QComboBox>("cboSize");
  sizes->setCurrentIndex(kUserSizeItem);
  auto* width = Get<QLineEdit>("txtUSizeW");
  width->setFocus(Qt::MouseFocusReason);
  width->selectAll();
  QTest::keyClicks(width, "abc");
  QTest::mouseClick(Get("cmdSaveConf"), Qt::LeftButton);
  EXPECT_TRUE(dialogs_.file_requests.empty()) << "no save dialog for Width=abc";
  QTest::mouseClick(sizes, Qt::LeftButton);
  QTest::keyClick(width, Qt::Key_S, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_TRUE(dialogs_.file_requests.empty()) << "nor by its shortcut";
  EXPECT_EQ(QApplication::focusWidget(), width);
  EXPECT_EQ(width->selectedText(), "abc");
  EXPECT_EQ(editor().settings().Size.index, kUserSizeItem);
  EXPECT_TRUE(width->isEnabled());

  // A usable size lets the click through.
  width->selectAll();
  QTest::keyClicks(width, "64");
  QTest::mouseClick(Get("cmdSaveConf"), Qt::LeftButton);
  EXPECT_EQ(dialogs_.file_requests.size(), 1u);
  EXPECT_EQ(editor().settings().Size.Width, "64");
}

TEST(MainWindowFontTest, MissingTitleFontIsToldOnce) {
  testing::TestApplication();
  auto fonts = std::make_shared<FakeFontBackend>();
  fonts->font_error = "no font found for \"X\"";
  ScriptedDialogs dialogs;
  MainWindow window(std::make_unique<BannerEditor>(std::make_unique<BannerRenderer>(fonts)), &dialogs);
  window.editor().SetTitleText("A");
  window.editor().SetTitleText("AB");
  ASSERT_EQ(dialogs.warnings.size(), 1u);
  EXPECT_THAT(dialogs.warnings[0], ::testing::HasSubstr("no font found for \"X\""));
}

TEST_F(MainWindowTest, BannerTallerThanTheScreenScrollsInsteadOfGrowingTheWindow) {
  Get<QComboBox>("cboSize")->setCurrentIndex(kUserSizeItem);
  TypeAndLeave("txtUSizeW", "150");
  TypeAndLeave("txtUSizeH", "150");
  editor().SetUserWidthText("2000");
  editor().SetUserHeightText("3000");
  editor().Render();
  EXPECT_EQ(Get("picPreview")->size(), QSize(2000, 3000));
  const int screen_height = window_->screen()->availableGeometry().height();
  EXPECT_LE(window_->height(), screen_height);
  auto* area = Get<QScrollArea>("scrPreview");
  EXPECT_TRUE(area->verticalScrollBar()->isVisible() || area->verticalScrollBar()->maximum() > 0);
  // The window's page scrolls far enough to show the whole preview box.
  auto* page = Get<QScrollArea>("scrWindow");
  EXPECT_LE(area->geometry().bottom(), window_->height() + page->verticalScrollBar()->maximum());
}

TEST_F(MainWindowTest, PreviewWindowIsCentredAtItsFinalSize) {
  Get<QComboBox>("cboSize")->setCurrentIndex(3);
  window_->move(100, 80);
  Get<QCheckBox>("chkOpenPrev")->click();
  PreviewWindow* preview = window_->preview_window();
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->size(), QSize(234, 60));
  const QPoint owner_centre = window_->geometry().center();
  const QPoint centre = preview->geometry().center();
  EXPECT_LE(std::abs(centre.x() - owner_centre.x()), 1);
  EXPECT_LE(std::abs(centre.y() - owner_centre.y()), 1);
}

TEST_F(MainWindowTest, SwatchesOffsetAndOptionsWorkFromTheKeyboard) {
  // Tab stops at the selected option only; the arrows select the next one.
  auto* option0 = Get<QRadioButton>("optBackGround_0");
  auto* option1 = Get<QRadioButton>("optBackGround_1");
  EXPECT_TRUE(option0->focusPolicy() & Qt::TabFocus);
  EXPECT_FALSE(option1->focusPolicy() & Qt::TabFocus);
  option0->setFocus(Qt::TabFocusReason);
  QTest::keyClick(option0, Qt::Key_Down);
  EXPECT_TRUE(option1->isChecked());
  EXPECT_EQ(QApplication::focusWidget(), option1);
  EXPECT_EQ(editor().settings().BackGround.Pattern, 1);
  EXPECT_FALSE(option0->focusPolicy() & Qt::TabFocus);
  QTest::keyClick(option1, Qt::Key_Up);
  EXPECT_TRUE(option0->isChecked());

  // A swatch takes the focus by Tab and asks for a colour with Space or Enter.
  auto* swatch = Get<ColorSwatch>("picColor_0");
  EXPECT_TRUE(swatch->focusPolicy() & Qt::TabFocus);
  dialogs_.colors = {MakeColor(1, 2, 3), std::nullopt};
  QTest::keyClick(swatch, Qt::Key_Space);
  QTest::keyClick(swatch, Qt::Key_Return);
  EXPECT_EQ(dialogs_.color_requests.size(), 2u);
  EXPECT_EQ(editor().settings().BackGround.Color1, MakeColor(1, 2, 3));

  // The shadow offset steps with the arrow keys in its box.
  Get<TabControl>("sstabMain")->setCurrentIndex(1);
  editor().SetTitleText("A");
  Get<QCheckBox>("chkShadow")->click();
  auto* offset = Get<QLineEdit>("txtShadowOffs");
  QTest::keyClick(offset, Qt::Key_Up);
  QTest::keyClick(offset, Qt::Key_Up);
  EXPECT_EQ(editor().settings().Title.Offset, 3);
  QTest::keyClick(offset, Qt::Key_Down);
  EXPECT_EQ(editor().settings().Title.Offset, 2);
  EXPECT_EQ(offset->text(), "2");
}

TEST_F(MainWindowTest, ExportOntoTheDesignsFileLeavesTheDesignUnsaved) {
  platform::testing::TempDir temp;
  Get<QComboBox>("cboSize")->setCurrentIndex(1);
  dialogs_.files = {(temp / "shop.png").string()};
  QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(window_->windowTitle(), "shop.png - Plakato");
  dialogs_.files = {(temp / "shop.png").string()};
  dialogs_.answers = {Answer::kYes};
  QTest::mouseClick(Get("cmdSaveImage"), Qt::LeftButton);
  ASSERT_EQ(dialogs_.warnings.size(), 1u);
  EXPECT_EQ(window_->windowTitle(), "*shop.png - Plakato");
  dialogs_.answers = {Answer::kCancel};
  EXPECT_FALSE(window_->close()) << "closing asks about the design that exists nowhere else";
  EXPECT_EQ(dialogs_.questions.size(), 1u);
  dialogs_.answers = {Answer::kNo};
  EXPECT_TRUE(window_->close());
}

TEST_F(MainWindowTest, TitleBoxUndoesItsTypingThenTheDesignUndoTakesOver) {
  Get<QComboBox>("cboSize")->setCurrentIndex(1);
  Get<TabControl>("sstabMain")->setCurrentIndex(1);
  auto* title = Get<QLineEdit>("txtTitle");
  title->setFocus(Qt::MouseFocusReason);
  QTest::keyClicks(title, "Sale");
  ASSERT_EQ(editor().settings().Title.String, "Sale");
  QTest::keyClick(title, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(title->text(), "") << "the box undoes its own typing first";
  EXPECT_EQ(editor().settings().Title.String, "");
  QTest::keyClick(title, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor().settings().Size.index, -1) << "then the design's undo takes over";
  EXPECT_EQ(Get<QComboBox>("cboSize")->currentIndex(), -1);
  EXPECT_EQ(title->text(), "");
  EXPECT_EQ(QApplication::focusWidget(), title);
  QTest::keyClick(title, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(editor().settings().Size.index, 1);
  QTest::keyClick(title, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(title->text(), "S") << "the typing is a step of the design as well";
}

TEST_F(MainWindowTest, ShortcutHeldBackByAnInvalidUserSizeSaysWhy) {
  Get<QComboBox>("cboSize")->setCurrentIndex(kUserSizeItem);
  auto* width = Get<QLineEdit>("txtUSizeW");
  width->setFocus(Qt::MouseFocusReason);
  QTest::keyClicks(width, "0");
  for (Qt::Key key : {Qt::Key_S, Qt::Key_E, Qt::Key_O}) {
    dialogs_.warnings.clear();
    QTest::keyClick(width, key, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_TRUE(dialogs_.file_requests.empty());
    ASSERT_EQ(dialogs_.warnings.size(), 1u) << key;
    EXPECT_THAT(dialogs_.warnings[0], ::testing::HasSubstr("ユーザ指定のサイズ"));
  }
  EXPECT_EQ(QApplication::focusWidget(), width);
}

TEST_F(MainWindowTest, CaptionsListsSwatchesAndFocusMarksShowWhole) {
  auto* open_preview = Get<QCheckBox>("chkOpenPrev");
  EXPECT_GE(open_preview->height(), open_preview->sizeHint().height()) << "caption not clipped";
  EXPECT_GE(open_preview->width(), open_preview->sizeHint().width());

  for (const char* name : {"cboGraDir", "cboStrGraDir", "cboStrLocate", "cboShadowDir"}) {
    auto* list = Get<QComboBox>(name);
    const int longest = list->view()->sizeHintForColumn(0);
    EXPECT_GE(list->view()->minimumWidth(), longest) << name;
  }

  // A dark swatch with the focus shows a light mark.
  auto* swatch = Get<ColorSwatch>("picColor_0");
  swatch->SetColor(MakeColor(0, 0, 40));
  swatch->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  const QImage shot = swatch->grab().toImage();
  const QRect mark = swatch->contentsRect().adjusted(1, 1, -2, -2);
  int light = 0;
  for (int x = mark.left(); x <= mark.right(); ++x) light += qGray(shot.pixel(x, mark.top())) > 128;
  EXPECT_GT(light, mark.width() / 4);
}

}  // namespace
}  // namespace plakato
