#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace plakato {

// A font as a text buffer carries it: face name as the settings name it
// (Windows face names included), style and size in points.
struct FontSpec {
  std::string face;
  bool bold = false;
  bool italic = false;
  int points = 9;

  bool operator==(const FontSpec&) const = default;
};

// The text cell of a string in pixels: advance width of the whole string and
// the font's line height.
struct TextExtent {
  int width = 0;
  int height = 0;

  bool operator==(const TextExtent&) const = default;
};

// 8-bit coverage of a drawn string (0 = untouched, 255 = fully inside a
// glyph). (left, top) is the position of the mask's top-left pixel relative
// to the top-left corner of the text cell; it may be negative.
struct CoverageMask {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;  // width * height, rows top-down

  std::uint8_t at(int x, int y) const {
    return coverage[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)];
  }
};

// Measures and draws UTF-8 strings. Implementations must be deterministic:
// the same font and text always give the same extent and mask, which is what
// lets the two title masks be exact inverses of each other.
class FontBackend {
 public:
  virtual ~FontBackend() = default;

  virtual TextExtent Measure(const FontSpec& font, std::string_view text) = 0;
  virtual std::shared_ptr<const CoverageMask> Render(const FontSpec& font, std::string_view text) = 0;
  // Ok when a font can be loaded for the face and style; otherwise why
  // not, so that a title drawn with nothing is not taken for a design
  // without a title.
  virtual platform::Status CheckFont(const FontSpec&) { return platform::Status::Ok(); }
};

// The FreeType + fontconfig back end behind a measurement and mask cache.
// Never null; when no font can be loaded it measures and draws nothing.
std::shared_ptr<FontBackend> CreateDefaultFontBackend();

}  // namespace plakato
