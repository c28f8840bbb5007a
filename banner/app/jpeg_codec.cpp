// JPEG reading through libjpeg-turbo.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <vector>

#include "banner/app/picture_codecs.h"
#include "platform/atomic_file.h"

namespace plakato {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  info->err->format_message(info, err->message);
  std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr, int) {}  // warnings are not shown

}  // namespace

platform::StatusOr<Bitmap> LoadJpeg(const std::filesystem::path& path) {
  std::string data;
  if (platform::Status read = platform::ReadWholeFile(path, data); !read.ok()) return read;
  jpeg_decompress_struct info{};
  ErrorManager err{};
  info.err = jpeg_std_error(&err.base);
  err.base.error_exit = OnError;
  err.base.emit_message = OnMessage;
  // Objects with destructors are made before setjmp, so a jump back skips
  // no constructor and leaks nothing.
  Bitmap result;
  std::vector<unsigned char> line;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    return platform::Status::Corruption(std::string("JPEG: ") + err.message);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()),
               static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  if (info.image_width == 0 || info.image_height == 0 ||
      info.image_width > static_cast<unsigned>(kMaxPictureSide) ||
      info.image_height > static_cast<unsigned>(kMaxPictureSide) ||
      static_cast<long long>(info.image_width) * info.image_height > kMaxPicturePixels) {
    jpeg_destroy_decompress(&info);
    return platform::Status::InvalidArgument("picture too large");
  }
  info.out_color_space = JCS_EXT_RGBX;
  jpeg_start_decompress(&info);
  result = Bitmap(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  line.resize(static_cast<std::size_t>(info.output_width) * 4);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    JSAMPROW row = line.data();
    jpeg_read_scanlines(&info, &row, 1);
    Color* out = result.row(y);
    for (unsigned x = 0; x < info.output_width; ++x)
      out[x] = MakeColor(line[4 * x], line[4 * x + 1], line[4 * x + 2]);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return result;
}

}  // namespace plakato
