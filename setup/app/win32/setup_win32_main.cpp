// Setup.exe on Windows, and as "kestro.exe" the uninstaller. This build
// runs unattended only: without /silent it says so in one message box and
// ends, changing nothing.
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"
#include "setup/app/exit_status.h"
#include "setup/app/invocation.h"
#include "setup/app/win32/win32_setup_program.h"

namespace {

using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;

// The standard error handle when there is one (a console or a redirect);
// nothing otherwise. Text goes out as UTF-8.
class StandardErrorBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override {
    if (c == traits_type::eof()) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
  }
  std::streamsize xsputn(const char* text, std::streamsize size) override {
    HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (handle && handle != INVALID_HANDLE_VALUE) WriteFile(handle, text, static_cast<DWORD>(size), &written, nullptr);
    return size;
  }
};

std::wstring OwnPath() {
  std::wstring path(MAX_PATH, L'\0');
  while (true) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(WideToUtf8(argv[i]));
  const std::wstring program = OwnPath();
  const setup::app::Invocation invocation =
      setup::app::ParseInvocation(WideToUtf8(std::filesystem::path(program).filename().wstring()), arguments);
  // Programs an unattended run starts (a clean-up kestro.exe /d) inherit it.
  wchar_t inherited[2] = {};
  const bool unattended = invocation.options.silent ||
                          (GetEnvironmentVariableW(L"KESTRO_UNATTENDED", inherited, 2) == 1 && inherited[0] == L'1');
  if (!unattended) {
    MessageBoxW(nullptr,
                L"\u3053\u306e Setup \u306f\u7121\u4eba\u30e2\u30fc\u30c9\u5c02\u7528\u3067\u3059\u3002"
                L"/silent \u3092\u4ed8\u3051\u3066\u8d77\u52d5\u3057\u3066\u304f\u3060\u3055\u3044\u3002\n"
                L"This build of kestro Setup runs unattended only: start it with /silent "
                L"(Setup.exe /silent [/dir=...] [/group=...] [/log=...]).",
                L"kestro Setup for Windows", MB_OK | MB_ICONINFORMATION);
    return setup::app::kExitRefused;
  }
  // Programs an unattended run starts run unattended too.
  SetEnvironmentVariableW(L"KESTRO_UNATTENDED", L"1");
  StandardErrorBuffer buffer;
  std::ostream err(&buffer);
  return setup::app::RunWin32SetupProgram(std::filesystem::path(program), arguments, err);
}
