#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "setup/app/setup_program.h"
#include "setup/app/window/dialog_prompter.h"
#include "setup/app/window/work_box.h"
#include "setup/app/wizard_exit_status.h"

namespace setup::window {

// The Setup program with its windows: message boxes for every question,
// in setup mode the painted background covering the screen with the wizard
// shown modally over it after the first timer tick, in the other modes the
// wizard alone.
class QtFront : public app::ProgramFront {
 public:
  explicit QtFront(app::ProgramMode mode);

  wizard::Prompter& prompter() override { return *prompter_; }
  wizard::EngineProgress& progress() override { return progress_; }
  const wizard::TextMeasure* text_measure() const override { return &measure_; }
  int ShowWizard(wizard::WizardModel& model) override;

 private:
  app::ProgramMode mode_;
  QPointer<QWidget> owner_;  // the window that owns the message boxes
  std::unique_ptr<DialogPrompter> prompter_;
  WorkBoxProgress progress_;
  LabelWidthMeasure measure_;
};

using app::WizardExitStatus;

// True when windows can be shown: a toolkit platform is named, or an X11 or
// Wayland display is set.
bool HasDisplay();

// The front factory of the Setup program: makes the application object on
// first use. Without a display it says so on err, names the unattended
// mode and makes no front, so that the program ends with status 1 having
// changed nothing.
app::FrontFactory QtFrontFactory(int& argc, char** argv);

}  // namespace setup::window
