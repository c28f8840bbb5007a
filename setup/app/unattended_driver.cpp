#include "setup/app/unattended_driver.h"

#include "setup/app/exit_status.h"
#include "setup/wizard/model/wizard_pages.h"

namespace setup::app {
namespace {

using wizard::WizardMode;
using wizard::WizardModel;

// More Next presses than any page list needs: pages 2 to 11.
constexpr int kMaxPages = 16;

// What the window does when the model asks to be closed: its close event
// asks FormCloseQuery (which in the ended state may start the clean-up).
void CloseIfRequested(WizardModel& model) {
  if (model.close_requested()) model.FormCloseQuery();
}

int Finished(const DefaultAnswerPrompter& prompter, const wizard::ActionLog& log) {
  return prompter.ignored() > 0 || log.leftovers() > 0 ? kExitLeftovers : kExitDone;
}

// Ticks the restart box only when asked for; a product that forces the
// restart still restarts only with /restart.
void ChooseRestart(WizardModel& model, wizard::Control box, bool restart) {
  if (model.control(box).visible) model.SetChecked(box, restart);
}

void ApplyOptions(WizardModel& model, const UnattendedOptions& options, wizard::ActionLog& log) {
  if (options.dir) {
    if (model.page_mask().size() > 3 && model.page_mask()[3] == '1') {
      // A folder given means an installation to that folder, not a CD-ROM run.
      model.SetChecked(wizard::Control::kRadioButton501, true);
      model.SetText(wizard::Control::kEdit501, *options.dir);
    } else {
      log.Add("OPTION", {"/dir", *options.dir, "ignored: the product has no destination page"});
    }
  }
  if (options.group) {
    if (model.control(wizard::Control::kEdit601).enabled && model.page_mask().size() > 4 &&
        model.page_mask()[4] == '1') {
      model.SetText(wizard::Control::kEdit601, *options.group);
    } else {
      log.Add("OPTION", {"/group", *options.group, "ignored: the product has no Start-menu folder"});
    }
  }
}

int DriveSetup(WizardModel& model, const UnattendedOptions& options, const DefaultAnswerPrompter& prompter,
               wizard::ActionLog& log) {
  if (model.timer_armed()) model.Timer1Timer();
  if (model.page() < 2) {
    CloseIfRequested(model);
    return kExitRefused;
  }
  ApplyOptions(model, options, log);
  for (int press = 0; press < kMaxPages; ++press) {
    const int page = model.page();
    if (page == wizard::kInstallDonePage) {
      ChooseRestart(model, wizard::Control::kCheckBox1101, options.restart);
      model.Button2Click();
      CloseIfRequested(model);
      return Finished(prompter, log);
    }
    model.Button2Click();
    if (model.page() == page) {
      const std::optional<wizard::Control> focus = model.focus_request();
      log.Add("REFUSED", {"page " + std::to_string(page), focus ? std::string(ControlName(*focus)) : ""});
      return kExitRefused;
    }
    if (model.page() < 2 || model.page() > 11) {
      CloseIfRequested(model);
      // Only the move from page 9 starts the engine; before it nothing changed.
      return page >= 9 ? kExitAborted : kExitRefused;
    }
  }
  return kExitAborted;
}

int DriveUninstall(WizardModel& model, const UnattendedOptions& options,
                   const DefaultAnswerPrompter& prompter, const wizard::ActionLog& log) {
  if (model.page() != 12) return kExitRefused;
  model.Button2Click();
  if (model.page() != 14) {
    CloseIfRequested(model);
    return kExitAborted;
  }
  ChooseRestart(model, wizard::Control::kCheckBox1401, options.restart);
  model.Button2Click();
  CloseIfRequested(model);
  return Finished(prompter, log);
}

}  // namespace

int DriveUnattended(WizardModel& model, const UnattendedOptions& options,
                    const DefaultAnswerPrompter& prompter, wizard::ActionLog& log) {
  model.FormShow();
  switch (model.mode()) {
    case WizardMode::kSetup: return DriveSetup(model, options, prompter, log);
    case WizardMode::kUninstall: return DriveUninstall(model, options, prompter, log);
    case WizardMode::kCleanUp:
      model.Button4Click();
      CloseIfRequested(model);
      return Finished(prompter, log);
  }
  return kExitRefused;
}

}  // namespace setup::app
