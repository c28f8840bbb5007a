#include "setup/wizard/installed_file_deletion.h"

#include <string>
#include <vector>

#include "platform/target/folder_probe.h"
#include "platform/target/link_guard.h"
#include "setup/core/folder_utils.h"
#include "setup/core/path_text.h"
#include "setup/core/recycle_bin.h"
#include "setup/wizard/asked_question.h"

namespace setup::wizard {
namespace {

using platform::target::FileEntry;
using platform::target::Status;

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

// Clears the attributes and deletes, asking while that fails. False when the
// user chose to stop.
bool DeleteAsking(SetupRun& run, std::string_view path, InstalledKind kind) {
  const auto& files = run.system.files();
  for (int attempt = 1;; ++attempt) {
    const Status cleared = files.SetAttributes(path, 0);
    const Status deleted = files.DeleteFile(path);
    if (deleted.ok()) {
      run.log.Add("DELETE", {KindName(kind), path});
      return true;
    }
    const std::string detail = cleared.ok() ? deleted.ToString() : cleared.ToString();
    if (attempt >= kMaxDeleteAttempts) {
      run.log.Add("KEEP", {path, "not deleted after " + std::to_string(attempt) + " attempts: " + detail});
      return true;
    }
    const Answer answer = AskAndLog(run, FailedDeleteMessage(path));
    if (answer == Answer::kAbort) {
      if (AskAndLog(run, StopQuestion()) == Answer::kYes) {
        run.log.Add("STOP", {path});
        return false;
      }
    } else if (answer != Answer::kRetry) {
      run.log.Add("KEEP", {path, "ignored: " + detail});
      return true;
    }
  }
}

}  // namespace

bool DeleteInstalledFile(SetupRun& run, std::string_view path, bool recycle, InstalledKind kind) {
  FileEntry entry;
  if (path.empty() || !run.system.files().Stat(path, &entry).ok()) return true;
  if (!platform::target::StaysInDrive(run.system.drives(), path)) {
    run.log.Add("KEEP", {path, "a symbolic link leads out of its drive"});
    return true;
  }
  if (entry.is_folder) {
    run.log.Add("KEEP", {path, "a folder, not a file"});
    return true;
  }
  if (recycle) {
    if (DeleteToRecycleBin(run.system, path, true)) {
      run.log.Add("RECYCLE", {KindName(kind), path});
    } else {
      run.log.Add("KEEP", {path, "could not be moved to the recycle bin"});
    }
  } else if (!DeleteAsking(run, path, kind)) {
    return false;
  }
  RemoveFolderAndEmptyParentsLogged(run, ParentPath(path));
  return true;
}

void RemoveFolderAndEmptyParentsLogged(SetupRun& run, std::string_view folder) {
  const auto& files = run.system.files();
  if (folder.empty()) return;
  if (!platform::target::StaysInDrive(run.system.drives(), folder)) {
    run.log.Add("KEEP", {folder, "a symbolic link leads out of its drive"});
    return;
  }
  // A folder that still holds something stops the climb at once; checked
  // first because it is by far the common case and costs one read.
  if (files.IsFolder(folder) && platform::target::FolderHasEntries(run.system.drives(), folder)) return;
  std::vector<std::string> existing;
  for (std::string current(folder);;) {
    if (files.IsFolder(current)) existing.push_back(current);
    std::string parent = ParentPath(current);
    if (parent == current || parent.empty()) break;
    current = std::move(parent);
  }
  RemoveFolderAndEmptyParents(run.system, folder);
  for (const std::string& removed : existing) {
    if (!files.IsFolder(removed)) run.log.Add("RMDIR", {removed});
  }
}

}  // namespace setup::wizard
