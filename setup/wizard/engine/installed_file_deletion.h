#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/target_system/open_folder.h"
#include "setup/core/folder_utils.h"
#include "setup/wizard/setup_run.h"

namespace setup::wizard {

// How often one file is tried before the uninstaller gives up on it, however
// the questions are answered (a prompter that keeps answering Retry, or
// Abort and then No, would otherwise keep it busy for ever).
inline constexpr int kMaxDeleteAttempts = 32;

// What the uninstaller calls the items it deletes in its log.
enum class InstalledKind { kFile, kShortcut };

// Deletes the files and shortcuts of a record one by one and removes the
// folders they leave empty. It keeps the folders of the last files open, so
// that a product of thousands of files in a few folders costs little more
// than deleting them by hand.
class InstalledFileRemover {
 public:
  // recycle: "ファイルはごみ箱に捨てる(&D)".
  InstalledFileRemover(SetupRun& run, bool recycle)
      : run_(run), recycle_(recycle), protected_folders_(run.system) {}

  // DeleteInstalledFile: nothing when the file does not exist; into the
  // recycle bin when chosen; else with its attributes cleared, asking
  // Abort/Retry/Ignore while that fails (Abort asks whether to stop the
  // uninstallation). Then removes its folder and the parents left empty.
  // False when the user chose to stop; true to go on (also when the file
  // was left). Never follows a symbolic link out of the file's drive, and
  // never deletes a folder that stands in a file's place. A path on a drive
  // the system does not have is left and reported (a KEEP line).
  bool Delete(std::string_view path, InstalledKind kind);
  bool recycle() const { return recycle_; }

  // RemoveFolderAndEmptyParents, with one line per folder removed:
  //   RMDIR<TAB>folder
  // A folder on a drive the system does not have is reported as left.
  void RemoveFolderAndEmptyParents(std::string_view folder);

 private:
  // True (and logged as left) when the path names a drive letter the system
  // does not have.
  bool LeftOnMissingDrive(std::string_view path);
  bool Recycle(std::string_view path, InstalledKind kind);
  bool DeleteAsking(const platform::target::OpenFolder& folder, std::string_view name, std::string_view path,
                    InstalledKind kind);
  // The open folder, opened now when needed; nullptr when it cannot be
  // opened (opened tells why).
  const platform::target::OpenFolder* Folder(const std::string& folder, platform::target::Status* opened);

  SetupRun& run_;
  bool recycle_;
  // The removals come before the registry is undone: the shell folders stay
  // as they were when first asked for.
  ProtectedFolderSet protected_folders_;
  // The folders used last, by Windows path, with the turn of their last use.
  struct Held {
    std::unique_ptr<platform::target::OpenFolder> folder;
    std::uint64_t used = 0;
  };
  std::unordered_map<std::string, Held> open_;
  std::uint64_t turn_ = 0;
};

}  // namespace setup::wizard
