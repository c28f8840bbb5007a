#include "setup/app/paint/pixel_buffer.h"

#include <algorithm>
#include <cmath>

namespace setup::paint {

Argb BlendOver(Argb below, Argb colour, double coverage) {
  const double a = AlphaOf(colour) / 255.0 * std::clamp(coverage, 0.0, 1.0);
  if (a <= 0.0) return below;
  const double b = AlphaOf(below) / 255.0;
  const double out = a + b * (1.0 - a);
  auto channel = [&](int top, int bottom) {
    const double v = (top * a + bottom * b * (1.0 - a)) / out;
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0)));
  };
  return MakeArgb(static_cast<int>(std::lround(out * 255.0)), channel(RedOf(colour), RedOf(below)),
                  channel(GreenOf(colour), GreenOf(below)), channel(BlueOf(colour), BlueOf(below)));
}

PixelBuffer OverBackground(const PixelBuffer& picture, Argb background) {
  PixelBuffer out(picture.width, picture.height, background | 0xFF000000u);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    out.pixels[i] = BlendOver(out.pixels[i], picture.pixels[i]);
  }
  return out;
}

}  // namespace setup::paint
