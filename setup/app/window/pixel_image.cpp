#include "setup/app/window/pixel_image.h"

#include <cstring>

namespace setup::window {

QImage ToQImage(const paint::PixelBuffer& pixels) {
  QImage image(pixels.width, pixels.height, QImage::Format_ARGB32);
  for (int y = 0; y < pixels.height; ++y) {
    std::memcpy(image.scanLine(y), &pixels.pixels[static_cast<std::size_t>(y) * pixels.width],
                static_cast<std::size_t>(pixels.width) * sizeof(paint::Argb));
  }
  return image;
}

paint::PixelBuffer ToPixels(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  paint::PixelBuffer pixels(argb.width(), argb.height());
  for (int y = 0; y < pixels.height; ++y) {
    std::memcpy(&pixels.pixels[static_cast<std::size_t>(y) * pixels.width], argb.constScanLine(y),
                static_cast<std::size_t>(pixels.width) * sizeof(paint::Argb));
  }
  return pixels;
}

}  // namespace setup::window
