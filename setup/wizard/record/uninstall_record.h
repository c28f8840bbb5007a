#pragma once

#include <string>
#include <string_view>

#include "setup/wizard/setup_run.h"

namespace setup::wizard {

// The uninstaller copy: JoinPath(Windows folder, "kestro.exe"). Copied from
// the running program (run.program_host_path) when it is missing or the
// version recorded at the record root is below 110; the copy is made
// read-only and the version 110 recorded. Returns the path also when the copy
// failed.
std::string EnsureUninstaller(SetupRun& run);

// The command the system's list of installed programs runs to remove the
// product: the uninstaller path, " /u " and the key name in double quotes.
std::string UninstallCommand(std::string_view uninstaller_path, std::string_view app_key_name);

}  // namespace setup::wizard
