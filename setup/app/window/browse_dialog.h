#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "platform/target_system/target_system.h"
#include "setup/app/browse_options.h"

namespace setup::window {

class TBrowseDialog;
// Sender, the dialog window, the path (in), the status text and the OK
// button state (in and out).
using TBrowseDialogEvent =
    std::function<void(TBrowseDialog& sender, std::intptr_t wnd, const std::string& path,
                       std::string& show_text, TOKButtonState& ok_button)>;

// One item of the picker's tree: a drive or folder by its Windows path, or
// the computer at the top, which is no file-system folder.
struct BrowseItem {
  std::string display_name;
  std::string path;  // empty for an item without a file-system path
  bool file_system = false;
};

class BrowseSession;
class TargetFileSession;

// Shows a session to the user; returns the chosen item, or nothing on
// Cancel. The window implements it with a tree view, tests with a script.
class FolderPicker {
 public:
  virtual ~FolderPicker() = default;
  virtual bool Run(BrowseSession& session, BrowseItem* chosen) = 0;
  // The file-open dialog over the target system's drives: the chosen
  // file's Windows path, or nothing on Cancel.
  virtual std::optional<std::string> ChooseFile(TargetFileSession& /*session*/) { return std::nullopt; }
};

// The folder picker over the target system's drives. The caller sets
// Caption and Directory, calls Execute and on true reads Directory back.
class TBrowseDialog {
 public:
  explicit TBrowseDialog(const platform::target::TargetSystem& system)
      : system_(system), Options{biReturnOnlyFSDirs} {}

  // True when the user chose an item: Directory becomes its path (empty for
  // an item without one). Cancel returns false and leaves Directory.
  bool Execute(FolderPicker& picker);
  // The display name of the item chosen last.
  const std::string& display_name() const { return display_name_; }
  const platform::target::SystemFiles& files() const { return system_.files(); }
  const platform::target::DriveMap& drives() const { return system_.drives(); }
  const platform::target::TargetSystem& system() const { return system_; }

 private:
  const platform::target::TargetSystem& system_;
  std::string display_name_;

 public:
  std::string Directory;
  std::string Caption;
  TBrowseOptions Options;
  std::string Root;  // empty: the whole computer
  TBrowseDialogEvent OnInitialized;
  TBrowseDialogEvent OnSelectionChanged;
};

// One opening of the picker: the tree, the pre-selection, the hooks and
// what they asked for the status text and the OK button.
class BrowseSession {
 public:
  explicit BrowseSession(TBrowseDialog& dialog);

  const TBrowseDialog& dialog() const { return dialog_; }
  const BrowseItem& root() const { return root_; }
  // The drives below the computer (but the drives given to this run only,
  // which hold the package and are no place to install to), the subfolders
  // below a folder, by name.
  std::vector<BrowseItem> Children(const BrowseItem& item) const;
  // An existing folder's item below the root; false when there is none.
  bool ItemFor(const std::string& path, BrowseItem* item) const;
  // The folder selected when the dialog opens: Directory without one
  // trailing backslash unless a drive root; empty when Directory is.
  const std::string& preselection() const { return preselection_; }

  // The dialog has opened (wnd: its window) / the selection has changed.
  void Initialized(std::intptr_t wnd);
  void SelectionChanged(std::intptr_t wnd, const BrowseItem& item);

  const std::string& status_text() const { return status_text_; }
  bool status_shown() const { return dialog_.Options.Has(biStatusText); }
  bool ok_enabled() const { return ok_enabled_; }

 private:
  bool Selectable(const BrowseItem& item) const;
  void Apply(const TBrowseDialogEvent& hook, std::intptr_t wnd, const std::string& path);

  TBrowseDialog& dialog_;
  BrowseItem root_;
  std::string preselection_;
  std::string status_text_;
  bool ok_enabled_ = false;
};
}  // namespace setup::window
