#include "setup/app/window/background_painter.h"

#include <QFile>
#include <QFontMetrics>
#include <QPainter>

#include "platform/target_system/windows_path.h"
#include "setup/app/paint/background_field.h"
#include "setup/app/window/pixel_image.h"
#include "setup/app/window/windows_fonts.h"

namespace setup::window {
namespace {

QColor ToQColor(paint::Rgb c) { return QColor(c.red, c.green, c.blue); }

}  // namespace

QImage PaintBackground(const paint::BackgroundPlan& plan, const QImage& picture) {
  const paint::PixelBuffer field =
      paint::PaintBackgroundField(plan, picture.isNull() ? paint::PixelBuffer() : ToPixels(picture));
  QImage image = field.empty() ? QImage(1, 1, QImage::Format_RGB32)
                               : ToQImage(field).convertToFormat(QImage::Format_RGB32);
  if (field.empty()) image.fill(Qt::black);
  QPainter painter(&image);
  for (const paint::TextDraw& text : plan.texts) {
    const QFont font = MakeFont(text.font);
    painter.setFont(font);
    painter.setPen(ToQColor(text.color));
    painter.drawText(text.x, text.y + QFontMetrics(font).ascent(), QString::fromStdString(text.text));
  }
  painter.end();
  return image;
}

QImage LoadBackgroundPicture(const std::filesystem::path& file) {
  QFile in(QString::fromStdString(file.string()));
  if (!in.open(QIODevice::ReadOnly)) return QImage();
  const QByteArray bytes = in.readAll();
  return LoadBackgroundPictureData(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QImage LoadBackgroundPictureData(const std::string& bytes) {
  const std::string kind(paint::PictureKindOf(bytes));
  QImage picture;
  if (kind.empty() || !picture.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                                            static_cast<int>(bytes.size()), kind.c_str())) {
    return QImage();
  }
  return picture.convertToFormat(QImage::Format_ARGB32);
}

std::filesystem::path PictureHostPath(std::string_view file, const platform::target::DriveMap& drives) {
  if (file.empty()) return {};
  platform::target::WindowsPath windows;
  if (platform::target::WindowsPath::Parse(file, &windows).ok()) {
    std::filesystem::path host;
    if (!drives.ToHostPath(windows, &host).ok()) return {};
    return host;
  }
  std::error_code error;
  std::filesystem::path host = std::filesystem::absolute(std::filesystem::path(std::string(file)), error);
  return error ? std::filesystem::path() : host;
}

}  // namespace setup::window
