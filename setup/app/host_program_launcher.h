#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/host_process.h"
#include "platform/target_system/folder_system.h"
#include "setup/wizard/action_log.h"
#include "setup/wizard/program_launcher.h"

namespace setup::app {

// Starts programs of the target system on the host. A Windows path is
// mapped to its host file; a host executable (the uninstaller copy, which is
// a copy of this program, or a program of the host placed on a drive) runs
// with argv built from the parameters by the Windows rules and with the
// same target system: KESTRO_SYSTEM names it, KESTRO_RUN_DRIVES carries the
// drives mapped for this run, and KESTRO_UNATTENDED=1 passes on the
// unattended mode. Anything else (a document, a file that is no program, a
// path on no drive) is logged and skipped; nothing is handed to a shell.
//
// Log lines (a started program is logged by its caller):
//   SKIP<TAB>program<TAB>parameters<TAB>reason    nothing was started
//   EXIT<TAB>program<TAB>parameters<TAB>N         RunAndWait's program ended with N
//   REBOOT<TAB>command<TAB>exit N                 the system's restart command ran
//   REBOOT<TAB><TAB>recorded                      no restart command is set
class HostProgramLauncher : public wizard::ProgramLauncher {
 public:
  HostProgramLauncher(platform::target::FolderSystem& system, wizard::ActionLog& log, bool unattended)
      : system_(system), log_(log), unattended_(unattended) {}
  // Programs still running go on without us.
  ~HostProgramLauncher() override { ReapEnded(); }
  HostProgramLauncher(const HostProgramLauncher&) = delete;
  HostProgramLauncher& operator=(const HostProgramLauncher&) = delete;

  bool Start(std::string_view program, std::string_view parameters) override;
  bool RunAndWait(std::string_view command_line, wizard::EngineProgress& progress) override;
  void RestartWindows() override;

  // The environment changes every started program receives.
  std::vector<std::string> ChildEnvironment() const;

 private:
  // The command for program and parameters; false after logging SKIP.
  bool Prepare(std::string_view program, std::string_view parameters, platform::HostCommand* command);

  // Collects the programs Start started that have ended, so that none
  // lingers as a finished child while the program runs on.
  void ReapEnded();

  platform::target::FolderSystem& system_;
  wizard::ActionLog& log_;
  bool unattended_;
  std::vector<platform::HostProcess> started_;
};

}  // namespace setup::app
