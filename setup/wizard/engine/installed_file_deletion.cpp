#include "setup/wizard/engine/installed_file_deletion.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/target_system/link_guard.h"
#include "platform/target_system/windows_path.h"
#include "setup/core/folder_utils.h"
#include "setup/core/path_text.h"
#include "setup/core/recycle_bin.h"
#include "setup/wizard/engine/install_run.h"

namespace setup::wizard {
namespace {

using platform::target::FileEntry;
using platform::target::OpenFolder;
using platform::target::Status;
using platform::target::WindowsPath;

// Open folders kept at most. A record usually lists its files folder by
// folder, but one that goes round many folders file by file must not open
// and list a folder again for every file.
constexpr std::size_t kOpenFolders = 128;

constexpr std::string_view kLinkOut = "a symbolic link leads out of its drive";

std::string_view KindName(InstalledKind kind) {
  return kind == InstalledKind::kShortcut ? "shortcut" : "file";
}

Message FailedDeleteMessage(std::string_view path) {
  return MakeMessage("ファイル削除に失敗しました。\n" + std::string(path), MessageIcon::kError,
                     MessageButtons::kAbortRetryIgnore, Answer::kRetry);
}

Message StopQuestion() {
  return MakeMessage("アンインストールを中止してもよろしいですか？", MessageIcon::kQuestion,
                     MessageButtons::kYesNo, Answer::kNo);
}

}  // namespace

bool InstalledFileRemover::LeftOnMissingDrive(std::string_view path) {
  if (path.size() < 2 || path[1] != ':' || run_.system.drives().FindDrive(path[0]) != nullptr) {
    return false;
  }
  // The drive may come back (a removable disk, the package's own drive of a
  // run): the path is reported as left, never as deleted.
  run_.log.AddLeftover({path, "on a drive the system does not have"});
  return true;
}

bool InstalledFileRemover::Delete(std::string_view path, InstalledKind kind) {
  if (LeftOnMissingDrive(path)) return true;
  if (recycle_) return Recycle(path, kind);
  WindowsPath parsed;
  if (path.empty() || !WindowsPath::Parse(path, &parsed).ok() || parsed.IsRoot()) return true;
  Status opened;
  const OpenFolder* folder = Folder(parsed.Parent().ToString(), &opened);
  if (folder == nullptr) {
    if (opened.IsAccessDenied()) run_.log.AddLeftover({path, kLinkOut});
    if (opened.IsInvalidArgument()) run_.log.AddLeftover({path, opened.message()});
    return true;  // no folder, no file
  }
  return DeleteAsking(*folder, parsed.Name(), path, kind);
}

const OpenFolder* InstalledFileRemover::Folder(const std::string& folder, Status* opened) {
  if (const auto held = open_.find(folder); held != open_.end()) {
    held->second.used = ++turn_;
    return held->second.folder.get();
  }
  std::unique_ptr<OpenFolder> fresh;
  *opened = OpenFolder::Open(run_.system.drives(), folder, &fresh);
  if (!opened->ok()) return nullptr;
  if (open_.size() >= kOpenFolders) {
    open_.erase(std::min_element(open_.begin(), open_.end(),
                                 [](const auto& a, const auto& b) { return a.second.used < b.second.used; }));
  }
  Held& held = open_[folder];
  held.folder = std::move(fresh);
  held.used = ++turn_;
  return held.folder.get();
}

bool InstalledFileRemover::DeleteAsking(const OpenFolder& folder, std::string_view name,
                                        std::string_view path, InstalledKind kind) {
  for (int attempt = 1;; ++attempt) {
    const Status deleted = folder.DeleteFileEntry(name);
    if (deleted.IsNotFound() && attempt == 1) return true;
    if (deleted.IsInvalidArgument()) {
      run_.log.AddLeftover({path, "a folder, not a file"});
      return true;
    }
    if (deleted.ok() || deleted.IsNotFound()) {
      run_.log.Add("DELETE", {KindName(kind), path});
      RemoveFolderAndEmptyParents(folder.windows_path());
      return true;
    }
    if (attempt >= kMaxDeleteAttempts) {
      run_.log.AddLeftover(
          {path, "not deleted after " + std::to_string(attempt) + " attempts: " + deleted.ToString()});
      return true;
    }
    const Answer answer = AskAndLog(run_, FailedDeleteMessage(path));
    if (answer == Answer::kAbort) {
      if (AskAndLog(run_, StopQuestion()) == Answer::kYes) {
        run_.log.Add("STOP", {path});
        return false;
      }
    } else if (answer != Answer::kRetry) {
      run_.log.AddLeftover({path, "ignored: " + deleted.ToString()});
      RemoveFolderAndEmptyParents(folder.windows_path());
      return true;
    }
  }
}

bool InstalledFileRemover::Recycle(std::string_view path, InstalledKind kind) {
  FileEntry entry;
  if (path.empty() || !run_.system.files().Stat(path, &entry).ok()) return true;
  if (!platform::target::StaysInDrive(run_.system.drives(), path)) {
    run_.log.AddLeftover({path, kLinkOut});
    return true;
  }
  if (entry.is_folder) {
    run_.log.AddLeftover({path, "a folder, not a file"});
    return true;
  }
  if (const Status recycled = DeleteToRecycleBin(run_.system, path, true); recycled.ok()) {
    run_.log.Add("RECYCLE", {KindName(kind), path});
  } else {
    run_.log.AddLeftover({path, FailedBecause("could not be moved to the recycle bin", recycled)});
  }
  RemoveFolderAndEmptyParents(ParentPath(path));
  return true;
}

void InstalledFileRemover::RemoveFolderAndEmptyParents(std::string_view folder_text) {
  // A copy: the text may belong to the open folder, which is closed below.
  const std::string folder(folder_text);
  if (folder.empty() || LeftOnMissingDrive(folder)) return;
  // A folder that still holds something stops the climb at once; asked
  // first because it is by far the common case.
  Status opened;
  const OpenFolder* open = Folder(folder, &opened);
  if (opened.IsAccessDenied()) {
    run_.log.AddLeftover({folder, kLinkOut});
    return;
  }
  if (open != nullptr && open->HasEntries()) return;
  // Folders are removed now: none may stay open under an old name.
  open_.clear();
  const auto& files = run_.system.files();
  std::vector<std::string> existing;
  for (std::string current(folder);;) {
    if (files.IsFolder(current)) existing.push_back(current);
    std::string parent = ParentPath(current);
    if (parent == current || parent.empty()) break;
    current = std::move(parent);
  }
  setup::RemoveFolderAndEmptyParents(run_.system, folder, protected_folders_);
  for (const std::string& removed : existing) {
    if (!files.IsFolder(removed)) run_.log.Add("RMDIR", {removed});
  }
}

}  // namespace setup::wizard
