// "終了(&E)" on page 11: the restart through the uninstaller copy and the
// chosen [Run] items.

#include "setup/core/command_line.h"
#include "setup/core/path_macros.h"
#include "setup/wizard/engine/install_engine.h"
#include "setup/wizard/engine/install_run.h"
#include "setup/wizard/record/uninstall_record.h"

namespace setup::wizard {

void RunFinishActions(SetupRun& run, const SetupScript& script, const InstallChoices& choices) {
  if (choices.restart_visible && choices.restart_checked) {
    const std::string uninstaller = EnsureUninstaller(run);
    const platform::Status started = run.launcher.Start(uninstaller, "/r");
    run.log.Add("RESTART", {uninstaller, "/r", StartOutcome(started, "started")});
  }
  for (int n = 1; n <= 3; ++n) {
    const auto index = static_cast<std::size_t>(n - 1);
    if (!choices.run_visible[index] || !choices.run_checked[index]) continue;
    // "<Setup>" in a run command is the folder typed on page 5.
    const std::string command =
        ExpandMacrosInText(run.system, script.ReadItem("Run", "Command", n), choices.install_folder_text);
    const ProgramAndParameters split = SplitCommandLine(run.system, command);
    const platform::Status started = run.launcher.Start(split.program, split.parameters);
    run.log.Add("RUN", {split.program, split.parameters, StartOutcome(started, "started")});
  }
}

}  // namespace setup::wizard
