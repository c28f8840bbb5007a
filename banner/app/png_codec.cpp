// The PNG codec, on libpng's simplified interface.
#include <png.h>

#include <vector>

#include "banner/app/picture_codecs.h"
#include "platform/atomic_file.h"

namespace plakato {

PictureResult LoadPng(const std::filesystem::path& path) {
  std::string data;
  std::string error;
  if (!platform::ReadWholeFile(path, data, &error)) return {{}, error};
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) {
    std::string why = image.message;
    png_image_free(&image);
    return {{}, "PNG: " + why};
  }
  if (image.width == 0 || image.height == 0 || image.width > static_cast<unsigned>(kMaxPictureSide) ||
      image.height > static_cast<unsigned>(kMaxPictureSide) ||
      static_cast<long long>(image.width) * image.height > kMaxPicturePixels) {
    png_image_free(&image);
    return {{}, "picture too large"};
  }
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  // Transparent parts are shown on white, as on the banner's white buffer.
  png_color white{255, 255, 255};
  if (!png_image_finish_read(&image, &white, rgb.data(), 0, nullptr)) {
    std::string why = image.message;
    png_image_free(&image);
    return {{}, "PNG: " + why};
  }
  const int w = static_cast<int>(image.width), h = static_cast<int>(image.height);
  Bitmap bmp(w, h);
  const png_byte* src = rgb.data();
  for (int y = 0; y < h; ++y) {
    Color* row = bmp.row(y);
    for (int x = 0; x < w; ++x, src += 3) row[x] = MakeColor(src[0], src[1], src[2]);
  }
  return {std::move(bmp), {}};
}

bool EncodePng(const Bitmap& picture, std::string& out, std::string* error) {
  if (picture.empty()) {
    if (error) *error = "empty picture";
    return false;
  }
  std::vector<png_byte> rgb;
  rgb.reserve(static_cast<std::size_t>(picture.width()) * static_cast<std::size_t>(picture.height()) * 3);
  for (int y = 0; y < picture.height(); ++y) {
    const Color* row = picture.row(y);
    for (int x = 0; x < picture.width(); ++x) {
      rgb.push_back(static_cast<png_byte>(Red(row[x])));
      rgb.push_back(static_cast<png_byte>(Green(row[x])));
      rgb.push_back(static_cast<png_byte>(Blue(row[x])));
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width());
  image.height = static_cast<png_uint_32>(picture.height());
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) {
    if (error) *error = std::string("PNG: ") + image.message;
    png_image_free(&image);
    return false;
  }
  out.resize(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr)) {
    if (error) *error = std::string("PNG: ") + image.message;
    png_image_free(&image);
    return false;
  }
  out.resize(size);
  return true;
}

}  // namespace plakato
