#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "setup/app/invocation.h"
#include "setup/wizard/action_log.h"
#include "setup/wizard/engine_progress.h"
#include "setup/wizard/prompter.h"

namespace setup::wizard {
class WizardModel;
class TextMeasure;
}  // namespace setup::wizard

namespace setup::app {

// How the program meets its user: the message boxes, the progress of the
// engines and the wizard window, or their unattended stand-ins.
class ProgramFront {
 public:
  virtual ~ProgramFront() = default;
  virtual wizard::Prompter& prompter() = 0;
  virtual wizard::EngineProgress& progress() = 0;
  // How the wizard's labels measure their texts (fitted favourite
  // addresses); nullptr when no window shows them.
  virtual const wizard::TextMeasure* text_measure() const { return nullptr; }
  // Shows the wizard (FormShow onwards) until it has closed; the exit
  // status (exit_status.h).
  virtual int ShowWizard(wizard::WizardModel& model) = 0;
};

// What a front is made for.
struct FrontRequest {
  ProgramMode mode;
  const UnattendedOptions& options;
  wizard::ActionLog& log;
  std::ostream& err;
};
using FrontFactory = std::function<std::unique_ptr<ProgramFront>(const FrontRequest&)>;

// The unattended front: DefaultAnswerPrompter on err (Retry falls back to
// Abort for the installer, to Ignore for the uninstaller), no progress
// display, and the wizard driven by DriveUnattended.
std::unique_ptr<ProgramFront> MakeUnattendedFront(const FrontRequest& request);

// The Setup program. program_path is the running program as a host file
// (its name chooses the mode, its folder holds the package); arguments
// exclude the program name. The unattended front serves when /silent is
// given or KESTRO_UNATTENDED is "1" (programs started by an unattended run
// inherit it); otherwise window_front makes the front. Messages of the
// program itself go to err. Returns the exit status.
int RunSetupProgram(const std::filesystem::path& program_path, const std::vector<std::string>& arguments,
                    std::ostream& err, const FrontFactory& window_front);

}  // namespace setup::app
