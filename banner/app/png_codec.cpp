// The PNG codec on libpng. A picture's stored values are its pixels: 16-bit
// samples are reduced to 8 bits, alpha is blended over white in the stored
// values, and gamma and colour-space chunks are ignored, so a picture shows
// the same as in the browsers that ignore them and as on the Windows
// original, which drew the stored values.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "banner/app/picture_codecs.h"
#include "platform/atomic_file.h"

namespace plakato {
namespace {

struct PngSource {
  const std::string* data;
  std::size_t at = 0;
  char message[160] = {};
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (length > source->data->size() - source->at) png_error(png, "file is truncated");
  std::memcpy(out, source->data->data() + source->at, length);
  source->at += length;
}

void OnError(png_structp png, png_const_charp message) {
  auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
  std::snprintf(source->message, sizeof source->message, "%s", message ? message : "broken file");
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

struct PngShape {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  bool too_large = false;
};

// Reads the whole picture as 8-bit RGBA rows into rgba. Every object this
// function changes lives outside it, so the jump back from an error leaves
// nothing half-made behind.
bool ReadRgba(png_structp png, png_infop info, PngShape* shape, std::vector<png_byte>* rgba,
              std::vector<png_bytep>* rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
  png_read_info(png, info);
  shape->width = png_get_image_width(png, info);
  shape->height = png_get_image_height(png, info);
  if (static_cast<long long>(shape->width) * shape->height > kMaxPicturePixels) {
    shape->too_large = true;
    return false;
  }
  const int color_type = png_get_color_type(png, info);
  png_set_expand(png);  // palettes, small grey depths and tRNS to 8-bit channels and alpha
  png_set_scale_16(png);
  if (!(color_type & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const std::size_t stride = static_cast<std::size_t>(shape->width) * 4;
  if (png_get_rowbytes(png, info) != stride) png_error(png, "unexpected row layout");
  rgba->resize(stride * shape->height);
  rows->resize(shape->height);
  for (png_uint_32 y = 0; y < shape->height; ++y) (*rows)[y] = rgba->data() + stride * y;
  png_read_image(png, rows->data());
  return true;
}

// Alpha over white in the stored values.
int OverWhite(int value, int alpha) { return (value * alpha + 255 * (255 - alpha) + 127) / 255; }

}  // namespace

platform::StatusOr<Bitmap> LoadPng(const std::filesystem::path& path) {
  std::string data;
  if (platform::Status read = platform::ReadWholeFile(path, data); !read.ok()) return read;
  PngSource source{&data};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, OnError, OnWarning);
  if (!png) return platform::Status::Corruption("PNG: out of memory");
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return platform::Status::Corruption("PNG: out of memory");
  }
  png_set_read_fn(png, &source, ReadFromMemory);
  PngShape shape;
  std::vector<png_byte> rgba;
  std::vector<png_bytep> rows;
  const bool read = ReadRgba(png, info, &shape, &rgba, &rows);
  png_destroy_read_struct(&png, &info, nullptr);
  if (shape.too_large) return platform::Status::InvalidArgument("picture too large");
  if (!read) return platform::Status::Corruption(std::string("PNG: ") + source.message);

  const int w = static_cast<int>(shape.width), h = static_cast<int>(shape.height);
  Bitmap bmp(w, h);
  const png_byte* src = rgba.data();
  for (int y = 0; y < h; ++y) {
    Color* row = bmp.row(y);
    for (int x = 0; x < w; ++x, src += 4) {
      row[x] = MakeColor(OverWhite(src[0], src[3]), OverWhite(src[1], src[3]), OverWhite(src[2], src[3]));
    }
  }
  return bmp;
}

platform::StatusOr<std::string> EncodePng(const Bitmap& picture) {
  if (picture.empty()) return platform::Status::InvalidArgument("empty picture");
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
  auto failed = [&image] {
    const std::string why = std::string("PNG: ") + image.message;
    png_image_free(&image);
    return platform::Status::IoError(why);
  };
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) return failed();
  std::string out(size, '\0');
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr)) return failed();
  out.resize(size);
  return out;
}

}  // namespace plakato
