#include "setup/app/paint/background_field.h"

#include <algorithm>

namespace setup::paint {
namespace {

Argb ToArgb(Rgb c) { return Opaque(c.red, c.green, c.blue); }

void Put(PixelBuffer& field, int x, int y, Argb colour) {
  Argb& pixel = field.At(x, y);
  pixel = AlphaOf(colour) == 255 ? colour : BlendOver(pixel, colour);
}

// The picture with its top left at (left, top), clipped to the field.
void Copy(PixelBuffer& field, const PixelBuffer& picture, int left, int top) {
  const int y0 = std::max(0, top);
  const int y1 = std::min(field.height, top + picture.height);
  const int x0 = std::max(0, left);
  const int x1 = std::min(field.width, left + picture.width);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) Put(field, x, y, picture.At(x - left, y - top));
  }
}

void Stretch(PixelBuffer& field, const PixelBuffer& picture) {
  for (int y = 0; y < field.height; ++y) {
    const long long sy = (2LL * y + 1) * picture.height / (2LL * field.height);
    for (int x = 0; x < field.width; ++x) {
      const long long sx = (2LL * x + 1) * picture.width / (2LL * field.width);
      Put(field, x, y, picture.At(static_cast<int>(sx), static_cast<int>(sy)));
    }
  }
}

}  // namespace

PixelBuffer PaintBackgroundField(const BackgroundPlan& plan, const PixelBuffer& picture) {
  PixelBuffer field(plan.width, plan.height, Opaque(0, 0, 0));
  for (const BandFill& band : plan.bands) {
    const int bottom = std::min(field.height, band.top + band.height);
    for (int y = std::max(0, band.top); y < bottom; ++y) {
      std::fill_n(field.pixels.begin() + static_cast<std::ptrdiff_t>(y) * field.width, field.width,
                  ToArgb(band.color));
    }
  }
  const PicturePlacement at =
      PlacePicture(plan.picture_mode, plan.width, plan.height, picture.width, picture.height);
  if (!at.draw || field.empty()) return field;
  switch (plan.picture_mode) {
    case PictureMode::kCentred: Copy(field, picture, at.x, at.y); break;
    case PictureMode::kTiled:
      for (int top = 0; top < field.height; top += at.height) {
        for (int left = 0; left < field.width; left += at.width) Copy(field, picture, left, top);
      }
      break;
    case PictureMode::kStretched: Stretch(field, picture); break;
    case PictureMode::kNone: break;
  }
  return field;
}

std::string_view PictureKindOf(std::string_view bytes) {
  if (bytes.starts_with("BM")) return "BMP";
  if (bytes.starts_with("\xFF\xD8\xFF")) return "JPEG";
  if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return "GIF";
  return {};
}

}  // namespace setup::paint
