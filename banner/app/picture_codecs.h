#pragma once

#include <filesystem>
#include <string>

#include "banner/render/bitmap.h"
#include "platform/status_or.h"

namespace plakato {

// Pictures larger than this are refused before any pixel memory is taken, so
// that a hostile file cannot exhaust memory: 50 million pixels (200 MB of
// pixels) and 30000 pixels on either side.
inline constexpr long long kMaxPicturePixels = 50'000'000;
inline constexpr int kMaxPictureSide = 30'000;

// True when the last four characters of the path are ".png" in any case: such
// paths go through the PNG codec, every other through the platform loader.
bool IsPngPath(const std::filesystem::path& path);

// Loads a picture at its own pixel size: PNG by name, otherwise BMP, JPEG or
// GIF by content. A failure's message is a short cause in English or
// Japanese.
platform::StatusOr<Bitmap> LoadPicture(const std::filesystem::path& path);

// Writes a picture: PNG when the name ends in ".png" in any case, otherwise a
// 24-bit Windows bitmap. Written to a temporary file and renamed, so a failed
// write leaves no partial file; a failure carries the system's error text.
platform::Status SavePicture(const Bitmap& picture, const std::filesystem::path& path);

// The codecs by themselves.
platform::StatusOr<Bitmap> LoadPng(const std::filesystem::path& path);
platform::StatusOr<Bitmap> LoadBmp(const std::filesystem::path& path);
platform::StatusOr<Bitmap> LoadJpeg(const std::filesystem::path& path);
platform::StatusOr<Bitmap> LoadGif(const std::filesystem::path& path);
platform::StatusOr<std::string> EncodePng(const Bitmap& picture);
std::string EncodeBmp(const Bitmap& picture);

}  // namespace plakato
