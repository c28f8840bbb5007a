#pragma once

#include <string_view>

#include "platform/target_system/target_system.h"
#include "setup/wizard/action_log.h"
#include "setup/wizard/program_launcher.h"

namespace setup::app {

// Starts programs and documents on the Windows machine the installer runs
// on: ShellExecuteExW opens a document in its associated program, RunAndWait
// waits on the process handle while the engines' progress is pumped, and the
// restart asks Windows itself to restart (with the shutdown privilege).
class Win32ProgramLauncher : public wizard::ProgramLauncher {
 public:
  Win32ProgramLauncher(platform::target::TargetSystem& system, wizard::ActionLog& log)
      : system_(system), log_(log) {}

  platform::Status Start(std::string_view program, std::string_view parameters) override;
  platform::Status RunAndWait(std::string_view command_line, wizard::EngineProgress& progress) override;
  void RestartWindows() override;

 private:
  platform::target::TargetSystem& system_;
  wizard::ActionLog& log_;
};

}  // namespace setup::app
