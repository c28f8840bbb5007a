#include "setup/wizard/engine/clean_up.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/target_system/link_guard.h"
#include "platform/target_system/name_folding.h"
#include "platform/target_system/windows_path.h"
#include "setup/core/folder_utils.h"
#include "setup/core/path_text.h"
#include "setup/core/recycle_bin.h"
#include "setup/core/registry_utils.h"
#include "setup/wizard/engine/install_run.h"
#include "setup/wizard/engine/installed_file_deletion.h"
#include "setup/wizard/record/record_keys.h"

namespace setup::wizard {
namespace {

using platform::target::RegistryRoot;
using platform::target::WindowsPath;

// A file still held by the installer that is just ending is tried again
// after a short pause; one that stays longer than this is left behind.
constexpr int kRepeatedTries = 40;
constexpr std::chrono::milliseconds kRepeatPause{50};

constexpr std::string_view kPendingFolderValue = "Folder";

enum class Tries { kSingle, kRepeated };

// Whether path names an entry strictly below folder: a listed name such as
// "..\x" or "." must not reach beyond the package folder.
bool LiesBelow(std::string_view folder, std::string_view path) {
  WindowsPath parsed_folder, parsed_path;
  if (!WindowsPath::Parse(folder, &parsed_folder).ok() || !WindowsPath::Parse(path, &parsed_path).ok()) {
    return false;
  }
  const auto& outer = parsed_folder.components();
  const auto& inner = parsed_path.components();
  if (parsed_folder.drive() != parsed_path.drive() || inner.size() <= outer.size()) return false;
  return std::equal(
      outer.begin(), outer.end(), inner.begin(),
      [](const std::string& a, const std::string& b) { return platform::target::NamesEqual(a, b); });
}

class PackageCleaner {
 public:
  PackageCleaner(SetupRun& run, std::string_view folder, bool to_recycle_bin)
      : run_(run), folder_(folder), to_recycle_bin_(to_recycle_bin) {}

  // DeleteSourceFile: while the file exists, delete it (or recycle it); a
  // single try stops after the first attempt, a repeated one waits a moment
  // and tries again, a bounded number of times.
  void DeleteSourceFile(std::string_view name, Tries tries) {
    if (name.empty()) return;
    const std::string path = JoinPath(folder_, name);
    if (!LiesBelow(folder_, path)) {
      run_.log.Add("SKIP", {path, "not inside the package folder"});
      return;
    }
    const auto& files = run_.system.files();
    const int limit = tries == Tries::kRepeated ? kRepeatedTries : 1;
    for (int attempt = 1; files.Exists(path); ++attempt) {
      if (files.IsFolder(path)) {
        run_.log.Add("KEEP", {path, "a folder, not a file"});
        return;
      }
      if (!platform::target::StaysInDrive(run_.system.drives(), path)) {
        run_.log.Add("KEEP", {path, "a symbolic link leads out of its drive"});
        return;
      }
      const bool removed = Remove(path);
      if (tries == Tries::kRepeated) run_.progress.Pump();
      if (!files.Exists(path)) return;
      if (attempt >= limit) {
        run_.log.AddLeftover(
            {path, "not deleted after " + std::to_string(attempt) + " tries: " + last_error_});
        return;
      }
      if (!removed) std::this_thread::sleep_for(kRepeatPause);
    }
  }

  // Removes the package folder and the parents left empty, or remembers it
  // for the next start.
  void RemoveFolder() {
    if (!platform::target::StaysInDrive(run_.system.drives(), folder_)) {
      run_.log.Add("KEEP", {folder_, "a symbolic link leads out of its drive"});
      return;
    }
    if (const Status removed = RemoveEmptyFolderTree(run_.system, folder_); removed.ok()) {
      run_.log.Add("RMDIR", {folder_});
      InstalledFileRemover(run_, false).RemoveFolderAndEmptyParents(folder_);
    } else if (RegWriteString(run_.system, RegistryRoot::kLocalMachine, kUninstallRecordRoot,
                              kPendingFolderValue, folder_)
                   .ok()) {
      run_.log.Add("PENDING", {folder_});
    } else {
      run_.log.AddLeftover({folder_, FailedBecause("not removed and not remembered", removed)});
    }
  }

 private:
  bool Remove(const std::string& path) {
    if (to_recycle_bin_) {
      if (const Status recycled = DeleteToRecycleBin(run_.system, path, true); !recycled.ok()) {
        last_error_ = FailedBecause("the recycle bin refused it", recycled);
        return false;
      }
      run_.log.Add("RECYCLE", {"file", path});
      return true;
    }
    const auto& files = run_.system.files();
    const auto cleared = files.SetAttributes(path, 0);
    const auto deleted = files.DeleteFile(path);
    if (!deleted.ok()) {
      last_error_ = (cleared.ok() ? deleted : cleared).ToString();
      return false;
    }
    run_.log.Add("DELETE", {"file", path});
    return true;
  }

  SetupRun& run_;
  std::string folder_;
  bool to_recycle_bin_;
  std::string last_error_;
};

}  // namespace

void RunCleanUp(SetupRun& run, const SetupScript& script, std::string_view package_folder,
                bool to_recycle_bin) {
  // Everything the deletions need is read first: the script itself is one
  // of the files deleted, and values read after it is gone would be empty.
  std::vector<std::string> listed;
  for (const std::int64_t n : script.ItemNumbers("File", "File"))
    listed.push_back(script.ReadItem("File", "File", n));
  const std::string class_file = script.Read("Define", "ClassFile");
  const std::int32_t autorun = script.ReadInteger("Define", "Autorun", 0);
  const std::string autorun_icon = script.Read("Define", "AutorunIcon");

  run.log.Add("CLEANUP", {package_folder, to_recycle_bin ? "recycle" : "delete"});
  run.progress.Pump();
  PackageCleaner cleaner(run, package_folder, to_recycle_bin);
  for (const std::string& name : listed) cleaner.DeleteSourceFile(name, Tries::kSingle);
  cleaner.DeleteSourceFile("Setup.exe", Tries::kRepeated);
  cleaner.DeleteSourceFile(kScriptFileName, Tries::kRepeated);
  cleaner.DeleteSourceFile(class_file, Tries::kRepeated);
  if (autorun == 1 || autorun == 2) {
    cleaner.DeleteSourceFile("Autorun.inf", Tries::kSingle);
    cleaner.DeleteSourceFile(autorun_icon, Tries::kSingle);
    if (autorun == 2) cleaner.DeleteSourceFile("Autorun.exe", Tries::kSingle);
  }
  run.progress.Pump();
  cleaner.RemoveFolder();
}

void RemovePendingFolder(SetupRun& run) {
  const std::string folder =
      RegReadString(run.system, RegistryRoot::kLocalMachine, kUninstallRecordRoot, kPendingFolderValue, "");
  if (folder.empty()) return;
  InstalledFileRemover(run, false).RemoveFolderAndEmptyParents(folder);
  const Status forgotten =
      RegDeleteValue(run.system, RegistryRoot::kLocalMachine, kUninstallRecordRoot, kPendingFolderValue);
  run.log.Add("PENDING", {folder, forgotten.ok() ? "forgotten" : FailedBecause("not forgotten", forgotten)});
}

}  // namespace setup::wizard
