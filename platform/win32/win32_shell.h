#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/target_system/status.h"
#include "platform/target_system/system_settings.h"

namespace platform::win32 {

using platform::target::Status;
using platform::target::SystemSettings;

// The installer's code of a Windows version: 101 to 103 for Windows 95, 98
// and ME (platform 1, major 4), 100 for another 9x; 201 for NT 4, 202 for
// Windows 2000, 200 for any other NT (platform 2): Windows XP and every
// Windows since (Vista, 7, 8, 8.1, 10, 11 and the servers) are 200 and take
// the NT-family paths; 0 for anything else.
int OsKindOf(std::uint32_t platform_id, std::uint32_t major, std::uint32_t minor);
// The running Windows' own version (RtlGetVersion: GetVersionEx reports
// Windows 8 to a program whose manifest does not name later versions).
int RunningOsKind();

// The settings of the machine the program runs on: its OsKind, user, and
// the Windows, system and temporary folders without trailing backslashes.
// The system folder is where 32-bit programs find their DLLs: SysWOW64 on
// 64-bit Windows (the packages install 32-bit programs), System32 otherwise.
// Buffers grow as the folder needs; no MAX_PATH limit.
SystemSettings RunningSystemSettings();

// Moves a file or folder into the recycle bin with one shell file operation
// (delete, allow undo, no confirmation, no progress, no error window).
// NotFound when nothing is there; IoError when the shell refuses.
Status MoveToRecycleBin(std::string_view path);

// Whether the program runs under Wine (ntdll exports wine_get_version).
bool RunningUnderWine();

// A shell link (.lnk) written through IShellLinkW and IPersistFile.
struct ShellLinkFields {
  std::string target;
  // Whether the link keeps the target's path relative to the link's own
  // folder, which the shell works out from the link's path.
  bool relative = false;
  std::string description;
  std::string arguments;
  std::string working_folder;
  std::string icon_file;
  int icon_index = 0;
  int show_command = 1;  // SW_SHOWNORMAL
  // What the shell recorded of the target when the link was saved.
  std::uint32_t target_attributes = 0;
  std::uint32_t target_size = 0;
};
Status SaveShellLink(std::string_view link_path, const ShellLinkFields& fields);
// Reads back the target, description, arguments, working folder, icon,
// show command and the recorded target facts of a link.
Status LoadShellLink(std::string_view link_path, ShellLinkFields* fields);

// Tells the shell that associations changed (after registering file types).
void NotifyAssociationsChanged();

}  // namespace platform::win32
