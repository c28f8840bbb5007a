#include "setup/app/win32/pixel_bitmap_win32.h"

#include <cstring>

namespace setup::win32 {
namespace {

BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

HBITMAP BitmapFromPixels(const paint::PixelBuffer& pixels) {
  if (pixels.empty()) return nullptr;
  const BITMAPINFO info = TopDownInfo(pixels.width, pixels.height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  std::memcpy(bits, pixels.pixels.data(), pixels.pixels.size() * sizeof(paint::Argb));
  return bitmap;
}

paint::PixelBuffer PixelsOfBitmap(HBITMAP bitmap, int width, int height) {
  paint::PixelBuffer pixels(width, height);
  if (pixels.empty()) return pixels;
  BITMAPINFO info = TopDownInfo(width, height);
  HDC screen = GetDC(nullptr);
  const int rows =
      GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != height) return {};
  for (paint::Argb& p : pixels.pixels) p |= 0xFF000000u;
  return pixels;
}

}  // namespace setup::win32
