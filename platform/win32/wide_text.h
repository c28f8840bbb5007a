#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// The engines' text is UTF-8; the wide Win32 functions take UTF-16. Text
// that is not valid UTF-8 converts with the replacement character, so a
// bad name is refused by Windows instead of naming another file.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// Code page 932 (Shift-JIS) through the system's own tables.
std::wstring Cp932ToWide(std::string_view text);
// Characters code page 932 lacks become '?'; lossy (when given) tells.
std::string WideToCp932(std::wstring_view text, bool* lossy = nullptr);

}  // namespace platform::win32
