#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "banner/render/color.h"

namespace plakato {

// A picture that owns its pixels: rows top-down, one 0x00BBGGRR colour per
// pixel (the top byte is always zero). An empty bitmap has no pixels.
class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, Color fill = kWhite)
      : width_(width > 0 ? width : 0),
        height_(height > 0 ? height : 0),
        pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return pixels_.empty(); }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Color pixel(int x, int y) const { return pixels_[index(x, y)]; }
  void set_pixel(int x, int y, Color c) { pixels_[index(x, y)] = c & 0xFFFFFF; }

  Color* row(int y) {
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  const Color* row(int y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  Color* data() { return pixels_.data(); }
  const Color* data() const { return pixels_.data(); }

  void fill(Color c) { pixels_.assign(pixels_.size(), c & 0xFFFFFF); }

  bool operator==(const Bitmap& other) const = default;

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
  }

  int width_ = 0;
  int height_ = 0;
  std::vector<Color> pixels_;
};

// A copy of the w x h rectangle of source whose top-left corner is (x, y);
// where the rectangle reaches beyond the source the result shows outside.
Bitmap CropBitmap(const Bitmap& source, int x, int y, int w, int h, Color outside);

}  // namespace plakato
