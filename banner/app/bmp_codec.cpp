// Windows bitmap files: reading of the common uncompressed and run-length
// forms, writing of 24-bit bottom-up files.
#include <cstdint>
#include <cstring>

#include "banner/app/picture_codecs.h"
#include "platform/atomic_file.h"

namespace plakato {
namespace {

std::uint32_t U32(const std::string& d, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(d[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(d[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(d[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(d[at + 3])) << 24;
}
std::uint16_t U16(const std::string& d, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1])
                                                                            << 8);
}

void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void Put16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

// Shift and width of a channel mask, for BI_BITFIELDS.
struct Channel {
  int shift = 0;
  int bits = 0;
  explicit Channel(std::uint32_t mask) {
    if (!mask) return;
    while (!(mask & 1)) {
      mask >>= 1;
      ++shift;
    }
    while (mask & 1) {
      mask >>= 1;
      ++bits;
    }
  }
  int Value(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    std::uint32_t v = (pixel >> shift) & ((bits >= 32) ? 0xFFFFFFFFu : ((1u << bits) - 1));
    if (bits >= 8) return static_cast<int>(v >> (bits - 8));
    return static_cast<int>((v * 255 + ((1u << bits) - 1) / 2) / ((1u << bits) - 1));
  }
};

platform::Status Fail(const char* why) { return platform::Status::Corruption(why); }

}  // namespace

platform::StatusOr<Bitmap> LoadBmp(const std::filesystem::path& path) {
  std::string d;
  if (platform::Status read = platform::ReadWholeFile(path, d); !read.ok()) return read;
  if (d.size() < 26 || d[0] != 'B' || d[1] != 'M') return Fail("not a bitmap file");
  const std::uint32_t pixel_offset = U32(d, 10);
  const std::uint32_t header_size = U32(d, 14);
  long long width = 0, height = 0;
  int bpp = 0;
  std::uint32_t compression = 0, colors_used = 0;
  std::uint32_t masks[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
  std::size_t palette_at = 14 + header_size;
  int palette_entry = 4;
  if (header_size == 12) {  // OS/2 core header
    if (d.size() < 26) return Fail("truncated bitmap header");
    width = U16(d, 18);
    height = static_cast<std::int16_t>(U16(d, 20));
    bpp = U16(d, 24);
    palette_entry = 3;
  } else if (header_size >= 40 && d.size() >= 14 + 40) {
    width = static_cast<std::int32_t>(U32(d, 18));
    height = static_cast<std::int32_t>(U32(d, 22));
    bpp = U16(d, 28);
    compression = U32(d, 30);
    colors_used = U32(d, 46);
    if (compression == 3) {  // BI_BITFIELDS: masks follow a 40-byte header
      if (d.size() < 14 + 40 + 12) return Fail("truncated bitmap header");
      for (int i = 0; i < 3; ++i) masks[i] = U32(d, 54 + 4 * i);
      if (header_size == 40) palette_at += 12;
    }
  } else {
    return Fail("unsupported bitmap header");
  }
  const bool top_down = height < 0;
  if (top_down) height = -height;
  if (width <= 0 || height <= 0) return Fail("bitmap without pixels");
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
    return Fail("picture too large");
  const bool rle = compression == 1 || compression == 2;
  if (!(compression == 0 || compression == 3 || (compression == 1 && bpp == 8) ||
        (compression == 2 && bpp == 4)))
    return Fail("unsupported bitmap compression");
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    return Fail("unsupported bitmap depth");

  std::vector<Color> palette;
  if (bpp <= 8) {
    std::size_t count = colors_used ? colors_used : (1u << bpp);
    if (count > 256) count = 256;
    for (std::size_t i = 0; i < count; ++i) {
      std::size_t at = palette_at + i * static_cast<std::size_t>(palette_entry);
      if (at + 3 > d.size()) break;
      palette.push_back(MakeColor(static_cast<unsigned char>(d[at + 2]),
                                  static_cast<unsigned char>(d[at + 1]), static_cast<unsigned char>(d[at])));
    }
    palette.resize(256, kBlack);
  }
  const int w = static_cast<int>(width), h = static_cast<int>(height);
  Bitmap bmp(w, h, kBlack);
  auto row_of = [&](int file_row) { return top_down ? file_row : h - 1 - file_row; };

  if (rle) {
    std::size_t at = pixel_offset;
    int x = 0, y = 0;
    auto put = [&](int index) {
      if (x < w && y < h) bmp.set_pixel(x, row_of(y), palette[static_cast<std::size_t>(index) & 0xFF]);
      ++x;
    };
    while (at + 1 < d.size() && y < h) {
      int count = static_cast<unsigned char>(d[at]);
      int value = static_cast<unsigned char>(d[at + 1]);
      at += 2;
      if (count > 0) {
        for (int i = 0; i < count; ++i) put(bpp == 8 ? value : ((i & 1) ? (value & 0x0F) : (value >> 4)));
      } else if (value == 0) {
        x = 0;
        ++y;
      } else if (value == 1) {
        break;
      } else if (value == 2) {
        if (at + 1 >= d.size()) break;
        x += static_cast<unsigned char>(d[at]);
        y += static_cast<unsigned char>(d[at + 1]);
        at += 2;
      } else {
        const int n = value;
        const std::size_t bytes =
            bpp == 8 ? static_cast<std::size_t>(n) : static_cast<std::size_t>((n + 1) / 2);
        if (at + bytes > d.size()) break;
        for (int i = 0; i < n; ++i) {
          int b = static_cast<unsigned char>(d[at + (bpp == 8 ? i : i / 2)]);
          put(bpp == 8 ? b : ((i & 1) ? (b & 0x0F) : (b >> 4)));
        }
        at += (bytes + 1) & ~static_cast<std::size_t>(1);
      }
    }
    return bmp;
  }

  const std::size_t stride = ((static_cast<std::size_t>(w) * static_cast<std::size_t>(bpp) + 31) / 32) * 4;
  if (pixel_offset > d.size() || (d.size() - pixel_offset) / stride < static_cast<std::size_t>(h))
    return Fail("truncated bitmap");
  const bool bitfields = compression == 3;
  const Channel red(bitfields ? masks[0] : (bpp == 16 ? 0x7C00u : 0x00FF0000u));
  const Channel green(bitfields ? masks[1] : (bpp == 16 ? 0x03E0u : 0x0000FF00u));
  const Channel blue(bitfields ? masks[2] : (bpp == 16 ? 0x001Fu : 0x000000FFu));
  for (int fy = 0; fy < h; ++fy) {
    const unsigned char* src = reinterpret_cast<const unsigned char*>(d.data()) + pixel_offset +
                               static_cast<std::size_t>(fy) * stride;
    Color* out = bmp.row(row_of(fy));
    for (int x = 0; x < w; ++x) {
      switch (bpp) {
        case 1: out[x] = palette[(src[x / 8] >> (7 - x % 8)) & 1]; break;
        case 4: out[x] = palette[(x & 1) ? (src[x / 2] & 0x0F) : (src[x / 2] >> 4)]; break;
        case 8: out[x] = palette[src[x]]; break;
        case 24: out[x] = MakeColor(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
        case 16: {
          std::uint32_t p = static_cast<std::uint32_t>(src[2 * x] | src[2 * x + 1] << 8);
          out[x] = MakeColor(red.Value(p), green.Value(p), blue.Value(p));
          break;
        }
        case 32: {
          std::uint32_t p;
          std::memcpy(&p, src + 4 * x, 4);
          out[x] = MakeColor(red.Value(p), green.Value(p), blue.Value(p));
          break;
        }
      }
    }
  }
  return bmp;
}

std::string EncodeBmp(const Bitmap& picture) {
  const int w = picture.width(), h = picture.height();
  const std::uint32_t stride = static_cast<std::uint32_t>((w * 3 + 3) & ~3);
  const std::uint32_t image_size = stride * static_cast<std::uint32_t>(h);
  std::string out;
  out.reserve(54 + image_size);
  out += "BM";
  Put32(out, 54 + image_size);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(w));
  Put32(out, static_cast<std::uint32_t>(h));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, image_size);
  Put32(out, 3780);  // 96 dots per inch
  Put32(out, 3780);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = h - 1; y >= 0; --y) {
    const Color* row = picture.row(y);
    for (int x = 0; x < w; ++x) {
      out.push_back(static_cast<char>(Blue(row[x])));
      out.push_back(static_cast<char>(Green(row[x])));
      out.push_back(static_cast<char>(Red(row[x])));
    }
    out.append(stride - static_cast<std::uint32_t>(w) * 3, '\0');
  }
  return out;
}

}  // namespace plakato
