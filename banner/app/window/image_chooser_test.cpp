#include "banner/app/window/image_chooser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "banner/app/picture_codecs.h"
#include "banner/app/window/main_window.h"
#include "banner/app/window/test_application.h"
#include "platform/atomic_file.h"
#include "platform/testing/temp_dir.h"
#include "platform/ui/scripted_dialogs.h"

namespace plakato {

using platform::ui::FileDialogRequest;
using platform::ui::testing::ScriptedDialogs;
namespace {

using testing::Find;
using ::testing::HasSubstr;

// A picture whose every pixel tells where it is, so a cut-out shows its origin.
Bitmap PositionPicture(int width, int height) {
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      picture.set_pixel(x, y, MakeColor(x % 256, y % 256, (x / 256) * 16 + y / 256));
  }
  return picture;
}

class ImageChooserTest : public ::testing::Test {
 protected:
  ImageChooserTest() { testing::TestApplication(); }

  std::string WritePicture(const std::string& name, int width, int height) {
    const std::string path = (temp_ / name).string();
    EXPECT_TRUE(SavePicture(PositionPicture(width, height), path).ok());
    return path;
  }

  // Drags the frame with the mouse from a point inside it by (dx, dy).
  static void Drag(ImageChooser& chooser, QPoint inside, QPoint by) {
    QWidget* frame = Find(&chooser, "labRect");
    QTest::mousePress(frame, Qt::LeftButton, {}, inside);
    QTest::mouseMove(frame, inside + by / 2);
    QTest::mouseRelease(frame, Qt::LeftButton, {}, inside + by);
  }

