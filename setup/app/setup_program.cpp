#include "setup/app/setup_program.h"

#include <cstdlib>

#include "setup/app/default_answer_prompter.h"
#include "setup/app/engine_binding.h"
#include "setup/app/exit_status.h"
#include "setup/app/host_program_launcher.h"
#include "setup/app/mode_checks.h"
#include "setup/app/mode_start.h"
#include "setup/app/start_log.h"
#include "setup/app/target_for_run.h"
#include "setup/app/unattended_driver.h"
#include "setup/core/path_text.h"
#include "setup/wizard/engine/install_run.h"
#include "setup/wizard/model/wizard_model.h"

namespace setup::app {
namespace {

namespace fs = std::filesystem;
using platform::target::FolderSystem;
using platform::target::TargetSystem;

class UnattendedFront : public ProgramFront {
 public:
  explicit UnattendedFront(const FrontRequest& request)
      : options_(request.options),
        log_(request.log),
        prompter_(request.err, request.mode == ProgramMode::kUninstall ? wizard::Answer::kIgnore
                                                                       : wizard::Answer::kAbort) {}

  wizard::Prompter& prompter() override { return prompter_; }
  wizard::EngineProgress& progress() override { return progress_; }
  int ShowWizard(wizard::WizardModel& model) override {
    return DriveUnattended(model, options_, prompter_, log_);
  }

 private:
  UnattendedOptions options_;
  wizard::ActionLog& log_;
  DefaultAnswerPrompter prompter_;
  wizard::EngineProgress progress_;
};

bool IsHostFolder(std::string_view subject) { return !subject.empty() && subject.front() == '/'; }

// The package folder of "/d": a Windows path as the wizard passes it, or a
// host folder that someone typed.
std::string CleanUpFolder(FolderSystem& system, const std::string& subject) {
  if (!IsHostFolder(subject)) return subject;
  // The user named this host folder on the command line to have it emptied
  // (a started run may not: it is refused before), so its drive of this run,
  // read-only to everything else, takes the clean-up's deletions.
  const std::string folder = WindowsFolderFor(system, subject);
  // A folder on a mapped drive is writable already (NotFound here).
  if (folder.size() >= 2 && folder[1] == ':') static_cast<void>(system.AllowChangesOnRunOnlyDrive(folder[0]));
  return folder;
}

// Opens the log of "/log=". The user's own command line names any host
// file; a run started by one of our runs got its command line from a
// script, so it takes only a Windows path on the system's drives, reached
// by no link out of its drive, and ignores anything else (said on err).
bool OpenLog(TargetSystem& system, const std::string& value, bool started_by_run, wizard::ActionLog& log,
             std::ostream& err) {
  fs::path file = value;
  if (started_by_run) {
    if (!system.drives().ToHostPathForChange(value, &file).ok()) {
      // One write, so that lines of programs started together stay whole.
      err << "Setup: /log=" + wizard::EscapeControlCharacters(value) +
                 " ignored: a program started by a run writes its log only to a Windows path on the system's "
                 "drives\n";
      return true;
    }
  }
  if (!log.OpenFile(file)) {
    err << "Setup: cannot write the log " << wizard::EscapeControlCharacters(value) << "\n";
    return false;
  }
  return true;
}

fs::path HostPathOf(TargetSystem& system, std::string_view windows_path) {
  fs::path host;
  if (!system.drives().ToHostPath(windows_path, &host).ok()) return {};
  return host;
}

}  // namespace

std::unique_ptr<ProgramFront> MakeUnattendedFront(const FrontRequest& request) {
  return std::make_unique<UnattendedFront>(request);
}

int RunSetupProgram(const fs::path& program_path, const std::vector<std::string>& arguments,
                    std::ostream& err, const FrontFactory& window_front) {
  Invocation invocation = ParseInvocation(program_path.filename().string(), arguments);
  const char* unattended_env = std::getenv("KESTRO_UNATTENDED");
  const bool unattended =
      invocation.options.silent || (unattended_env != nullptr && std::string_view(unattended_env) == "1");

  // A run started by one of our runs takes its command line from a script.
  const int depth = RunDepthFromEnvironment();
  const bool started_by_run = depth > 0;

  wizard::ActionLog log;
  const FrontRequest request{invocation.mode, invocation.options, log, err};
  std::unique_ptr<ProgramFront> front =
      unattended || !window_front ? MakeUnattendedFront(request) : window_front(request);
  std::unique_ptr<FolderSystem> system;
  if (!front || !OpenTargetForRun(program_path, err, &system)) return kExitRefused;
  if (invocation.options.log && !OpenLog(*system, *invocation.options.log, started_by_run, log, err)) {
    return kExitRefused;
  }
  HostProgramLauncher launcher(*system, log, unattended, LaunchPolicy{invocation.options.no_run, depth});
  LoggedPrompter prompter(front->prompter(), log);
  const std::string source_folder = SourceFolderFor(*system, program_path);
  log.Add("START", {ModeWord(invocation.mode), invocation.subject, source_folder});
  EndLine end{log};

  const fs::path setup_file = program_path.parent_path() / std::string(kScriptFileName);
  const std::string shown_setup =
      source_folder.empty() ? setup_file.string() : source_folder + std::string(kScriptFileName);
  CleanUpPlace clean_up;
  if (invocation.mode == ProgramMode::kCleanUp) {
    if (started_by_run && IsHostFolder(invocation.subject)) {
      err << "Setup: /d " + wizard::EscapeControlCharacters(invocation.subject) +
                 " refused: a host folder is taken only from the user's command line\n";
      log.Add("OPTION", {"/d", invocation.subject, "host folder in a started run"});
      return end.status = kExitRefused;
    }
    // A folder on no drive has no script to read, which the check refuses.
    clean_up.folder = CleanUpFolder(*system, invocation.subject);
    clean_up.script.shown =
        JoinPath(clean_up.folder.empty() ? invocation.subject : clean_up.folder, kScriptFileName);
    clean_up.script.file = HostPathOf(*system, clean_up.script.shown);
  }
  ModeStart mode = StartMode(invocation, *system, {setup_file, shown_setup}, clean_up, prompter, launcher);
  if (!mode.start) return end.status = mode.status;

  wizard::SetupRun run{*system,           front->prompter(), log,           launcher,
                       front->progress(), program_path,      source_folder, invocation.arguments};
  EngineBinding engines(run, mode.script);
  wizard::WizardModel model(run, std::move(*mode.start), engines, front->text_measure());
  return end.status = front->ShowWizard(model);
}

}  // namespace setup::app
