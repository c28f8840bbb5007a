#include "banner/app/setting_values.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "banner/render/leading_number.h"
#include "platform/ascii_text.h"

namespace plakato {
namespace {

using platform::AsciiEqualsIgnoringCase;
using platform::HexDigitValue;

// "&H" followed by hexadecimal digits: the value, or nullopt when the text is
// no such number. consumed receives how many characters were used.
std::optional<double> HexLiteral(std::string_view s, size_t& consumed) {
  if (s.size() < 3 || s[0] != '&' || (s[1] != 'H' && s[1] != 'h')) return std::nullopt;
  unsigned long long v = 0;
  size_t i = 2;
  for (; i < s.size() && HexDigitValue(s[i]) >= 0 && i < 2 + 16; ++i)
    v = v * 16 + static_cast<unsigned>(HexDigitValue(s[i]));
  if (i == 2) return std::nullopt;
  consumed = i;
  return static_cast<double>(v);
}

// A decimal number at the start of s: digits, fraction, exponent. consumed
// is 0 when there is none.
double DecimalPrefix(std::string_view s, size_t& consumed) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
  }
  if (digits == 0) {
    consumed = 0;
    return 0;
  }
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t exp_digits = 0;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j, ++exp_digits;
    if (exp_digits) i = j;
  }
  consumed = i;
  return std::strtod(std::string(s.substr(0, i)).c_str(), nullptr);
}

template <typename T>
std::optional<T> RoundInto(double v) {
  if (!std::isfinite(v)) return std::nullopt;
  const double r = RoundHalfEven(v);
  if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
      r > static_cast<double>(std::numeric_limits<T>::max()))
    return std::nullopt;
  return static_cast<T>(r);
}

}  // namespace

std::optional<double> StrictNumber(std::string_view text) {
  std::string_view s = platform::TrimAsciiBlanks(text);
  if (s.empty()) return std::nullopt;
  size_t used = 0;
  if (auto hex = HexLiteral(s, used)) {
    if (used != s.size()) return std::nullopt;
    return *hex;
  }
  double v = DecimalPrefix(s, used);
  if (used == 0 || used != s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<std::int16_t> StrictInt16(std::string_view text) {
  auto v = StrictNumber(text);
  if (!v) return std::nullopt;
  return RoundInto<std::int16_t>(*v);
}

std::optional<std::int16_t> LenientInt16(std::string_view text) {
  return RoundInto<std::int16_t>(LeadingNumber(text));
}
std::optional<std::int32_t> LenientInt32(std::string_view text) {
  return RoundInto<std::int32_t>(LeadingNumber(text));
}

std::optional<bool> ParseBoolean(std::string_view text) {
  std::string_view s = platform::TrimAsciiBlanks(text);
  if (AsciiEqualsIgnoringCase(s, "true")) return true;
  if (AsciiEqualsIgnoringCase(s, "false")) return false;
  size_t used = 0;
  double v = 0;
  if (auto hex = HexLiteral(s, used)) {
    v = *hex;
  } else {
    v = DecimalPrefix(s, used);
  }
  if (used == 0 || used != s.size()) return std::nullopt;
  return v != 0;
}

std::optional<Color> ParseHexColor(std::string_view text) {
  std::string_view s = platform::TrimAsciiBlanks(text);
  unsigned long long v = 0;
  size_t i = 0;
  for (; i < s.size() && HexDigitValue(s[i]) >= 0 && i < 16; ++i)
    v = v * 16 + static_cast<unsigned>(HexDigitValue(s[i]));
  if (i == 0) return std::nullopt;
  return static_cast<Color>(v & 0xFFFFFF);
}

}  // namespace plakato
