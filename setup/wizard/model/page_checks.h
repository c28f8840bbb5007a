#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "setup/core/setup_script.h"
#include "setup/wizard/model/wizard_controls.h"
#include "setup/wizard/prompter.h"
#include "setup/wizard/setup_run.h"

namespace setup::wizard {

// The checks of Next on the entry pages, over the controls as they are.
// A refusal shows its message through the run's prompter and names the
// control to focus.
class PageChecks {
 public:
  PageChecks(SetupRun& run, const SetupScript& script, const ControlSet& controls,
             std::optional<Control>& focus);

  // A user entry (field 1..3): not empty when required, of the script's
  // size and character type.
  bool CheckUserEntry(int field);
  // A destination folder: not on the package's own drive, and one that
  // exists or can be made (what the check makes it removes again).
  bool CheckFolderEntry(std::string_view path, Control edit);
  // The destination page: a folder given, enough free space or the user's
  // yes, and a usable folder.
  bool CheckFolderPage();
  // The Start-menu folder under programs_folder.
  bool CheckShortcutPage(std::string_view programs_folder);
  // The favourites folder and the bookmark file, when chosen.
  bool CheckFavoritesPage();

 private:
  Answer Ask(std::string text, MessageIcon icon, MessageButtons buttons = MessageButtons::kOk,
             Answer default_answer = Answer::kOk);
  void Refuse(std::string text, Control focus);

  SetupRun& run_;
  const SetupScript& script_;
  const ControlSet& controls_;
  std::optional<Control>& focus_;
};

// Free bytes of the drive whose letter begins the path; nullopt when the
// query fails (no drive letter, an unknown drive, the host refuses).
std::optional<std::uint64_t> FreeBytesOfDrive(const platform::target::TargetSystem& system,
                                              std::string_view path);

}  // namespace setup::wizard
