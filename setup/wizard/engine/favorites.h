#pragma once

#include "setup/core/setup_script.h"
#include "setup/wizard/install_choices.h"
#include "setup/wizard/setup_run.h"

namespace setup::wizard {

// Adds favourite slot (1 to 3) of [Favorites] to the chosen browsers when
// the slot is visible and checked: an Internet shortcut file named after it
// in the favourites folder, and a line in the bookmark file (re-pointed when
// a line of that name exists, inserted before the last line otherwise; the
// file is read afresh for every slot and written only when it changed). A
// name that is no valid file name or a bookmark file that cannot be read or
// written skips that part of the slot, logged; the installation goes on.
// True when the slot was processed (it makes a progress position).
bool AddFavorite(SetupRun& run, const SetupScript& script, const InstallChoices& choices, int slot);

}  // namespace setup::wizard
