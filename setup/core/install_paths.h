#pragma once

#include <string>
#include <string_view>

#include "platform/target_system/target_system.h"

namespace setup {

using platform::target::TargetSystem;

// Where the well-known folders of the target system are, found the way the
// installer finds them on Windows: registry places first, then fallbacks
// computed from the OsKind with the folder names each Windows uses.

// OsKind codes: 0 unknown; 100-103 the 95 family (101 Windows 95, 102
// Windows 98, 103 Windows ME); 200-202 the NT family (201 NT 4, 202 Windows
// 2000; 200 any other NT, later ones included).
int GetOsKind(const TargetSystem& system);
// OsKind 200 to 299; the target system's own rule.
using platform::target::IsNtFamily;

// The Windows, system and temporary folders without trailing backslashes.
std::string GetWindowsFolder(const TargetSystem& system);
std::string GetSystemFolder(const TargetSystem& system);
std::string GetTempFolder(const TargetSystem& system);
std::string GetLoginUserName(const TargetSystem& system);

// The user name whose default folders are the all-users folders.
inline constexpr std::string_view kAllUsers = "All Users";

// A shell folder of the current user ("ProgramFilesDir", "Desktop",
// "Programs", …): the registry's setup and version keys, then the machine's
// shell (none on the target system), then the user's Shell Folders, then
// GetDefaultShellFolder. "%SystemRoot%" at the start
// stands for the Windows folder; of a ";"-separated list the first path
// counts.
std::string GetShellFolder(TargetSystem& system, std::string_view value_name);

// The computed folder for the value name and user ("All Users" for the
// all-users folders); empty for names without a rule.
std::string GetDefaultShellFolder(TargetSystem& system, std::string_view value_name,
                                  std::string_view user_name);

// The Quick Launch folder of the user.
std::string GetQuickLaunchFolder(TargetSystem& system, std::string_view user_name);

// The bookmark file of the current Netscape Navigator profile; empty when
// none is recorded, or (with must_exist) when no such file exists.
std::string GetBrowserBookmarkFile(TargetSystem& system, bool must_exist);

}  // namespace setup
