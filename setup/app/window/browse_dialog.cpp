#include "setup/app/window/browse_dialog.h"

#include <algorithm>

#include "platform/target_system/name_folding.h"
#include "platform/target_system/windows_path.h"
#include "platform/utf8.h"
#include "setup/wizard/model/entry_checks.h"

namespace setup::window {
namespace {

using platform::target::DriveType;
using platform::target::WindowsPath;

std::string DriveDisplayName(char letter, DriveType type) {
  const char* kind = "ローカル ディスク";
  switch (type) {
    case DriveType::kRemovable: kind = "リムーバブル ディスク"; break;
    case DriveType::kRemote: kind = "ネットワーク ドライブ"; break;
    case DriveType::kCdRom: kind = "CD-ROM ドライブ"; break;
    case DriveType::kRamDisk: kind = "RAM ディスク"; break;
    default: break;
  }
  return std::string(kind) + " (" + letter + ":)";
}

BrowseItem FolderItem(const WindowsPath& path, const platform::target::DriveMap& drives) {
  if (path.IsRoot()) {
    return {DriveDisplayName(path.drive(), drives.TypeOf(path.RootString())), path.ToString(), true};
  }
  return {path.Name(), path.ToString(), true};
}

// An existing folder's path with the names as they are stored.
bool ParseStoredFolder(const TBrowseDialog& dialog, const std::string& text, WindowsPath* path) {
  std::filesystem::path host;
  std::string stored;
  return !text.empty() && WindowsPath::Parse(text, path).ok() && dialog.files().IsFolder(path->ToString()) &&
         dialog.drives().ToHostPath(*path, &host).ok() && dialog.drives().ToWindowsPath(host, &stored).ok() &&
         WindowsPath::Parse(stored, path).ok();
}

}  // namespace

bool TBrowseDialog::Execute(FolderPicker& picker) {
  BrowseSession session(*this);
  BrowseItem chosen;
  if (!picker.Run(session, &chosen)) return false;
  display_name_ = chosen.display_name;
  Directory = chosen.file_system ? chosen.path : std::string();
  return true;
}

BrowseSession::BrowseSession(TBrowseDialog& dialog) : dialog_(dialog) {
  root_ = {"マイ コンピュータ", "", false};
  // A root that names no existing folder leaves the whole computer.
  WindowsPath root;
  if (ParseStoredFolder(dialog_, dialog_.Root, &root)) root_ = FolderItem(root, dialog_.drives());
  preselection_ = PreselectionOf(dialog_.Directory);
}

std::vector<BrowseItem> BrowseSession::Children(const BrowseItem& item) const {
  std::vector<BrowseItem> children;
  const auto& drives = dialog_.drives();
  if (!item.file_system) {
    std::vector<char> letters;
    for (const auto& d : drives.drives()) {
      if (!wizard::IsOnRunOnlyDrive(dialog_.system(), std::string(1, d.letter) + ":"))
        letters.push_back(d.letter);
    }
    std::sort(letters.begin(), letters.end());
    for (char letter : letters) {
      WindowsPath path;
      if (WindowsPath::Parse(std::string(1, letter) + ":\\", &path).ok()) {
        children.push_back(FolderItem(path, drives));
      }
    }
    return children;
  }
  WindowsPath parent;
  std::vector<platform::target::FileEntry> entries;
  if (!WindowsPath::Parse(item.path, &parent).ok() ||
      !dialog_.files().ListEntries(item.path, &entries).ok()) {
    return children;
  }
  for (const auto& entry : entries) {
    if (entry.is_folder) children.push_back(FolderItem(parent.Child(entry.name), drives));
  }
  return children;
}

bool BrowseSession::ItemFor(const std::string& path, BrowseItem* item) const {
  WindowsPath parsed;
  if (wizard::IsOnRunOnlyDrive(dialog_.system(), path)) return false;
  if (!ParseStoredFolder(dialog_, path, &parsed)) return false;
  if (root_.file_system) {
    // Only folders at or below the root are in the tree.
    WindowsPath root;
    if (!WindowsPath::Parse(root_.path, &root).ok() || root.drive() != parsed.drive()) return false;
    const auto& r = root.components();
    const auto& p = parsed.components();
    if (p.size() < r.size()) return false;
    for (std::size_t i = 0; i < r.size(); ++i) {
      if (!platform::target::NamesEqual(r[i], p[i])) return false;
    }
  }
  *item = FolderItem(parsed, dialog_.drives());
  return true;
}

bool BrowseSession::Selectable(const BrowseItem& item) const {
  const TBrowseOptions& o = dialog_.Options;
  // The target system has no computers or printers to return.
  if (o.Has(biBrowseForComputer) || o.Has(biBrowseForPrinter)) return false;
  if ((o.Has(biReturnOnlyFSDirs) || o.Has(biReturnFSAncestors)) && !item.file_system) return false;
  return true;
}

void BrowseSession::Apply(const TBrowseDialogEvent& hook, std::intptr_t wnd, const std::string& path) {
  std::string show_text;
  TOKButtonState ok = TOKButtonState::kUnchanged;
  if (hook) hook(dialog_, wnd, path, show_text, ok);
  // An empty text clears the status line.
  status_text_ = show_text;
  if (ok == TOKButtonState::kEnable) ok_enabled_ = true;
  if (ok == TOKButtonState::kDisable) ok_enabled_ = false;
}

void BrowseSession::Initialized(std::intptr_t wnd) {
  BrowseItem selected = root_;
  ok_enabled_ = Selectable(selected);
  // Selecting the pre-selection changes the selection: its hook runs first,
  // from inside the opening, as the shell's dialog calls it.
  if (!preselection_.empty() && ItemFor(preselection_, &selected)) SelectionChanged(wnd, selected);
  Apply(dialog_.OnInitialized, wnd, preselection_);
}

void BrowseSession::SelectionChanged(std::intptr_t wnd, const BrowseItem& item) {
  ok_enabled_ = Selectable(item);
  Apply(dialog_.OnSelectionChanged, wnd, item.file_system ? item.path : std::string());
}

}  // namespace setup::window
