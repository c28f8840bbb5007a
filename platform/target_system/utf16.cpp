#include "platform/target_system/utf16.h"

#include <cstdint>

#include "platform/utf8.h"

namespace platform::target {
namespace {

void PutUnit(std::string& out, std::uint16_t unit) {
  out.push_back(static_cast<char>(unit & 0xFF));
  out.push_back(static_cast<char>(unit >> 8));
}

}  // namespace

std::string Utf8ToUtf16Le(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() * 2);
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = NextUtf8Char(utf8, i).value_or(kReplacementChar);
    if (c >= 0x10000) {
      PutUnit(out, static_cast<std::uint16_t>(0xD800 + ((c - 0x10000) >> 10)));
      PutUnit(out, static_cast<std::uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      PutUnit(out, static_cast<std::uint16_t>(c));
    }
  }
  return out;
}

std::string Utf16LeToUtf8(std::string_view utf16le) {
  std::string out;
  const std::size_t units = utf16le.size() / 2;
  const auto unit = [&](std::size_t k) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(utf16le[2 * k]) |
                                      (static_cast<unsigned char>(utf16le[2 * k + 1]) << 8));
  };
  for (std::size_t k = 0; k < units; ++k) {
    const std::uint16_t u = unit(k);
    if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 && unit(k + 1) <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (unit(k + 1) - 0xDC00));
      ++k;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      AppendUtf8(out, kReplacementChar);
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}

}  // namespace platform::target
