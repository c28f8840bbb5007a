#include "setup/wizard/engine/install_run.h"

#include <algorithm>

#include "setup/core/path_macros.h"
#include "setup/core/path_text.h"

namespace setup::wizard {

InstallRun::InstallRun(SetupRun& run_in, const SetupScript& script_in, const InstallChoices& choices_in)
    : run(run_in),
      script(script_in),
      choices(choices_in),
      // Running from the CD-ROM, "<Setup>" is the program's own folder.
      install_folder(choices_in.install_to_folder ? choices_in.install_folder_text
                                                  : StripTrailing(run_in.source_folder, "\\")),
      cd_rom_run(!choices_in.install_to_folder),
      app_key_name(script_in.ApplicationKeyName()) {}

std::string InstallRun::Expand(std::string_view path) const {
  return ExpandPathMacro(run.system, path, install_folder);
}

bool IsSetupFolderEntry(std::string_view path) { return FirstChars(path, 7) == "<Setup>"; }

std::vector<int> SelectedExtensionItems(const InstallChoices& choices) {
  std::vector<int> selected;
  for (int item : choices.selected_extensions) {
    if (item >= 0) selected.push_back(item);
  }
  std::sort(selected.begin(), selected.end());
  selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
  return selected;
}

StepProgress::StepProgress(EngineProgress& progress, int step) : progress_(progress), step_(step) {
  progress_.StepStarted(step_);
  progress_.Pump();
}

StepProgress::~StepProgress() { progress_.StepFinished(step_); }

void StepProgress::Advance() {
  progress_.Advanced(step_);
  progress_.Pump();
}

std::string_view AnswerName(Answer answer) {
  switch (answer) {
    case Answer::kOk: return "OK";
    case Answer::kCancel: return "Cancel";
    case Answer::kYes: return "Yes";
    case Answer::kNo: return "No";
    case Answer::kAbort: return "Abort";
    case Answer::kRetry: return "Retry";
    case Answer::kIgnore: return "Ignore";
  }
  return "?";
}

Answer AskAndLog(SetupRun& run, const Message& message) {
  const Answer answer = run.prompter.Ask(message);
  run.log.Add("MESSAGE", {message.text, AnswerName(answer)});
  return answer;
}

platform::Status ApplyTogether(platform::target::TargetSystem& system,
                               const platform::target::RegistryBatch& batch) {
  return system.registry().Apply(batch);
}

std::string Outcome(const platform::Status& result) {
  return result.ok() ? "ok" : FailedBecause("failed", result);
}

std::string StartOutcome(const platform::Status& started, std::string_view done) {
  return started.ok() ? std::string(done) : "not started: " + started.message();
}

std::string FailedBecause(std::string_view note, const platform::Status& failure) {
  return std::string(note) + ": " + failure.ToString();
}

}  // namespace setup::wizard
