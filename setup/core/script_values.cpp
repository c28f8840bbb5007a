#include "setup/core/script_values.h"

#include "platform/profile_grammar.h"

#include <limits>

#include "platform/ascii_text.h"

namespace setup {
namespace {

using platform::HexDigitValue;

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const bool hex = !text.empty() && text.front() == '$';
  if (hex) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;

  const std::uint64_t base = hex ? 16 : 10;
  // Hexadecimal may fill all 32 bits; decimal stops at the signed range.
  const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  std::uint64_t magnitude = 0;
  for (char c : text) {
    const int digit = hex ? HexDigitValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * base + static_cast<std::uint64_t>(digit);
    if (magnitude > limit) return std::nullopt;
  }
  const auto bits = static_cast<std::uint32_t>(magnitude);
  const std::uint32_t value = negative ? 0u - bits : bits;
  return static_cast<std::int32_t>(value);
}

std::int32_t ToInteger(std::string_view text, std::int32_t def) { return ParseInteger(text).value_or(def); }

std::optional<std::int64_t> ParseStrictSize(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const int digit = c - '0';
    if (value > (std::numeric_limits<std::int64_t>::max() - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

std::string ItemKey(std::string_view field, std::int64_t n) {
  std::string key(field);
  key += std::to_string(n);
  return key;
}

std::optional<std::int64_t> ItemNumberOfKey(std::string_view key) {
  const auto item = platform::SplitProfileItemName(key);
  return item ? std::optional<std::int64_t>(item->n) : std::nullopt;
}

}  // namespace setup
