#include "setup/app/win32/win32_setup_program.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"
#include "setup/app/default_answer_prompter.h"
#include "setup/app/engine_binding.h"
#include "setup/app/exit_status.h"
#include "setup/app/invocation.h"
#include "setup/app/mode_checks.h"
#include "setup/app/mode_start.h"
#include "setup/app/start_log.h"
#include "setup/app/unattended_driver.h"
#include "setup/app/win32/win32_program_launcher.h"
#include "setup/core/path_text.h"
#include "setup/core/setup_script.h"
#include "setup/wizard/engine/install_run.h"
#include "setup/wizard/model/wizard_model.h"

namespace setup::app {
namespace {

namespace fs = std::filesystem;
using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;

}  // namespace

int RunWin32SetupProgram(const fs::path& program_path, const std::vector<std::string>& arguments,
                         std::ostream& err, const WindowFrontFactory& window_front) {
  const Invocation invocation = ParseInvocation(WideToUtf8(program_path.filename().wstring()), arguments);
  // Without a desktop to show the windows on, nothing is changed.
  const std::unique_ptr<ProgramFront> window = window_front ? window_front() : nullptr;
  if (window_front && !window) return kExitRefused;
  wizard::ActionLog log;
  if (invocation.options.log && !log.OpenFile(fs::path(Utf8ToWide(*invocation.options.log)))) {
    err << "Setup: cannot write the log " << *invocation.options.log << "\n";
    return kExitRefused;
  }
  platform::win32::Win32System system;
  Win32ProgramLauncher launcher(system, log);
  DefaultAnswerPrompter answers(
      err, invocation.mode == ProgramMode::kUninstall ? wizard::Answer::kIgnore : wizard::Answer::kAbort);
  wizard::EngineProgress quiet;
  // Without /silent every question is a message box and the wizard shows.
  wizard::Prompter& asker = window ? window->prompter() : answers;
  wizard::EngineProgress& progress = window ? window->progress() : quiet;
  LoggedPrompter prompter(asker, log);
  std::string source_folder = WideToUtf8(program_path.parent_path().wstring());
  if (!source_folder.empty() && source_folder.back() != '\\') source_folder += '\\';
  log.Add("START", {ModeWord(invocation.mode), invocation.subject, source_folder});
  EndLine end{log};

  const ScriptPlace setup_script{program_path.parent_path() / std::string(kScriptFileName),
                                 source_folder + std::string(kScriptFileName)};
  CleanUpPlace clean_up;
  if (invocation.mode == ProgramMode::kCleanUp) {
    clean_up.folder = invocation.subject;
    clean_up.script.shown = JoinPath(invocation.subject, kScriptFileName);
    clean_up.script.file = fs::path(Utf8ToWide(clean_up.script.shown));
  }
  ModeStart mode = StartMode(invocation, system, setup_script, clean_up, prompter, launcher);
  if (!mode.start) return end.status = mode.status;

  wizard::SetupRun run{system,   asker,        log,           launcher,
                       progress, program_path, source_folder, invocation.arguments};
  EngineBinding engines(run, mode.script);
  wizard::WizardModel model(run, std::move(*mode.start), engines, window ? window->text_measure() : nullptr);
  if (window) return end.status = window->ShowWizard(model);
  return end.status = DriveUnattended(model, invocation.options, answers, log);
}

}  // namespace setup::app
