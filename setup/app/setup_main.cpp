// The Setup program: installer, and as "kestro.exe" the uninstaller.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "setup/app/default_answer_prompter.h"
#include "setup/app/exit_status.h"
#include "setup/app/setup_program.h"
#include "setup/app/target_for_run.h"
#if defined(SETUP_WITH_WINDOWS)
#include "setup/app/window/qt_front.h"
#endif

namespace {

using namespace setup::app;

// This build has no windows: messages are printed with the default answer,
// and the wizard itself is refused with a pointer to the unattended mode.
class NoWindowFront : public ProgramFront {
 public:
  explicit NoWindowFront(const FrontRequest& request)
      : err_(request.err), prompter_(request.err, setup::wizard::Answer::kAbort) {}
  setup::wizard::Prompter& prompter() override { return prompter_; }
  setup::wizard::EngineProgress& progress() override { return progress_; }
  int ShowWizard(setup::wizard::WizardModel&) override {
    err_ << "Setup: this build has no windows; run it with /silent for the unattended mode\n";
    return kExitRefused;
  }

 private:
  std::ostream& err_;
  DefaultAnswerPrompter prompter_;
  setup::wizard::EngineProgress progress_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
#if defined(SETUP_WITH_WINDOWS)
  const FrontFactory front = setup::window::QtFrontFactory(argc, argv);
#else
  const FrontFactory front = [](const FrontRequest& request) {
    return std::make_unique<NoWindowFront>(request);
  };
#endif
  return RunSetupProgram(OwnProgramPath(argc > 0 ? argv[0] : nullptr), arguments, std::cerr, front);
}
