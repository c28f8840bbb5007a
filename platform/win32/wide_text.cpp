#include "platform/win32/wide_text.h"

#include "platform/win32/windows_api.h"

#include <climits>

namespace platform::win32 {
namespace {

constexpr UINT kShiftJis = 932;

std::wstring ToWide(UINT code_page, std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(code_page, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), length, wide.data(), needed);
  return wide;
}

std::string FromWide(UINT code_page, std::wstring_view text, bool* lossy) {
  if (lossy) *lossy = false;
  if (text.empty() || text.size() > INT_MAX) return {};
  const int length = static_cast<int>(text.size());
  // CP_UTF8 refuses the default-character arguments.
  BOOL used_default = FALSE;
  BOOL* used = code_page == CP_UTF8 ? nullptr : &used_default;
  const char* fallback = code_page == CP_UTF8 ? nullptr : "?";
  // Without best fit a missing character becomes '?', not a look-alike.
  const DWORD flags = code_page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int needed = WideCharToMultiByte(code_page, flags, text.data(), length, nullptr, 0, fallback, used);
  if (needed <= 0) return {};
  std::string narrow(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(code_page, flags, text.data(), length, narrow.data(), needed, fallback, used);
  if (lossy) *lossy = used_default != FALSE;
  return narrow;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view text) { return ToWide(CP_UTF8, text); }
std::string WideToUtf8(std::wstring_view text) { return FromWide(CP_UTF8, text, nullptr); }
std::wstring Cp932ToWide(std::string_view text) { return ToWide(kShiftJis, text); }
std::string WideToCp932(std::wstring_view text, bool* lossy) { return FromWide(kShiftJis, text, lossy); }

}  // namespace platform::win32