  platform::testing::TempDir temp_;
  ScriptedDialogs dialogs_;
};

TEST_F(ImageChooserTest, OpensEmptyWithoutAStoredPicture) {
  for (const std::string& stored : {std::string(), (temp_ / "gone.png").string()}) {
    ImageChooser chooser(nullptr, stored, 234, 60, &dialogs_);
    EXPECT_EQ(chooser.size(), QSize(366, 252));
    EXPECT_EQ(chooser.windowTitle(), "画像の指定");
    EXPECT_FALSE(Find(&chooser, "cmdOK")->isEnabled());
    EXPECT_TRUE(Find(&chooser, "labRect")->isHidden());
    EXPECT_EQ(Find<QLineEdit>(&chooser, "txtFileName")->text(), "");
  }
  EXPECT_TRUE(dialogs_.warnings.empty());  // no message for a vanished file
}

TEST_F(ImageChooserTest, FitsTheStoredPictureAndCentresTheFrame) {
  ImageChooser chooser(nullptr, WritePicture("wide.png", 600, 160), 234, 60, &dialogs_);
  EXPECT_EQ(Find(&chooser, "imgPic")->geometry(), QRect(33, 88, 300, 80));
  EXPECT_DOUBLE_EQ(chooser.geometry_model().scale(), 0.5);
  QWidget* frame = Find(&chooser, "labRect");
  EXPECT_FALSE(frame->isHidden());
  EXPECT_EQ(frame->size(), QSize(117, 30));
  EXPECT_TRUE(Find(&chooser, "cmdOK")->isEnabled());
  EXPECT_THAT(Find<QLineEdit>(&chooser, "txtFileName")->text().toStdString(), HasSubstr("wide.png"));
}

TEST_F(ImageChooserTest, BrowsingReplacesThePictureAndCancelKeepsIt) {
  ImageChooser chooser(nullptr, "", 88, 31, &dialogs_);
  dialogs_.files = {WritePicture("square.bmp", 200, 200), std::nullopt, WritePicture("tall.png", 100, 400)};
  chooser.Browse();
  ASSERT_EQ(dialogs_.file_requests.size(), 1u);
  EXPECT_THAT(dialogs_.file_requests[0].filter, HasSubstr("画像ﾌｧｲﾙ(*.bmp, *.jpg, *.jpeg, *.gif, *.png)"));
  EXPECT_EQ(dialogs_.file_requests[0].mode, FileDialogRequest::Mode::kOpen);
  EXPECT_EQ(Find(&chooser, "imgPic")->geometry(), QRect(103, 48, 160, 160));
  EXPECT_DOUBLE_EQ(chooser.geometry_model().scale(), 0.8);

  chooser.Browse();  // cancelled
  EXPECT_EQ(Find(&chooser, "imgPic")->geometry(), QRect(103, 48, 160, 160));
  chooser.Browse();
  EXPECT_EQ(Find(&chooser, "imgPic")->geometry(), QRect(33 + 130, 48, 40, 160));
}

TEST_F(ImageChooserTest, UnreadablePictureIsReportedAndChangesNothing) {
  const std::string good = WritePicture("wide.png", 600, 160);
  ASSERT_TRUE(platform::WriteFileAtomically(temp_ / "broken.jpg", "not a jpeg").ok());
  ImageChooser chooser(nullptr, good, 234, 60, &dialogs_);
  dialogs_.files = {(temp_ / "broken.jpg").string()};
  chooser.Browse();
  ASSERT_EQ(dialogs_.warnings.size(), 1u);
  EXPECT_THAT(dialogs_.warnings[0], HasSubstr("画像ファイルを読み込めませんでした。"));
  EXPECT_THAT(Find<QLineEdit>(&chooser, "txtFileName")->text().toStdString(), HasSubstr("wide.png"));
  EXPECT_EQ(Find(&chooser, "imgPic")->geometry(), QRect(33, 88, 300, 80));

  // A corrupt stored picture opens the chooser empty, with the message.
  ImageChooser broken(nullptr, (temp_ / "broken.jpg").string(), 234, 60, &dialogs_);
  EXPECT_EQ(dialogs_.warnings.size(), 2u);
  EXPECT_FALSE(Find(&broken, "cmdOK")->isEnabled());
}

TEST_F(ImageChooserTest, DraggingMovesTheCutOutAtFullResolution) {
  const std::string path = WritePicture("wide.png", 600, 160);
  ImageChooser chooser(nullptr, path, 234, 60, &dialogs_);
  chooser.show();
  const auto [x0, y0] = chooser.geometry_model().CutOutOrigin();
  Drag(chooser, QPoint(5, 5), QPoint(10, 0));  // dropped on the frame itself
  EXPECT_EQ(chooser.geometry_model().CutOutOrigin(), (std::pair{x0 + 20, y0}));

  // Dropped on the image outside the frame: the corner lands at the drop point
  // minus the grab point.
  Drag(chooser, QPoint(5, 5), QPoint(0, 40));
  EXPECT_EQ(chooser.geometry_model().CutOutOrigin(), (std::pair{x0 + 20, y0 + 80}));

  // Dropped outside the image and the frame: nothing moves.
  Drag(chooser, QPoint(5, 5), QPoint(0, -100));
  EXPECT_EQ(chooser.geometry_model().CutOutOrigin(), (std::pair{x0 + 20, y0 + 80}));

  QTest::mouseClick(Find(&chooser, "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(chooser.result(), QDialog::Accepted);
  EXPECT_EQ(chooser.clip_x(), x0 + 20);
  EXPECT_EQ(chooser.clip_y(), y0 + 80);
  EXPECT_EQ(chooser.file_name(), path);
  ASSERT_TRUE(chooser.cut_out().has_value());
  EXPECT_EQ(*chooser.cut_out(), CropBitmap(PositionPicture(600, 160), x0 + 20, y0 + 80, 234, 60, kWhite));
  // Rows beyond the picture's foot stay white.
  ASSERT_EQ(y0 + 80, 127);
  EXPECT_EQ(chooser.cut_out()->pixel(0, 32), MakeColor(x0 + 20, 159, 0));
  EXPECT_EQ(chooser.cut_out()->pixel(0, 33), kWhite);
}

TEST_F(ImageChooserTest, ButtonsStayUsableAboveTheFrameOfASmallPicture) {
  ImageChooser chooser(nullptr, WritePicture("tiny.bmp", 12, 6), 234, 60, &dialogs_);
  chooser.show();
  ASSERT_GT(chooser.geometry_model().frame().width, chooser.width()) << "the frame covers the whole window";
  for (const char* name : {"cmdOK", "cmdCancel", "cmdBrowse", "txtFileName"}) {
    QWidget* control = Find(&chooser, name);
    EXPECT_EQ(chooser.childAt(control->geometry().center()), control) << name;
  }
  QTest::mouseClick(Find(&chooser, "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(chooser.result(), QDialog::Accepted);
}

TEST_F(ImageChooserTest, CancelReturnsNothing) {
  ImageChooser chooser(nullptr, WritePicture("wide.png", 600, 160), 234, 60, &dialogs_);
  QTest::mouseClick(Find(&chooser, "cmdCancel"), Qt::LeftButton);
  EXPECT_EQ(chooser.result(), QDialog::Rejected);
  EXPECT_FALSE(chooser.cut_out().has_value());
}

// The chooser as the main window opens it: modal, answered by a timer.
TEST_F(ImageChooserTest, MainWindowTakesTheCutOutAndReopensCentred) {
  const std::string path = WritePicture("wide.png", 600, 160);
  MainWindow window(std::make_unique<BannerEditor>(BannerRenderer::CreateDefault()), &dialogs_);
  window.show();
  BannerEditor& editor = window.editor();
  editor.SelectSize(3);
  editor.SelectBackgroundPattern(kPicture);
  dialogs_.files = {path};

  auto answer = [](bool ok, std::pair<int, int>* origin) {
    QTimer::singleShot(0, [ok, origin] {
      auto* chooser = qobject_cast<ImageChooser*>(QApplication::activeModalWidget());
      ASSERT_NE(chooser, nullptr);
      if (!chooser->geometry_model().has_image()) chooser->Browse();
      if (origin) *origin = chooser->geometry_model().CutOutOrigin();
      QTest::mouseClick(Find(chooser, ok ? "cmdOK" : "cmdCancel"), Qt::LeftButton);
    });
  };
  std::pair<int, int> first{}, second{};
  answer(true, &first);
  const int renders = editor.render_count();
  QTest::mouseClick(Find(&window, "cmdSelImage"), Qt::LeftButton);
  EXPECT_EQ(editor.render_count(), renders + 1);
  EXPECT_EQ(editor.background_file(), path);
  ASSERT_TRUE(editor.background_picture().has_value());
  EXPECT_EQ(editor.background_picture()->width(), 234);
  EXPECT_EQ(first, (std::pair{184, 47}));
  EXPECT_EQ(editor.settings().BackGround.ClipX, 184);
  EXPECT_EQ(editor.settings().BackGround.Clipy, 47);
  EXPECT_EQ(editor.renderer().preview().pixel(10, 10), editor.background_picture()->pixel(10, 10));

  // Opening again shows the same picture with the frame centred; Cancel
  // keeps what was chosen.
  const Bitmap chosen = *editor.background_picture();
  answer(false, &second);
  QTest::mouseClick(Find(&window, "cmdSelImage"), Qt::LeftButton);
  EXPECT_EQ(second, first);
  EXPECT_EQ(*editor.background_picture(), chosen);
  EXPECT_EQ(editor.render_count(), renders + 2);
}

}  // namespace
}  // namespace plakato
