#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"
#include "platform/target_system/target_system.h"

namespace setup {

using platform::Status;
using platform::target::TargetSystem;

// File and folder operations of the installer on Windows paths of the target
// system.

// The short (8.3) form of a path: the path itself on the target system,
// which keeps long names only; the file system's own on Windows.
std::string GetShortPath(std::string_view path);

// Size in bytes of the first entry the path names (wildcards allowed in the
// last component); 0 when none is found or it is a folder.
std::uint64_t GetFileSizeOf(const TargetSystem& system, std::string_view path);

// The error text the installer shows when asked to create a folder with an
// empty path.
inline constexpr std::string_view kCannotCreateFolderMessage = "ﾃﾞｨﾚｸﾄﾘを作成することができません";

// Creates the folder and every missing parent; one trailing backslash is
// ignored. A path of fewer than 3 characters or an existing folder is left
// alone (Ok). An empty path gives InvalidArgument with
// kCannotCreateFolderMessage, the one failure that callers show; for other
// failures callers check whether the folder exists.
Status ForceFolders(const TargetSystem& system, std::string_view path);

// Whether the folder is one the removal operations never remove: the
// temporary folder, the user's documents, Startup and desktop, and the
// all-users Startup and desktop. Compared as paths, without regard to case,
// separators, "." and ".." or a trailing backslash.
bool IsProtectedFolder(TargetSystem& system, std::string_view folder);

// Removes the empty subfolders of folder (those whose names do not begin
// with "."), then folder itself when it is now empty and not protected.
// Success when folder itself was removed; otherwise the reason it stays
// (protected, not empty, missing ...).
Status RemoveEmptyFolderTree(TargetSystem& system, std::string_view folder);

// Removes folder when it is empty and not protected, then each parent under
// the same rule; stops at the first folder that stays and at the drive root.
// A folder that does not exist is passed over.
void RemoveFolderAndEmptyParents(TargetSystem& system, std::string_view folder);

// The protected folders of a system, read at the first question (a registry
// lookup each) and kept: for a series of removals during which nothing
// changes the shell folders, such as the file steps of an uninstall.
class ProtectedFolderSet {
 public:
  explicit ProtectedFolderSet(TargetSystem& system) : system_(system) {}
  bool Contains(std::string_view folder);

 private:
  TargetSystem& system_;
  bool read_ = false;
  std::vector<std::string> folders_;
};

// The same, with the protected folders as the set has them.
void RemoveFolderAndEmptyParents(TargetSystem& system, std::string_view folder,
                                 ProtectedFolderSet& protected_folders);

}  // namespace setup
