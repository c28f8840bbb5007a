#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes the character that starts at text[i] and moves i past it. A byte
// that starts no valid sequence (truncated, overlong, surrogate, beyond
// U+10FFFF) gives nullopt and moves i by that one byte.
std::optional<char32_t> NextUtf8Char(std::string_view text, std::size_t& i);

// Appends the UTF-8 form of a code point up to U+10FFFF.
void AppendUtf8(std::string& out, char32_t c);

// All code points of a text, each invalid byte as U+FFFD, so any byte string
// decodes without failing.
std::vector<char32_t> DecodeUtf8(std::string_view text);

}  // namespace platform
