#pragma once

#include <string>
#include <string_view>

namespace plakato {

// The detail of a failure as the user reads it: the system's error texts
// and the picture readers' own reasons in Japanese. A detail from a library
// that has no Japanese text (a PNG or JPEG reader's message) is named as a
// damaged file with the library's words after it.
std::string JapaneseErrorText(const std::string& detail);

}  // namespace plakato
