#pragma once

#include <string_view>

namespace platform {

// Blanks as the profile functions and the number parsers see them: space,
// tab, carriage return, line feed, vertical tab and form feed.
constexpr bool IsAsciiBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The text without blanks at either end.
constexpr std::string_view TrimAsciiBlanks(std::string_view s) {
  while (!s.empty() && IsAsciiBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsAsciiBlank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace platform
