#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/target_system/target_system.h"
#include "setup/wizard/action_log.h"
#include "setup/wizard/engine_progress.h"
#include "setup/wizard/program_launcher.h"
#include "setup/wizard/prompter.h"

namespace setup::wizard {

// What one run of the installer program works with: the target system, the
// channels to the user, and where the program itself is. The Setup program
// builds it once at start; the wizard model and the engines borrow it.
struct SetupRun {
  platform::target::TargetSystem& system;
  Prompter& prompter;
  ActionLog& log;
  ProgramLauncher& launcher;
  EngineProgress& progress;

  // The running program as a host file (what EnsureUninstaller copies) and
  // its folder as a Windows path of the target system with a trailing
  // backslash (the SourceFolder; empty when the folder is not on a drive of
  // the target system).
  std::filesystem::path program_host_path;
  std::string source_folder;
  // The command-line arguments after the program name.
  std::vector<std::string> arguments;
};

}  // namespace setup::wizard
