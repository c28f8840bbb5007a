#pragma once

#include <string>
#include <string_view>

namespace platform::target {

// UTF-16LE bytes for UTF-8 text; an invalid UTF-8 byte becomes U+FFFD.
std::string Utf8ToUtf16Le(std::string_view utf8);
// UTF-8 text for UTF-16LE bytes (an odd last byte is dropped); an unpaired
// surrogate becomes U+FFFD.
std::string Utf16LeToUtf8(std::string_view utf16le);

}  // namespace platform::target
