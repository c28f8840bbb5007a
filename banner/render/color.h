#pragma once

#include <cstdint>

namespace plakato {

// A 24-bit RGB colour with red in the lowest byte (0x00BBGGRR), the layout
// that settings files and every picture in the program use.
using Color = std::uint32_t;

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;

constexpr Color MakeColor(int red, int green, int blue) {
  return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// Component n of a colour: 1 red, 2 green, 3 blue.
constexpr int ColorComponent(Color color, int n) {
  const std::uint32_t b = 1u << (8 * (n - 1));
  return static_cast<int>((color & (255u * b)) / b);
}

constexpr int Red(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int Green(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int Blue(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace plakato
