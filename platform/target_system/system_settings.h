#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/target_system/drive.h"
#include "platform/target_system/status.h"

namespace platform::target {

// The settings file of a target system, an INI file a person can edit:
//   [System]
//   OsKind=202
//   UserName=taro
//   WindowsFolder=C:\WINDOWS
//   SystemFolder=C:\WINDOWS\SYSTEM32
//   TempFolder=C:\WINDOWS\TEMP
//   RestartCommand=...     optional: a host command run when the installer
//                          restarts this Windows (none: only recorded)
//   [Drives]
//   C=fixed,drive_c        type, then the host folder (relative to the system)
//   D=cdrom,/srv/package   a host folder mapped on purpose
// Without a [Drives] section the system has drive C only.
// Its presence marks a folder as a target system.
inline constexpr const char* kSystemSettingsFileName = "kestro-system.ini";
// The folder of drive C inside a new system, and the registry database.
inline constexpr const char* kDriveCFolderName = "drive_c";
inline constexpr const char* kRegistryFileName = "registry.sqlite";

struct SystemSettings {
  int os_kind = 202;
  std::string user_name;
  std::string windows_folder = "C:\\WINDOWS";
  std::string system_folder = "C:\\WINDOWS\\SYSTEM32";
  std::string temp_folder = "C:\\WINDOWS\\TEMP";
  std::vector<Drive> drives;    // host folders absolute once loaded
  std::string restart_command;  // empty: a restart is only recorded
};

// The NT family: OsKind 200 to 299 (the 9x family is 100 to 199).
inline bool IsNtFamily(int os_kind) { return os_kind >= 200 && os_kind <= 299; }

// Reads the settings of the system in folder; relative drive folders are
// resolved against it. NotFound when the file is missing, Corruption when a
// line cannot be understood (the message names it).
Status LoadSystemSettings(const std::filesystem::path& folder, SystemSettings* settings);
// Writes the settings file of the system in folder whole (temporary file and
// rename); drive folders inside the system are written relative to it.
Status SaveSystemSettings(const std::filesystem::path& folder, const SystemSettings& settings);

// The name of the user running this program on the host ("user" when none
// can be found).
std::string HostUserName();

}  // namespace platform::target
