#pragma once

#include "platform/win32/windows_api.h"
#include "setup/app/paint/pixel_buffer.h"

namespace setup::win32 {

// A 32-bit top-down DIB section holding the pixels as they are (0xAARRGGBB
// is GDI's BGRA in memory); null when the size is empty or GDI refuses.
// The caller deletes it with DeleteObject.
HBITMAP BitmapFromPixels(const paint::PixelBuffer& pixels);

// The pixels of a bitmap of that size, read back as 32-bit top-down rows;
// alpha is set to opaque, since GDI's drawing leaves it undefined.
paint::PixelBuffer PixelsOfBitmap(HBITMAP bitmap, int width, int height);

}  // namespace setup::win32
