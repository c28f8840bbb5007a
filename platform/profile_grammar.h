#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ascii_text.h"

namespace platform {

// The grammar of private-profile (INI) files, shared by the reader that
// indexes a file for lookups and the one that edits it line by line, so
// that both see the same sections, keys and values.

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Calls line(text, eol) for every line of the bytes, in order. eol is the
// line's end ("\n", "\r\n" or empty for a last line without one), text the
// line without it. A UTF-8 byte-order mark, as modern editors write it, is
// passed first as a line of its own without an end: it is not part of the
// first line, and a rewrite that joins every text and eol keeps it.
template <typename LineFn>
void ForEachProfileLine(std::string_view bytes, LineFn&& line) {
  std::size_t pos = 0;
  if (bytes.starts_with(kUtf8ByteOrderMark)) {
    line(kUtf8ByteOrderMark, std::string_view());
    pos = kUtf8ByteOrderMark.size();
  }
  while (pos < bytes.size()) {
    const std::size_t nl = bytes.find('\n', pos);
    if (nl == std::string_view::npos) {
      line(bytes.substr(pos), std::string_view());
      return;
    }
    std::size_t end = nl;
    if (end > pos && bytes[end - 1] == '\r') --end;
    line(bytes.substr(pos, end - pos), bytes.substr(end, nl + 1 - end));
    pos = nl + 1;
  }
}

// What one line is: a section header "[name]", a key line "name=value", or
// anything else (blank, a ';' comment, text without '=', the byte-order
// mark). Blanks around the line, names and values are not part of them; a
// header without its ']' runs to the end of the line.
struct ProfileLine {
  enum class Kind { kOther, kSection, kKey };
  Kind kind = Kind::kOther;
  std::string_view name;   // section or key name
  std::string_view value;  // a key's value, quotes kept
};
ProfileLine ParseProfileLine(std::string_view text);

// A value wholly enclosed in one kind of quotes ('"' or '\'') without them.
std::string_view UnquoteProfileValue(std::string_view value);

// A key of a numbered list taken apart: "File12" is field "File", item 12.
// The number has no leading zero and at most 18 digits, and a field comes
// before it; any other key is no item.
struct ProfileItemName {
  std::string_view field;
  std::int64_t n = 0;
};
std::optional<ProfileItemName> SplitProfileItemName(std::string_view key);

// Section and key names match without regard to ASCII letter case and
// without blanks around them; FoldProfileName gives the form they compare in.
std::string FoldProfileName(std::string_view name);
bool SameProfileName(std::string_view a, std::string_view b);

}  // namespace platform
