#include "setup/core/folder_utils.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/target_system/link_guard.h"
#include "platform/target_system/name_folding.h"
#include "platform/target_system/short_path.h"
#include "platform/target_system/windows_path.h"
#include "setup/core/install_paths.h"
#include "setup/core/path_text.h"

namespace setup {
namespace {

using platform::target::FileEntry;
using platform::target::WindowsPath;

// Deeper than any Windows path can reach; guards against folder cycles that
// host symbolic links could make.
constexpr int kMaxFolderDepth = 128;

// The form two paths are compared in: parsed and rebuilt when it is a
// drive path, with case folded.
std::string ComparableFolder(std::string_view folder) {
  WindowsPath parsed;
  if (WindowsPath::Parse(folder, &parsed).ok()) {
    return platform::target::FoldName(parsed.ToString());
  }
  return platform::target::FoldName(StripTrailing(folder, "\\"));
}

// The folders the removal operations never remove, in the form they are
// compared in. Besides the folders a user keeps things in, the system's
// own: a target system's Windows, system, program and Start-menu folders may
// stand empty, and removing the last file of a product must not take them.
// Read once for a whole climb or tree: each is a registry lookup.
std::vector<std::string> ProtectedFolders(TargetSystem& system) {
  const std::array<std::string, 13> folders = {
      GetWindowsFolder(system),
      GetSystemFolder(system),
      GetShellFolder(system, "ProgramFilesDir"),
      GetShellFolder(system, "Programs"),
      GetShellFolder(system, "Start Menu"),
      GetDefaultShellFolder(system, "Programs", kAllUsers),
      GetDefaultShellFolder(system, "Start Menu", kAllUsers),
      GetTempFolder(system),
      GetShellFolder(system, "Personal"),
      GetShellFolder(system, "Startup"),
      GetShellFolder(system, "Desktop"),
      GetDefaultShellFolder(system, "Startup", kAllUsers),
      GetDefaultShellFolder(system, "Desktop", kAllUsers),
  };
  std::vector<std::string> comparable;
  for (const std::string& folder : folders) {
    if (!folder.empty()) comparable.push_back(ComparableFolder(folder));
  }
  return comparable;
}

bool IsAmong(const std::vector<std::string>& protected_folders, std::string_view folder) {
  const std::string candidate = ComparableFolder(folder);
  return std::find(protected_folders.begin(), protected_folders.end(), candidate) != protected_folders.end();
}

Status RemoveEmptyFolderTreeAt(TargetSystem& system, std::string_view folder, int depth,
                               const std::vector<std::string>& protected_folders) {
  if (depth < kMaxFolderDepth) {
    std::vector<FileEntry> entries;
    if (system.files().ListEntries(folder, &entries).ok()) {
      for (const FileEntry& entry : entries) {
        if (!entry.is_folder || entry.name.starts_with('.')) continue;
        const std::string child = JoinPath(folder, entry.name);
        // A linked folder whose target lies outside the drive is not the
        // installer's to empty; a subfolder that stays is no failure of this
        // one.
        if (platform::target::StaysInDrive(system.drives(), child)) {
          static_cast<void>(RemoveEmptyFolderTreeAt(system, child, depth + 1, protected_folders));
        }
      }
    }
  }
  if (IsAmong(protected_folders, folder)) {
    return Status::AccessDenied(std::string(folder) + " is a protected folder");
  }
  return system.files().RemoveEmptyFolder(folder);
}

}  // namespace

std::string GetShortPath(std::string_view path) { return platform::target::ShortPathName(path); }

std::uint64_t GetFileSizeOf(const TargetSystem& system, std::string_view path) {
  FileEntry entry;
  if (!system.files().FindFirst(path, &entry).ok() || entry.is_folder) return 0;
  return entry.size;
}

Status ForceFolders(const TargetSystem& system, std::string_view path) {
  if (path.empty()) return Status::InvalidArgument(std::string(kCannotCreateFolderMessage));
  if (path.back() == '\\') path.remove_suffix(1);
  if (CharCount(path) < 3 || system.files().IsFolder(path)) return Status::Ok();
  return system.files().CreateFolderTree(path);
}

bool IsProtectedFolder(TargetSystem& system, std::string_view folder) {
  return IsAmong(ProtectedFolders(system), folder);
}

Status RemoveEmptyFolderTree(TargetSystem& system, std::string_view folder) {
  return RemoveEmptyFolderTreeAt(system, folder, 0, ProtectedFolders(system));
}

bool ProtectedFolderSet::Contains(std::string_view folder) {
  if (!read_) {
    folders_ = ProtectedFolders(system_);
    read_ = true;
  }
  return IsAmong(folders_, folder);
}

void RemoveFolderAndEmptyParents(TargetSystem& system, std::string_view folder) {
  ProtectedFolderSet protected_folders(system);
  RemoveFolderAndEmptyParents(system, folder, protected_folders);
}

void RemoveFolderAndEmptyParents(TargetSystem& system, std::string_view folder,
                                 ProtectedFolderSet& protected_folders) {
  std::string current(folder);
  while (true) {
    if (system.files().IsFolder(current)) {
      if (protected_folders.Contains(current)) return;
      if (!system.files().RemoveEmptyFolder(current).ok()) return;
    }
    std::string parent = ParentPath(current);
    if (parent == current) return;
    current = std::move(parent);
  }
}

}  // namespace setup
