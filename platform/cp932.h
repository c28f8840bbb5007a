#pragma once

#include <string>
#include <string_view>

namespace platform {

// Code page 932 (Shift-JIS as Windows has it) is what files and the registry
// of the original system hold; the program works on UTF-8. Neither direction
// ever fails: an invalid or truncated byte sequence becomes U+FFFD, and a
// character that code page 932 lacks becomes '?'.
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

// True when the text converts to code page 932 without loss.
bool IsCp932Representable(std::string_view utf8);

// True when the byte can start a double-byte character in code page 932.
constexpr bool IsCp932LeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace platform
