// Step 2 of the install engine: the [Folder] list, each folder made with its
// Abort/Retry/Ignore question while it does not exist.

#include <string>

#include "setup/core/folder_utils.h"
#include "setup/wizard/engine/install_run.h"

namespace setup::wizard {
namespace {

// ForceFolders, then the question while the folder is missing; false when
// the user aborts.
bool MakeFolder(InstallRun& install, const std::string& folder) {
  auto& system = install.system();
  while (true) {
    const auto made = ForceFolders(system, folder);
    if (system.files().IsFolder(folder)) {
      install.run.log.Add("FOLDER", {folder, "ok"});
      return true;
    }
    install.run.log.Add("FOLDER", {folder, made.ok() ? "missing" : made.ToString()});
    const Answer answer =
        AskAndLog(install.run, MakeMessage("フォルダ作成に失敗しました。\n" + folder, MessageIcon::kError,
                                           MessageButtons::kAbortRetryIgnore, Answer::kRetry));
    if (answer == Answer::kAbort) return false;
    if (answer == Answer::kIgnore) return true;
  }
}

}  // namespace

EngineResult MakeFolders(InstallRun& install) {
  StepProgress bar(install.run.progress, kFoldersStep);
  const ScriptSection list = ScriptSection::Load(install.script, "Folder");
  const std::int32_t count = list.ReadCount();
  for (std::int64_t n = 1; n <= count; ++n) {
    const std::string entry = list.ReadItem("Folder", n);
    if (install.cd_rom_run && IsSetupFolderEntry(entry)) {
      install.run.log.Add("SKIP", {entry, "CD-ROM run"});
      continue;
    }
    const std::string folder = install.Expand(entry);
    const std::int32_t attrs = list.ReadItemInteger("Attrs", n);
    if (!MakeFolder(install, folder)) {
      install.run.log.Add("ABORT", {"install", "folder", std::to_string(n)});
      return EngineResult::kAborted;
    }
    // Folders keep their host permissions; the attributes are set for the
    // record of what was asked.
    if (const auto set = install.system().files().SetAttributes(folder, static_cast<std::uint32_t>(attrs));
        !set.ok()) {
      install.run.log.Add("ATTRIB", {folder, std::to_string(attrs), set.ToString()});
    }
    bar.Advance();
  }
  return EngineResult::kCompleted;
}

}  // namespace setup::wizard
