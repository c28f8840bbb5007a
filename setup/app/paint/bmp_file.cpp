#include "setup/app/paint/bmp_file.h"

namespace setup::paint {
namespace {

void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string EncodeBmp24(const PixelBuffer& pixels) {
  const std::uint32_t row = (static_cast<std::uint32_t>(pixels.width) * 3 + 3) & ~3u;
  const std::uint32_t data = row * static_cast<std::uint32_t>(pixels.height);
  std::string out;
  out.reserve(54 + data);
  out += "BM";
  Put(out, 54 + data, 4);
  Put(out, 0, 4);
  Put(out, 54, 4);
  Put(out, 40, 4);
  Put(out, static_cast<std::uint32_t>(pixels.width), 4);
  Put(out, static_cast<std::uint32_t>(pixels.height), 4);
  Put(out, 1, 2);
  Put(out, 24, 2);
  Put(out, 0, 4);
  Put(out, data, 4);
  Put(out, 2835, 4);  // 72 dots per inch
  Put(out, 2835, 4);
  Put(out, 0, 4);
  Put(out, 0, 4);
  for (int y = pixels.height - 1; y >= 0; --y) {
    for (int x = 0; x < pixels.width; ++x) {
      const Argb p = pixels.At(x, y);
      out.push_back(static_cast<char>(BlueOf(p)));
      out.push_back(static_cast<char>(GreenOf(p)));
      out.push_back(static_cast<char>(RedOf(p)));
    }
    out.append(row - static_cast<std::uint32_t>(pixels.width) * 3, '\0');
  }
  return out;
}

}  // namespace setup::paint
