#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"
#include "platform/target_system/registry_batch.h"
#include "setup/core/setup_script.h"
#include "setup/wizard/engine/install_engine.h"
#include "setup/wizard/engines.h"
#include "setup/wizard/install_choices.h"
#include "setup/wizard/prompter.h"
#include "setup/wizard/setup_run.h"

namespace setup::wizard {

// What every step of the install engine works with, fixed when it starts:
// the run, the script, the wizard's choices, the InstallFolder that
// "<Setup>" stands for, whether this is a CD-ROM run and the product's key.
struct InstallRun {
  InstallRun(SetupRun& run, const SetupScript& script, const InstallChoices& choices);

  platform::target::TargetSystem& system() const { return run.system; }
  // ExpandPathMacro with the InstallFolder.
  std::string Expand(std::string_view path) const;

  SetupRun& run;
  const SetupScript& script;
  const InstallChoices& choices;
  std::string install_folder;
  bool cd_rom_run;
  std::string app_key_name;
};

// Whether a script path is one a CD-ROM run leaves out: it begins with
// "<Setup>".
bool IsSetupFolderEntry(std::string_view path);

// The selected ListBox701 items in ascending order, each once.
std::vector<int> SelectedExtensionItems(const InstallChoices& choices);

// One bar of page 10 while its step runs: started on construction (with
// pending events processed), one position per Advance, finished when it goes.
class StepProgress {
 public:
  StepProgress(EngineProgress& progress, int step);
  ~StepProgress();
  StepProgress(const StepProgress&) = delete;
  StepProgress& operator=(const StepProgress&) = delete;
  void Advance();

 private:
  EngineProgress& progress_;
  int step_;
};

// Asks through the run's prompter and logs the question with its answer:
//   MESSAGE<TAB>text<TAB>answer
Answer AskAndLog(SetupRun& run, const Message& message);
std::string_view AnswerName(Answer answer);

// Applies the registry changes in one transaction, so a run killed in the
// middle leaves all of them or none. A failure tells why.
platform::Status ApplyTogether(platform::target::TargetSystem& system,
                               const platform::target::RegistryBatch& batch);

// The last field of a log line: "ok", or "failed: " and the reason
// ("failed: Access denied: HKEY_LOCAL_MACHINE is protected").
std::string Outcome(const platform::Status& result);
// The outcome of a program start: done ("started", "waited"), or "not
// started: " and the reason ("not started: /norun").
std::string StartOutcome(const platform::Status& started, std::string_view done);
// A note for a log line with the reason of the failure behind it
// ("count not written: I/O error: ...").
std::string FailedBecause(std::string_view note, const platform::Status& failure);

// Steps of the engine, each in a file of its own. A step that returns
// kAborted ends the installation at once.
EngineResult InstallFiles(InstallRun& install);
EngineResult MakeFolders(InstallRun& install);
void MakeShortcuts(InstallRun& install);
// Registry step, parts 1 to 4; the record (part 5) follows it.
void ApplyRegistryEntries(InstallRun& install, StepProgress& bar);
void WriteUninstallRecord(InstallRun& install, StepProgress& bar);

}  // namespace setup::wizard
