#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/target_system/target_system.h"
#include "setup/app/invocation.h"
#include "setup/core/setup_script.h"
#include "setup/wizard/model/wizard_model.h"
#include "setup/wizard/program_launcher.h"
#include "setup/wizard/prompter.h"

namespace setup::app {

// Where each program finds a script: the path it reads and the path the
// user is shown in messages.
struct ScriptPlace {
  std::filesystem::path file;
  std::string shown;
};

// Where a clean-up works: the package folder (a Windows path; empty when
// the folder is on no drive) and its script.
struct CleanUpPlace {
  std::string folder;
  ScriptPlace script;
};

// How a mode begins: with the wizard (start and the script it reads), or
// with an exit status when the mode ended before it (the version box, the
// restart question, a refused script or product).
struct ModeStart {
  std::optional<wizard::WizardStart> start;
  SetupScript script{std::filesystem::path()};
  int status = 0;
};

// The mode's own checks and questions before the wizard, the same for
// every program; each program says where the scripts lie.
ModeStart StartMode(const Invocation& invocation, platform::target::TargetSystem& system,
                    const ScriptPlace& setup_script, const CleanUpPlace& clean_up, wizard::Prompter& prompter,
                    wizard::ProgramLauncher& launcher);

}  // namespace setup::app
