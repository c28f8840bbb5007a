#pragma once

#include "setup/wizard/model/wizard_model.h"

namespace setup::app {

// The exit status of a wizard that went as far as furthest_page: done when
// it reached its last page (with leftovers when its work left something),
// aborted when its engine had started, else refused; the clean-up window is
// always done.
int WizardExitStatus(wizard::WizardMode mode, int furthest_page, int leftovers = 0);

}  // namespace setup::app
