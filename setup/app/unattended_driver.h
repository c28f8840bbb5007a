#pragma once

#include "setup/app/default_answer_prompter.h"
#include "setup/app/invocation.h"
#include "setup/wizard/model/wizard_model.h"

namespace setup::app {

// Runs the wizard without a window, as a user pressing the default button
// on every page would: FormShow, the start checks, then Next page by page
// with each page's initial values (options.dir and options.group replace
// Edit501 and Edit601), the engine, and the finish (the restart box ticked
// only with options.restart). Uninstall mode: 開始 on page 12, then 終了;
// clean-up mode: はい (delete). Every question is answered by the prompter
// the model's run carries. The exit status (exit_status.h).
int DriveUnattended(wizard::WizardModel& model, const UnattendedOptions& options,
                    const DefaultAnswerPrompter& prompter, wizard::ActionLog& log);

}  // namespace setup::app
