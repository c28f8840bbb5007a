#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host_process.h"
#include "platform/target_system/folder_system.h"
#include "setup/wizard/action_log.h"
#include "setup/wizard/program_launcher.h"

namespace setup::app {

// What the user allowed this run to start.
struct LaunchPolicy {
  bool no_run = false;  // /norun: no program of the package is started
  int depth = 0;        // how many of our runs started this one
};

// Runs nested deeper than this start nothing more: a package whose [Run]
// starts its own Setup, or whose [UnRun] starts its own uninstaller, ends
// after a few rounds instead of multiplying.
inline constexpr int kMaxRunDepth = 3;

// The environment variable that carries the depth to the programs we start.
inline constexpr const char* kRunDepthVariable = "KESTRO_RUN_DEPTH";

// The depth of this run from the environment (0 when unset or malformed).
int RunDepthFromEnvironment();

// Starts programs of the target system on the host. A Windows path is
// mapped to its host file and classified (launch_rule.h): a program (the
// uninstaller copy, which is a copy of this program, or a program of the
// package) runs with argv built from the parameters by the Windows rules
// and with the same target system: KESTRO_SYSTEM names it,
// KESTRO_RUN_DRIVES carries the drives mapped for this run,
// KESTRO_RUN_DEPTH counts the runs above it and KESTRO_UNATTENDED=1 passes
// on the unattended mode. A document is handed to the desktop's opener
// (KESTRO_DOCUMENT_OPENER, else xdg-open) when the run has windows. Anything
// else is logged and skipped; nothing is handed to a shell.
//
// Log lines (a started program is logged by its caller):
//   SKIP<TAB>program<TAB>parameters<TAB>reason    nothing was started
//   OPEN<TAB>document<TAB>host file<TAB>opener    a document was opened
//   EXIT<TAB>program<TAB>parameters<TAB>N         RunAndWait's program ended with N
//   REBOOT<TAB>command<TAB>exit N                 the system's restart command ran
//   REBOOT<TAB><TAB>recorded                      no restart command is set
class HostProgramLauncher : public wizard::ProgramLauncher {
 public:
  HostProgramLauncher(platform::target::FolderSystem& system, wizard::ActionLog& log, bool unattended,
                      LaunchPolicy policy = {})
      : system_(system), log_(log), unattended_(unattended), policy_(policy) {}
  // Programs still running go on without us.
  ~HostProgramLauncher() override { ReapEnded(); }
  HostProgramLauncher(const HostProgramLauncher&) = delete;
  HostProgramLauncher& operator=(const HostProgramLauncher&) = delete;

  platform::Status Start(std::string_view program, std::string_view parameters) override;
  platform::Status RunAndWait(std::string_view command_line, wizard::EngineProgress& progress) override;
  void RestartWindows() override;

  // The environment changes every started program receives.
  std::vector<std::string> ChildEnvironment() const;

 private:
  // The command for program and parameters; after logging SKIP, the
  // reason nothing is to run. A document is opened here when the run allows
  // it (opened_document set; the result says whether that worked).
  platform::Status Prepare(std::string_view program, std::string_view parameters,
                           platform::HostCommand* command, bool* opened_document);
  // Hands the document to the desktop's opener; the reason after logging
  // SKIP when it cannot.
  platform::Status OpenDocument(std::string_view program, const std::filesystem::path& file);
  // Logs SKIP and gives the reason as a refusal.
  platform::Status Skip(std::string_view program, std::string_view parameters, const std::string& reason);
  // Whether /norun still lets this start through: only the uninstaller
  // copy's restart question and clean-up, which are ours, not the package's.
  bool AllowedUnderNoRun(std::string_view program, std::string_view parameters) const;

  // Collects the programs Start started that have ended, so that none
  // lingers as a finished child while the program runs on.
  void ReapEnded();

  platform::target::FolderSystem& system_;
  wizard::ActionLog& log_;
  bool unattended_;
  LaunchPolicy policy_;
  std::vector<platform::HostProcess> started_;
};

}  // namespace setup::app
