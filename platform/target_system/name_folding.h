#pragma once

#include <string>
#include <string_view>

namespace platform::target {

// Windows compares file, key and value names without regard to letter case.
// FoldName gives the form such comparisons use: ASCII letters, Latin-1
// letters and the full-width Latin letters (Ａ-Ｚ, as Japanese text has them)
// are upper-cased; everything else, including invalid UTF-8 bytes, is kept.
std::string FoldName(std::string_view utf8);

// True when both names fold to the same text.
bool NamesEqual(std::string_view a, std::string_view b);

// Wildcard match of a single name as FindFirstFile does it: '*' matches any
// run of characters (none included), '?' exactly one character (a UTF-8
// sequence counts as one), other characters match without regard to case.
// "*.*" matches every name, also one without a dot.
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace platform::target
