#pragma once

#include <array>
#include <string_view>

namespace setup::paint {

// A small fixed font for the installer's own artwork: 5 x 7 cells, a
// column of space between letters. It knows the letters of the product's
// name; any other character draws as a blank cell.
inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kGlyphAdvance = kGlyphWidth + 1;

// The rows of a letter, top first, '#' for ink; nullptr for an unknown one.
const std::array<std::string_view, kGlyphHeight>* GlyphRows(char c);

// Width of a text in font pixels (no trailing gap).
int PixelTextWidth(std::string_view text);

}  // namespace setup::paint
