#pragma once

#include <string_view>

#include "setup/core/setup_script.h"
#include "setup/wizard/setup_run.h"

namespace setup::wizard {

// Clean-up mode: deletes the package's files from package_folder (a
// Windows path) as its script lists them, then the installer, the script,
// the product picture and the autorun files, and removes the folder with its
// empty parents; a folder that cannot be removed yet is remembered and
// removed at the next start. Log lines: CLEANUP folder delete|recycle,
// DELETE file path, RECYCLE file path, KEEP path reason, SKIP path reason (a
// listed name outside the package folder), RMDIR folder, PENDING folder
// (remembered) and PENDING folder forgotten (removed at a start).
// to_recycle_bin is "ごみ箱へ" (Button6) instead of
// "はい(&Y)" (Button4).
void RunCleanUp(SetupRun& run, const SetupScript& script, std::string_view package_folder,
                bool to_recycle_bin);

// At every start: removes the remembered package folder, if any, with its
// empty parents, and forgets it.
void RemovePendingFolder(SetupRun& run);

}  // namespace setup::wizard
