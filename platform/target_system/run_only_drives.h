#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/target_system/folder_system.h"
#include "platform/target_system/status.h"

namespace platform::target {

// A package folder that lies on no drive of the target system is given a
// drive letter for one run of the installer. The mapping lives only in the
// FolderSystem object; programs the installer starts receive it in this
// environment variable, one "L=type,/host/folder" line per drive, so that
// they see the same drive.
inline constexpr const char* kRunOnlyDrivesVariable = "KESTRO_RUN_DRIVES";

// Maps the host folder as the first free letter from D to Z (a fixed
// drive) unless a run-only drive already has that folder; its letter goes to
// *letter. NotFound when every letter is taken.
Status MapFolderForThisRun(FolderSystem& system, const std::filesystem::path& host_folder, char* letter);

// The run-only drives of the system as the variable's text ("" when none).
std::string RunOnlyDrivesText(const FolderSystem& system);

// Adds the drives of a variable's text. A line naming a letter that already
// has that folder is passed over; a malformed line, a relative folder or a
// letter taken by another folder is refused (the message names it) and the
// other lines are still added.
Status AddRunOnlyDrivesFromText(FolderSystem& system, std::string_view text);

}  // namespace platform::target
