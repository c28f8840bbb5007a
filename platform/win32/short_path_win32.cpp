// Short path names in the Windows build, from the file system itself.
#include <string>

#include "platform/target_system/short_path.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace platform::target {

std::string ShortPathName(std::string_view path) {
  const std::wstring wide = win32::Utf8ToWide(path);
  // The first call tells the size the short form needs (with its NUL); the
  // buffer grows to it, so no MAX_PATH limit applies.
  const DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
  if (needed == 0) return std::string(path);
  std::wstring shortened(needed, L'\0');
  const DWORD written = GetShortPathNameW(wide.c_str(), shortened.data(), needed);
  if (written == 0 || written >= needed) return std::string(path);
  shortened.resize(written);
  return win32::WideToUtf8(shortened);
}

}  // namespace platform::target
