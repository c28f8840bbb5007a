#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace setup::app {

// Splits a Windows parameter text into arguments as the C run-time of a
// Windows program does: blanks and tabs separate arguments outside double
// quotes; 2n backslashes before a quote give n backslashes and the quote
// opens or closes a quoted part, 2n + 1 give n backslashes and a literal
// quote; other backslashes are literal; "" inside a quoted part is one
// literal quote.
std::vector<std::string> SplitWindowsArguments(std::string_view text);

}  // namespace setup::app
