#include "platform/target/name_folding.h"

#include <cstdint>
#include <vector>

namespace platform::target {
namespace {

// Decodes one UTF-8 sequence at text[i]; an invalid byte decodes as itself
// with the 0x110000 bit set, so it never equals a real character.
char32_t DecodeAt(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                       : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || i + length > text.size()) {
    ++i;
    return 0x110000u | lead;
  }
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return 0x110000u | lead;
    }
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  i += length;
  return c;
}

void Encode(char32_t c, std::string& out) {
  if (c >= 0x110000u) {
    out.push_back(static_cast<char>(c & 0xFF));
  } else if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

char32_t FoldChar(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;  // Latin-1 small letters
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;           // full-width ａ-ｚ
  return c;
}

std::vector<char32_t> FoldedChars(std::string_view text) {
  std::vector<char32_t> chars;
  for (std::size_t i = 0; i < text.size();) chars.push_back(FoldChar(DecodeAt(text, i)));
  return chars;
}

}  // namespace

std::string FoldName(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) Encode(FoldChar(DecodeAt(utf8, i)), out);
  return out;
}

bool NamesEqual(std::string_view a, std::string_view b) { return FoldName(a) == FoldName(b); }

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") return true;
  const std::vector<char32_t> p = FoldedChars(pattern);
  const std::vector<char32_t> n = FoldedChars(name);
  // Iterative matching with one back-tracking point for the last '*'.
  std::size_t pi = 0, ni = 0, star = p.size(), resume = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == U'?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == U'*') {
      star = pi++;
      resume = ni;
    } else if (star != p.size()) {
      pi = star + 1;
      ni = ++resume;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == U'*') ++pi;
  return pi == p.size();
}

}  // namespace platform::target
