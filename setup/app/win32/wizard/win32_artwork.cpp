#include "setup/app/win32/wizard/win32_artwork.h"

#include <cstring>

#include "setup/app/paint/artwork_pixels.h"

namespace setup::win32 {
namespace {

// A top-down 32-bit bitmap of the pixels, laid over the dialog face so that
// transparent parts show the window's colour.
HBITMAP ToBitmap(const paint::PixelBuffer& picture) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const paint::PixelBuffer opaque =
      paint::OverBackground(picture, paint::Opaque(GetRValue(face), GetGValue(face), GetBValue(face)));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), opaque.width, -opaque.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) std::memcpy(bits, opaque.pixels.data(), opaque.pixels.size() * sizeof(paint::Argb));
  return bitmap;
}

}  // namespace

HBITMAP ArtworkBitmap(wizard::Control image) {
  switch (image) {
    case wizard::Control::kImage1: return ToBitmap(paint::LeftPicture());
    case wizard::Control::kImage1002:
    case wizard::Control::kImage1302: return ToBitmap(paint::StepMarker());
    case wizard::Control::kImage2: return ToBitmap(paint::CleanUpIcon());
    default: return nullptr;
  }
}

}  // namespace setup::win32
