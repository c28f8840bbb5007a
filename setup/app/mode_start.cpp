#include "setup/app/mode_start.h"

#include "setup/app/exit_status.h"
#include "setup/app/mode_checks.h"

namespace setup::app {

ModeStart StartMode(const Invocation& invocation, platform::target::TargetSystem& system,
                    const ScriptPlace& setup_script, const CleanUpPlace& clean_up, wizard::Prompter& prompter,
                    wizard::ProgramLauncher& launcher) {
  ModeStart mode;
  switch (invocation.mode) {
    case ProgramMode::kVersionBox:
      ShowVersionBox(prompter);
      mode.status = kExitDone;
      return mode;
    case ProgramMode::kRestartQuestion:
      AskForRestart(prompter, launcher);
      mode.status = kExitDone;
      return mode;
    case ProgramMode::kSetup:
      mode.script = SetupScript(setup_script.file);
      if (!CheckSetupScript(mode.script, setup_script.shown, prompter) ||
          !CheckKeyName(mode.script, prompter)) {
        mode.status = kExitRefused;
        return mode;
      }
      mode.start = wizard::WizardStart::Setup(mode.script);
      return mode;
    case ProgramMode::kUninstall:
      switch (CheckUninstallTarget(system, invocation.subject, prompter)) {
        case UninstallTarget::kRecorded:
          mode.start = wizard::WizardStart::Uninstall(invocation.subject);
          return mode;
        case UninstallTarget::kStaleEntryRemoved: mode.status = kExitDone; return mode;
        case UninstallTarget::kStaleEntryKept:
        case UninstallTarget::kNothingRecorded: mode.status = kExitRefused; return mode;
      }
      break;
    case ProgramMode::kCleanUp:
      mode.script = SetupScript(clean_up.script.file);
      if (!CheckCleanUpScript(mode.script, clean_up.script.shown, prompter)) {
        mode.status = kExitRefused;
        return mode;
      }
      mode.start = wizard::WizardStart::CleanUp(clean_up.folder, mode.script);
      return mode;
  }
  mode.status = kExitRefused;
  return mode;
}

}  // namespace setup::app
