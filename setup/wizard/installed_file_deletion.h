#pragma once

#include <string_view>

#include "setup/wizard/setup_run.h"

namespace setup::wizard {

// How often one file is tried before the uninstaller gives up on it, however
// the questions are answered (a prompter that keeps answering Retry, or
// Abort and then No, would otherwise keep it busy for ever).
inline constexpr int kMaxDeleteAttempts = 32;

// What the uninstaller calls the items it deletes in its log.
enum class InstalledKind { kFile, kShortcut };

// Deletes one file or shortcut of the record: nothing when it does not
// exist; into the recycle bin when recycle is set; else with its attributes
// cleared, asking Abort/Retry/Ignore while that fails (Abort asks whether to
// stop the uninstallation). Then removes its folder and the parents left
// empty. False when the user chose to stop; true to go on (also when the
// file was left). Never follows a symbolic link out of the file's drive and
// never deletes a folder in a file's place.
bool DeleteInstalledFile(SetupRun& run, std::string_view path, bool recycle, InstalledKind kind);

// RemoveFolderAndEmptyParents with one log line per folder removed:
//   RMDIR<TAB>folder
void RemoveFolderAndEmptyParentsLogged(SetupRun& run, std::string_view folder);

}  // namespace setup::wizard
