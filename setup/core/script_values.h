#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace setup {

// Conversions that the readers of script values apply.

// The run-time integer parser: an optional sign followed by decimal digits,
// or by "$" and hexadecimal digits. Decimal must fit 32 signed bits;
// hexadecimal may use all 32 bits ("$FFFFFFFF" is -1). nullopt when
// malformed or empty.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// ParseInteger, or def when the text is malformed or empty.
std::int32_t ToInteger(std::string_view text, std::int32_t def = 0);

// The strict decimal reading of a byte count: digits only, nothing else.
std::optional<std::int64_t> ParseStrictSize(std::string_view text);

// A one-flag is on only for the single character "1".
inline bool IsOneFlagOn(std::string_view value) { return value == "1"; }
// A zero-flag is off only for the single character "0".
inline bool IsZeroFlagOn(std::string_view value) { return value != "0"; }

// The key of item n of a numbered list: field name and n in decimal without
// leading zeros ("NewFile" and 12 give "NewFile12").
std::string ItemKey(std::string_view field, std::int64_t n);

// The number n when key is field name followed by a decimal item number
// without leading zeros; nullopt otherwise.
std::optional<std::int64_t> ItemNumberOfKey(std::string_view key);

}  // namespace setup
