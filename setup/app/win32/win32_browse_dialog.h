#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/win32/windows_api.h"
#include "setup/app/browse_options.h"
#include "setup/wizard/model/wizard_controls.h"

namespace setup::win32 {

class TBrowseDialog;
// Sender, the dialog window, the path (in), the status text and the OK
// button state (in and out).
using TBrowseDialogEvent =
    std::function<void(TBrowseDialog& sender, std::intptr_t wnd, const std::string& path,
                       std::string& show_text, window::TOKButtonState& ok_button)>;

// The shell's folder picker (SHBrowseForFolderW). The caller sets Caption
// and Directory, calls Execute and on true reads Directory back. Texts are
// UTF-8.
class TBrowseDialog {
 public:
  // True when the user chose an item: Directory becomes its file-system
  // path (empty for an item without one). Cancel returns false and leaves
  // Directory.
  bool Execute(HWND owner);
  // The display name of the item chosen last.
  const std::string& display_name() const { return display_name_; }

  std::string Directory;
  std::string Caption;
  window::TBrowseOptions Options{window::biReturnOnlyFSDirs};
  std::string Root;  // empty: the desktop
  TBrowseDialogEvent OnInitialized;
  TBrowseDialogEvent OnSelectionChanged;

 private:
  std::string display_name_;
};

// A message the callback sends to the dialog window: the message, its
// wparam and lparam, or instead of lparam the text it points to (status
// text, selection path).
using BrowseSend = std::function<void(UINT message, WPARAM wparam, LPARAM lparam, const std::wstring* text)>;

// The dialog's callback for one shell message: on BFFM_INITIALIZED the
// pre-selection (Directory less one trailing backslash, but a drive root
// as it is) and OnInitialized; on BFFM_SELCHANGED OnSelectionChanged with
// the selected item's path (selection_path). After any message the status
// text (empty clears it) and the OK button request of the hooks. The wide
// dialog takes the wide forms of the status and selection messages.
void RunBrowseCallback(TBrowseDialog& dialog, std::intptr_t wnd, UINT message,
                       const std::string& selection_path, const BrowseSend& send);

// A browse button's folder request on the shell's picker: the chosen
// folder, or nothing on Cancel.
std::optional<std::string> ChooseFolder(HWND owner, const wizard::BrowseRequest& request);

}  // namespace setup::win32
