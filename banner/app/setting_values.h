#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "banner/render/color.h"
#include "banner/render/nearest.h"  // RoundHalfEven, the rule every conversion here uses

namespace plakato {

// Conversions of settings-file texts into control values. A nullopt result
// means the text is malformed for that conversion; the loader then keeps the
// control as it was.

// Strict: the whole text (blanks around it allowed) must be a number
// (decimal with optional fraction and exponent, or &H hexadecimal); a
// fraction is rounded; out of the 16-bit range is an error.
std::optional<std::int16_t> StrictInt16(std::string_view text);

// Strict as above, without rounding or range: the number the text is.
std::optional<double> StrictNumber(std::string_view text);

// Lenient: the leading number of the text (LeadingNumber), rounded into 16 or 32 bits; nullopt when out of
// range.
std::optional<std::int16_t> LenientInt16(std::string_view text);
std::optional<std::int32_t> LenientInt32(std::string_view text);

// A boolean word in any letter case, or a number (0 false, any other true).
std::optional<bool> ParseBoolean(std::string_view text);

// Hexadecimal digits of 0x00BBGGRR (blue first); nullopt without any.
std::optional<Color> ParseHexColor(std::string_view text);

}  // namespace plakato
