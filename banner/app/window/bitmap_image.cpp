#include "banner/app/window/bitmap_image.h"

namespace plakato {

QImage ToQImage(const Bitmap& bitmap) {
  if (bitmap.empty()) return {};
  QImage image(bitmap.width(), bitmap.height(), QImage::Format_RGB32);
  for (int y = 0; y < bitmap.height(); ++y) {
    const Color* source = bitmap.row(y);
    auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bitmap.width(); ++x)
      target[x] = qRgb(Red(source[x]), Green(source[x]), Blue(source[x]));
  }
  return image;
}

QColor ToQColor(Color color) { return QColor(Red(color), Green(color), Blue(color)); }

Color FromQColor(const QColor& color) { return MakeColor(color.red(), color.green(), color.blue()); }

}  // namespace plakato
