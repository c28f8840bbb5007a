#pragma once

#include <string_view>

#include "setup/wizard/engines.h"
#include "setup/wizard/setup_run.h"

namespace setup::wizard {

// The five bars of page 13 from the product's record: run (1 when an
// uninstall command is recorded), files, folders, shortcuts, and registry
// (registry, INI and association items plus 1 for removing the record).
StepMaxima ComputeUninstallMaxima(SetupRun& run, std::string_view app_key_name);

// The uninstall engine: runs the recorded uninstall command, deletes the
// files (shared files by their counts), removes the folders and shortcuts,
// undoes the registry and INI entries, restores the associations, removes
// the record and the system's uninstall entry, and remembers the recycle
// choice machine-wide. recycle is "ファイルはごみ箱に捨てる(&D)". Aborted when
// the user stops at a file that cannot be deleted; the rest of the record
// then stays, so the uninstallation can be started again.
EngineResult RunUninstallEngine(SetupRun& run, std::string_view app_key_name, bool recycle,
                                const StepMaxima& maxima);

// "終了(&E)" on page 14: with the restart box visible and checked, asks
// whether to restart Windows and restarts it on Yes.
void RunUninstallFinish(SetupRun& run, bool restart_chosen);

}  // namespace setup::wizard
