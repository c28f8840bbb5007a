// Code page 932 in the Windows build, through the system's own tables, with
// the rules the Linux build keeps: an invalid or truncated byte sequence
// becomes U+FFFD, a character the code page lacks becomes one '?'.
#include "platform/cp932.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace platform {
namespace {

constexpr UINT kShiftJis = 932;
constexpr wchar_t kReplacement = 0xFFFD;

bool IsAscii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

// One character of the code page (one or two bytes) to UTF-16; false for a
// byte sequence that is no character.
bool DecodeStrict(std::string_view bytes, std::wstring* out) {
  const int length = static_cast<int>(bytes.size());
  const int needed = MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
  if (needed <= 0) return false;
  const std::size_t at = out->size();
  out->resize(at + static_cast<std::size_t>(needed));
  MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data(), length, out->data() + at, needed);
  return true;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  std::wstring wide;
  if (DecodeStrict(cp932, &wide)) return win32::WideToUtf8(wide);
  // Something is invalid: character by character, so only it is replaced.
  wide.clear();
  for (std::size_t i = 0; i < cp932.size();) {
    const std::size_t size = IsCp932LeadByte(static_cast<unsigned char>(cp932[i])) ? 2 : 1;
    if (i + size <= cp932.size() && DecodeStrict(cp932.substr(i, size), &wide)) {
      i += size;
    } else {
      wide += kReplacement;
      ++i;
    }
  }
  return win32::WideToUtf8(wide);
}

std::string Utf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  std::wstring wide = win32::Utf8ToWide(utf8);
  // A character beyond the basic plane is one '?', not one per surrogate.
  std::wstring single;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const bool pair = IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() && IS_LOW_SURROGATE(wide[i + 1]);
    single += pair ? kReplacement : wide[i];
    i += pair ? 1 : 0;
  }
  // The system's default conversion, as Windows' own ANSI functions do it:
  // characters converting one way only (¢ to the full-width ￠) convert.
  const int length = static_cast<int>(single.size());
  const int needed = WideCharToMultiByte(kShiftJis, 0, single.data(), length, nullptr, 0, "?", nullptr);
  std::string out(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
  if (needed > 0) WideCharToMultiByte(kShiftJis, 0, single.data(), length, out.data(), needed, "?", nullptr);
  return out;
}

bool IsCp932Representable(std::string_view utf8) {
  if (IsAscii(utf8)) return true;
  bool lossy = false;
  const std::string cp932 = win32::WideToCp932(win32::Utf8ToWide(utf8), &lossy);
  return !lossy && Cp932ToUtf8(cp932) == utf8;
}

}  // namespace platform
