#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "platform/target_system/folder_system.h"

namespace setup::app {

// The running program as a host file: argv[0] made absolute when it names a
// path (so a program started through a link keeps the link's folder and
// name, as Windows would see it), else the executable of the process.
std::filesystem::path OwnProgramPath(const char* argv0);

// The system whose Windows folder holds program_path, when the program is
// the uninstaller copy ("kestro.exe") there: the folder above it with a
// settings file whose drive C lies inside it and whose Windows folder is
// the program's folder, and which lies in no drive of a system above it. A settings file that a package put
// anywhere else (beside Setup, inside a drive) names no system.
std::optional<std::filesystem::path> SystemOfUninstallerCopy(const std::filesystem::path& program_path);

// Opens the target system this run works on: the folder in KESTRO_SYSTEM
// when set (it must hold a system); else the system whose uninstaller copy
// this program is (SystemOfUninstallerCopy); Setup itself never adopts a
// system from where it lies; else the
// default folder, where a missing system is created and err says so. The
// drives a parent run mapped (KESTRO_RUN_DRIVES) are added. False, with
// the reason on err, when no system can be used.
bool OpenTargetForRun(const std::filesystem::path& program_path, std::ostream& err,
                      std::unique_ptr<platform::target::FolderSystem>* system);

// The Windows path of a host folder on the system (no trailing backslash
// except on a drive root). A folder on no drive is mapped for this run as a
// drive of its own. Empty when neither works.
std::string WindowsFolderFor(platform::target::FolderSystem& system,
                             const std::filesystem::path& host_folder);

// The SourceFolder: the program's folder as a Windows path with a trailing
// backslash; empty when it cannot be had.
std::string SourceFolderFor(platform::target::FolderSystem& system,
                            const std::filesystem::path& program_path);

}  // namespace setup::app
