// Setup.exe on Windows, and as "kestro.exe" the uninstaller: with /silent
// unattended, otherwise with its windows.
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"
#include "setup/app/exit_status.h"
#include "setup/app/invocation.h"
#include "setup/app/win32/win32_setup_program.h"
#include "setup/app/win32/wizard/win32_wizard_front.h"

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
    if (handle && handle != INVALID_HANDLE_VALUE)
      WriteFile(handle, text, static_cast<DWORD>(size), &written, nullptr);
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
  const bool unattended =
      invocation.options.silent ||
      (GetEnvironmentVariableW(L"KESTRO_UNATTENDED", inherited, 2) == 1 && inherited[0] == L'1');
  // Programs an unattended run starts run unattended too.
  if (unattended) SetEnvironmentVariableW(L"KESTRO_UNATTENDED", L"1");
  StandardErrorBuffer buffer;
  std::ostream err(&buffer);
  setup::app::WindowFrontFactory windows;
  if (!unattended) windows = [&err] { return setup::win32::MakeWin32WizardFront(err); };
  return setup::app::RunWin32SetupProgram(std::filesystem::path(program), arguments, err, windows);
}
