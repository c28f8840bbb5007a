#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "banner/render/font_backend.h"

namespace plakato {

// A font back end for tests: the text cell comes from a function the test
// controls (by default 1 pixel per point and character wide, points + 2 high),
// and the drawn mask is that cell filled solid, optionally with a last
// column of partial coverage to stand for a smoothed glyph edge.
class FakeFontBackend : public FontBackend {
 public:
  std::function<TextExtent(const FontSpec&, std::string_view)> extent = [](const FontSpec& font,
                                                                           std::string_view text) {
    return TextExtent{font.points * static_cast<int>(text.size()), font.points + 2};
  };
  int edge_coverage = -1;  // coverage of the last column, -1 for solid
  std::string font_error;  // why CheckFont refuses every font; empty: none refused
  int measure_calls = 0;
  int render_calls = 0;
  FontSpec last_render_font;

  TextExtent Measure(const FontSpec& font, std::string_view text) override {
    ++measure_calls;
    return extent(font, text);
  }

  platform::Status CheckFont(const FontSpec&) override {
    return font_error.empty() ? platform::Status::Ok() : platform::Status::NotFound(font_error);
  }

  std::shared_ptr<const CoverageMask> Render(const FontSpec& font, std::string_view text) override {
    ++render_calls;
    last_render_font = font;
    auto mask = std::make_shared<CoverageMask>();
    const TextExtent cell = extent(font, text);
    mask->width = cell.width;
    mask->height = cell.height;
    mask->coverage.assign(static_cast<std::size_t>(cell.width) * cell.height, 255);
    if (edge_coverage >= 0 && cell.width > 0) {
      for (int y = 0; y < cell.height; ++y)
        mask->coverage[static_cast<std::size_t>(y) * cell.width + cell.width - 1] =
            static_cast<std::uint8_t>(edge_coverage);
    }
    return mask;
  }
};

}  // namespace plakato
