#pragma once

#include <string_view>

#include "setup/wizard/engines.h"
#include "setup/wizard/setup_run.h"

namespace setup::wizard {

// The five bars of page 13 from the product's record: run (1 when an
// uninstall command is recorded), files, folders, shortcuts, and registry
// (registry, INI and association items plus 1 for removing the record).
StepMaxima ComputeUninstallMaxima(SetupRun& run, std::string_view app_key_name);

// The uninstall engine's log lines (fields TAB-separated):
//   UNINSTALL name delete|recycle            the run begins
//   RUN command waited|not started           the recorded uninstall command
//   DELETE file|shortcut path                RECYCLE file|shortcut path
//   KEEP path reason                         a file or folder left behind
//   SHARED path count reason                 a shared count lowered, kept or removed ("-")
//   RMDIR folder                             a folder removed
//   REG way key name data ok|failed          INI way file section key value ok|failed
//   ASSOC ext restored|removed|left detail   NOTIFY SHCNE_ASSOCCHANGED
//   RECORD removed|not removed key           SETTING DeleteToDustBox 0|1
//   MESSAGE text answer                      STOP path (the user stopped)
//   DONE uninstall name | ABORT uninstall name
//
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
