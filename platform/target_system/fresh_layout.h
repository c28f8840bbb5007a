#pragma once

#include <string>
#include <vector>

#include "platform/target_system/registry.h"
#include "platform/target_system/status.h"
#include "platform/target_system/system_settings.h"

namespace platform::target {

// What a fresh installation of the chosen Windows holds.

// The Windows paths of the folders it has: the Windows, system and temporary
// folders, Program Files with Common Files, for the login user and for
// "All Users" the desktop and the Start menu with Programs and Startup, and
// Send To, Favorites, Quick Launch and My Documents — each where the
// installer's folder fallbacks look for it on that OsKind (profiles under
// "Documents and Settings" for 202 and later NT, under the Windows folder's
// "Profiles" for NT 4, in the Windows folder itself for the 9x family).
std::vector<std::string> FreshInstallFolders(const SystemSettings& settings);

// Writes the registry values the installer reads from a fresh installation:
// on the NT family the profiles directory "%SystemDrive%\Documents and
// Settings"; the registered owner (the user name) and an empty organisation.
// Everything else stays absent so the folder fallbacks take effect.
Status SeedFreshRegistry(Registry& registry, const SystemSettings& settings);

}  // namespace platform::target
