#pragma once

#include <string>
#include <string_view>

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace setup::win32 {

// A control's text as it shows.
inline std::wstring WindowText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Text with Windows line breaks, as edit boxes and labels want them.
inline std::wstring WithCrLf(std::string_view text) {
  std::wstring wide;
  for (wchar_t c : platform::win32::Utf8ToWide(text)) {
    if (c == L'\n') wide += L'\r';
    wide += c;
  }
  return wide;
}

}  // namespace setup::win32
