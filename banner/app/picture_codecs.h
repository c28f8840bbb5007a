#pragma once

#include <filesystem>
#include <string>

#include "banner/render/bitmap.h"

namespace plakato {

// Pictures larger than this are refused before any pixel memory is taken, so
// that a hostile file cannot exhaust memory: 50 million pixels (200 MB of
// pixels) and 30000 pixels on either side.
inline constexpr long long kMaxPicturePixels = 50'000'000;
inline constexpr int kMaxPictureSide = 30'000;

struct PictureResult {
  Bitmap picture;     // empty on failure
  std::string error;  // empty on success: a short Japanese/English cause
  bool ok() const { return error.empty(); }
};

// True when the last four characters of the path are ".png" in any case: such
// paths go through the PNG codec, every other through the platform loader.
bool IsPngPath(const std::filesystem::path& path);

// Loads a picture at its own pixel size: PNG by name, otherwise BMP, JPEG or
// GIF by content.
PictureResult LoadPicture(const std::filesystem::path& path);

// Writes a picture: PNG when the name ends in ".png" in any case, otherwise a
// 24-bit Windows bitmap. Written to a temporary file and renamed, so a failed
// write leaves no partial file; error receives the system's error text.
bool SavePicture(const Bitmap& picture, const std::filesystem::path& path, std::string* error);

// The codecs by themselves.
PictureResult LoadPng(const std::filesystem::path& path);
PictureResult LoadBmp(const std::filesystem::path& path);
PictureResult LoadJpeg(const std::filesystem::path& path);
PictureResult LoadGif(const std::filesystem::path& path);
bool EncodePng(const Bitmap& picture, std::string& out, std::string* error);
std::string EncodeBmp(const Bitmap& picture);

}  // namespace plakato
