#pragma once

#include <string_view>
#include <vector>

namespace plakato {

// Code points of a UTF-8 text; every malformed, overlong or surrogate sequence
// becomes one U+FFFD, so any byte string decodes without failing.
std::vector<char32_t> DecodeUtf8(std::string_view text);

}  // namespace plakato
