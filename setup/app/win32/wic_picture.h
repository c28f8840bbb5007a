#pragma once

#include <string>

#include "setup/app/paint/pixel_buffer.h"

namespace setup::win32 {

// The largest background picture file read, as on Linux.
inline constexpr std::size_t kMaxPictureFileBytes = 64u << 20;

// Reads a BMP, JPEG or GIF picture (told by its first bytes) through the
// Windows Imaging Component: the first frame as 32-bit pixels with straight
// alpha. Empty for a missing, larger, other or broken file.
paint::PixelBuffer LoadPictureWic(const std::wstring& file);
// The same from the file's bytes.
paint::PixelBuffer DecodePictureWic(const std::string& bytes);

}  // namespace setup::win32
