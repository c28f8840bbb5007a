#include "setup/app/win32/win32_program_launcher.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"
// windows.h first: the shell header needs its types.
#include <shellapi.h>

#include "setup/core/command_line.h"
#include "setup/wizard/engine_progress.h"

namespace setup::app {
namespace {

using platform::win32::Utf8ToWide;

// Opens program (or a document, in its associated program); the process
// handle when wanted, else nullptr. error receives Windows' reason.
bool Execute(std::string_view program, std::string_view parameters, HANDLE* process, std::string* error) {
  const std::wstring file = Utf8ToWide(program);
  const std::wstring arguments = Utf8ToWide(parameters);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI | (process ? SEE_MASK_NOCLOSEPROCESS : 0);
  info.lpVerb = L"open";
  info.lpFile = file.c_str();
  info.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&info)) {
    *error = "Windows error " + std::to_string(GetLastError());
    return false;
  }
  if (process) *process = info.hProcess;  // nullptr when a running program took the document
  return true;
}

bool EnableShutdownPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  const bool found = LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid);
  const bool enabled = found && AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
                       GetLastError() == ERROR_SUCCESS;
  CloseHandle(token);
  return enabled;
}

}  // namespace

platform::Status Win32ProgramLauncher::Start(std::string_view program, std::string_view parameters) {
  std::string error;
  if (!Execute(program, parameters, nullptr, &error)) {
    log_.Add("SKIP", {program, parameters, error});
    return platform::Status::IoError(error);
  }
  return platform::Status::Ok();
}

platform::Status Win32ProgramLauncher::RunAndWait(std::string_view command_line,
                                                  wizard::EngineProgress& progress) {
  const ProgramAndParameters split = SplitCommandLine(system_, command_line);
  HANDLE process = nullptr;
  std::string error;
  if (!Execute(split.program, split.parameters, &process, &error)) {
    log_.Add("SKIP", {split.program, split.parameters, error});
    return platform::Status::IoError(error);
  }
  DWORD status = 0;
  if (process) {
    // Wait on the handle, letting the front handle its messages meanwhile.
    while (MsgWaitForMultipleObjects(1, &process, FALSE, 50, QS_ALLINPUT) != WAIT_OBJECT_0) progress.Pump();
    GetExitCodeProcess(process, &status);
    CloseHandle(process);
  }
  log_.Add("EXIT", {split.program, split.parameters, std::to_string(status)});
  return platform::Status::Ok();
}

void Win32ProgramLauncher::RestartWindows() {
  if (!EnableShutdownPrivilege()) {
    log_.Add("REBOOT", {"ExitWindowsEx", "no shutdown privilege"});
    return;
  }
  const bool asked =
      ExitWindowsEx(EWX_REBOOT, SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_INSTALLATION |
                                    SHTDN_REASON_FLAG_PLANNED);
  log_.Add("REBOOT", {"ExitWindowsEx", asked ? "asked" : "Windows error " + std::to_string(GetLastError())});
}

}  // namespace setup::app
