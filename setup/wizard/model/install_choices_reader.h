#pragma once

#include "setup/wizard/install_choices.h"
#include "setup/wizard/model/wizard_controls.h"

namespace setup::wizard {

// What the install engine reads, from the wizard's controls as they are.
InstallChoices ChoicesFromControls(const ControlSet& controls);

}  // namespace setup::wizard
