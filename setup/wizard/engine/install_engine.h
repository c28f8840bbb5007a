#pragma once

#include "setup/core/setup_script.h"
#include "setup/wizard/engines.h"
#include "setup/wizard/install_choices.h"
#include "setup/wizard/setup_run.h"

namespace setup::wizard {

// The bars of page 10, in the order of StepMaxima and of the step numbers
// that EngineProgress receives.
enum InstallStep { kFilesStep = 0, kFoldersStep, kShortcutsStep, kRegistryStep, kFavoritesStep };

// The maxima of page 10's five bars for these choices, computed when page 9
// is left: files ([File] Count, CountMin in a CD-ROM run), folders (likewise
// [Folder]), shortcuts (the [Link] location counts of the checked boxes),
// registry ([Registry], [IniFile] and [UserInfomation] counts, the selected
// associations and one for each record block asked for) and favourites (the
// visible, checked slots when a browser target is chosen).
StepMaxima ComputeInstallMaxima(SetupRun& run, const SetupScript& script, const InstallChoices& choices);

// The install engine of page 10: files, folders, shortcuts, registry (with
// the user entries, the associations and the uninstall record) and
// favourites, each step run only when its maximum is above 0. Every action is
// logged; questions go to run.prompter. kAborted when the user chose Abort
// after a failed copy or folder creation: what was done stays done, and
// nothing after it (the record included) is done.
EngineResult RunInstallEngine(SetupRun& run, const SetupScript& script, const InstallChoices& choices,
                              const StepMaxima& maxima);

// "終了(&E)" on page 11: the restart through the uninstaller copy ("/r")
// when chosen, then the chosen [Run] items, started and not waited for.
void RunFinishActions(SetupRun& run, const SetupScript& script, const InstallChoices& choices);

}  // namespace setup::wizard
