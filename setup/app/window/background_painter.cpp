#include "setup/app/window/background_painter.h"

#include <QFontMetrics>
#include <QPainter>

#include "setup/app/window/windows_fonts.h"

namespace setup::window {
namespace {

QColor ToQColor(Rgb c) { return QColor(c.red, c.green, c.blue); }

void DrawPicture(QPainter& painter, const BackgroundPlan& plan, const QImage& picture) {
  if (picture.isNull()) return;
  const PicturePlacement at =
      PlacePicture(plan.picture_mode, plan.width, plan.height, picture.width(), picture.height());
  if (!at.draw) return;
  if (plan.picture_mode == PictureMode::kTiled) {
    painter.fillRect(QRect(0, 0, plan.width, plan.height), QBrush(picture));
  } else {
    painter.drawImage(QRect(at.x, at.y, at.width, at.height), picture);
  }
}

}  // namespace

QImage PaintBackground(const BackgroundPlan& plan, const QImage& picture) {
  QImage image(std::max(1, plan.width), std::max(1, plan.height), QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  for (const BandFill& band : plan.bands) {
    painter.fillRect(QRect(0, band.top, plan.width, band.height), ToQColor(band.color));
  }
  DrawPicture(painter, plan, picture);
  for (const TextDraw& text : plan.texts) {
    const QFont font = MakeFont(text.font);
    painter.setFont(font);
    painter.setPen(ToQColor(text.color));
    painter.drawText(text.x, text.y + QFontMetrics(font).ascent(), QString::fromStdString(text.text));
  }
  painter.end();
  return image;
}

QImage LoadBackgroundPicture(const std::filesystem::path& file) {
  QImage picture;
  if (!picture.load(QString::fromStdString(file.string()), "BMP")) return QImage();
  return picture.convertToFormat(QImage::Format_RGB32);
}

QImage LoadBackgroundPictureData(const std::string& bytes) {
  QImage picture;
  if (!picture.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "BMP")) {
    return QImage();
  }
  return picture.convertToFormat(QImage::Format_RGB32);
}

}  // namespace setup::window
