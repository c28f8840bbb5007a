#pragma once

#include <cstdint>
#include <vector>

namespace setup::paint {

// One pixel as 0xAARRGGBB with straight (not premultiplied) alpha: the
// layout of a 32-bit top-down device-independent bitmap and of the
// toolkit's ARGB32 image on a little-endian machine.
using Argb = std::uint32_t;

constexpr Argb MakeArgb(int alpha, int red, int green, int blue) {
  return (static_cast<Argb>(alpha & 0xFF) << 24) | (static_cast<Argb>(red & 0xFF) << 16) |
         (static_cast<Argb>(green & 0xFF) << 8) | static_cast<Argb>(blue & 0xFF);
}
constexpr Argb Opaque(int red, int green, int blue) { return MakeArgb(255, red, green, blue); }
constexpr int AlphaOf(Argb c) { return static_cast<int>(c >> 24); }
constexpr int RedOf(Argb c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr int GreenOf(Argb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Argb c) { return static_cast<int>(c & 0xFF); }

// A picture in memory, rows from the top. Both the toolkit's views and the
// Win32 views draw from these, so they show the same pixels.
struct PixelBuffer {
  int width = 0;
  int height = 0;
  std::vector<Argb> pixels;

  PixelBuffer() = default;
  PixelBuffer(int w, int h, Argb fill = 0)
      : width(w > 0 ? w : 0),
        height(h > 0 ? h : 0),
        pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

  bool empty() const { return pixels.empty(); }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  Argb At(int x, int y) const { return pixels[Index(x, y)]; }
  Argb& At(int x, int y) { return pixels[Index(x, y)]; }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
  }
};

// Lays colour over a pixel: coverage (0 to 1) scales the colour's alpha.
// The result is straight alpha again.
Argb BlendOver(Argb below, Argb colour, double coverage = 1.0);

// The picture laid over a plain opaque colour, for views that show no
// transparency (a window's face colour behind an icon).
PixelBuffer OverBackground(const PixelBuffer& picture, Argb background);

}  // namespace setup::paint
