#include "setup/app/window/backgrd_form.h"

#include <QPainter>

#include "setup/app/confined_file.h"
#include "setup/app/window/background_painter.h"
#include "setup/app/window/windows_fonts.h"

namespace setup::window {

TBackgrdForm::TBackgrdForm() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
  setObjectName("BackgrdForm");
  setWindowTitle("kestro Setup for Windows");
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  setFont(MakeFont({"ＭＳ Ｐゴシック", 9}));
  resize(465, 302);
}

void TBackgrdForm::Paint(const SetupScript& script, const platform::target::DriveMap& drives, QSize screen) {
  const paint::BackgroundPlan plan =
      paint::PlanBackground(script, screen.width(), screen.height(), QtFontMeasure());
  QImage picture;
  if (plan.picture_mode != paint::PictureMode::kNone) {
    const std::filesystem::path file = PictureHostPath(plan.picture_file, drives);
    if (!file.empty()) {
      if (const auto bytes = app::ReadConfinedFile(drives, file, app::kMaxBackgroundPictureBytes)) {
        picture = LoadBackgroundPictureData(*bytes);
      }
    }
  }
  image_ = PaintBackground(plan, picture);
  update();
}

void TBackgrdForm::ShowCovering(const QRect& screen) {
  setGeometry(screen);
  show();
  raise();
}

void TBackgrdForm::paintEvent(QPaintEvent*) {
  // The picture fills the client area, stretched as the image control does.
  QPainter painter(this);
  if (!image_.isNull()) painter.drawImage(rect(), image_);
}

}  // namespace setup::window
