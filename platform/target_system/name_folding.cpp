#include "platform/target_system/name_folding.h"

#include <cstdint>
#include <vector>

#include "platform/utf8.h"

namespace platform::target {
namespace {

// Decodes one character at text[i]; an invalid byte decodes as itself with
// the 0x110000 bit set, so it never equals a real character and is written
// back unchanged.
char32_t DecodeAt(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  return NextUtf8Char(text, i).value_or(0x110000u | lead);
}

void Encode(char32_t c, std::string& out) {
  if (c >= 0x110000u) {
    out.push_back(static_cast<char>(c & 0xFF));
  } else {
    AppendUtf8(out, c);
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
