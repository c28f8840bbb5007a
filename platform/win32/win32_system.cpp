#include "platform/win32/win32_system.h"

#include "platform/win32/win32_shell.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {
namespace {

using platform::target::Drive;
using platform::target::DriveType;

// Every drive letter Windows has now, each its own root.
std::vector<Drive> LogicalDrives() {
  std::vector<Drive> drives;
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    const wchar_t root[] = {static_cast<wchar_t>(L'A' + i), L':', L'\\', L'\0'};
    const UINT type = GetDriveTypeW(root);
    drives.push_back(Drive{static_cast<char>('A' + i), std::filesystem::path(root),
                           type <= DRIVE_RAMDISK ? static_cast<DriveType>(type) : DriveType::kUnknown});
  }
  return drives;
}

}  // namespace

Win32System::Win32System() : settings_(RunningSystemSettings()), drives_(LogicalDrives()) {
  settings_.drives = drives_.drives();
}

Status Win32System::MoveToTrash(std::string_view windows_path) const {
  return MoveToRecycleBin(windows_path);
}

}  // namespace platform::win32
