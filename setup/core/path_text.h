#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/ascii_text.h"

namespace setup {

// Text operations on Windows paths. Texts are UTF-8; every position and
// length counts characters (code points), never bytes, so a double-byte
// character is one character and its bytes are never taken for a backslash.
// Positions are 1-based; 0 means "not found".

// folder + "\" + rest, with one backslash between them: none is added when
// folder already ends in one, and the leading backslashes of rest are
// dropped. An empty rest gives folder unchanged.
std::string JoinPath(std::string_view folder, std::string_view rest);

// text without all trailing (leading) repetitions of separator.
std::string StripTrailing(std::string_view text, std::string_view separator);
std::string StripLeading(std::string_view text, std::string_view separator);

// Character position of the last occurrence of sub in text; 0 when none or
// sub is empty.
std::size_t LastPos(std::string_view sub, std::string_view text);

// Character position of the first occurrence of sub at or after character
// position start (a start below 1 counts as 1); 0 when none, when sub is
// empty or when start lies beyond the text.
std::size_t PosFrom(std::string_view sub, std::string_view text, std::size_t start);

// The text from character position start (below 1 counts as 1) to the end;
// empty when start lies beyond it.
std::string CopyFrom(std::string_view text, std::size_t start);

// The first count characters of text (all of it when shorter).
std::string FirstChars(std::string_view text, std::size_t count);

// Number of characters in text.
std::size_t CharCount(std::string_view text);

// ASCII letters folded to lower case; other bytes stay, so double-byte
// characters are never changed.
using platform::AsciiLower;

// The path without its last component: "C:\A\B" gives "C:\A", "C:\A" and
// "C:\" give "C:\" (a drive root is kept whole), "A" gives "". A trailing
// backslash is dropped first, except from a drive root.
std::string ParentPath(std::string_view path);

// Blanks and control characters (everything up to U+0020) removed from both
// ends, as the run-time library's trimming does.
std::string TrimBlanks(std::string_view text);

}  // namespace setup
