#include "setup/wizard/uninstall_engine.h"

#include <string>

#include "setup/core/registry_entry.h"
#include "setup/core/registry_utils.h"
#include "setup/wizard/asked_question.h"
#include "setup/wizard/installed_file_deletion.h"
#include "setup/wizard/record_keys.h"
#include "setup/wizard/record_list.h"

namespace setup::wizard {
namespace {

using platform::target::RegistryRoot;

constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;
constexpr RegistryRoot kClasses = RegistryRoot::kClassesRoot;

enum Step { kRunStep, kFileStep, kFolderStep, kShortcutStep, kRegistryStep };

std::string ListKey(std::string_view app_key_name, std::string_view list) {
  return RecordKey(app_key_name) + "\\" + std::string(list);
}

std::string UnRunCommand(SetupRun& run, std::string_view app_key_name) {
  return RegReadString(run.system, kMachine, ListKey(app_key_name, "UnRun"), "Command", "");
}

// A name that would make the record key a parent of other products' records
// (empty, or with an empty component) is never uninstalled: removing its
// "record" would remove theirs.
bool IsUsableKeyName(std::string_view name) {
  return !name.empty() && name.front() != '\\' && name.back() != '\\' &&
         name.find("\\\\") == std::string_view::npos;
}

Message UnusedSharedFileQuestion(std::string_view path) {
  return MakeMessage(
      "以下のファイルは登録上、使用されていません。\n"
      "他の製品で使用している場合、削除すると動作しなくなる可能性があります。\n"
      "削除しますか？\n\n" +
          std::string(path),
      MessageIcon::kQuestion, MessageButtons::kYesNo, Answer::kYes);
}

// One step of page 13: runs body(advance) between the step's start and end
// when its bar has a maximum; body returns false to end the uninstallation.
template <typename Body>
bool RunStep(SetupRun& run, const StepMaxima& maxima, Step step, Body body) {
  if (maxima[step] <= 0) return true;
  run.progress.StepStarted(step);
  const auto advance = [&run, step] {
    run.progress.Advanced(step);
    run.progress.Pump();
  };
  if (!body(advance)) return false;
  run.progress.StepFinished(step);
  return true;
}

class UninstallEngine {
 public:
  UninstallEngine(SetupRun& run, std::string_view app_key_name, bool recycle)
      : run_(run), name_(app_key_name), mark_(OwnerMark(app_key_name)), recycle_(recycle) {}

  template <typename Advance>
  bool RunCommand(Advance advance) {
    const std::string command = UnRunCommand(run_, name_);
    const bool started = run_.launcher.RunAndWait(command, run_.progress);
    run_.log.Add("RUN", {command, started ? "waited" : "not started"});
    advance();
    return true;
  }

  template <typename Advance>
  bool DeleteFiles(Advance advance) {
    const RecordList list(run_.system, ListKey(name_, "UnFile"));
    for (std::int32_t n = 1; n <= list.Count(); ++n) {
      const std::string path = list.Text("File", n);
      const bool go_on = list.Integer("Shared", n, 0) == 1
                             ? ReleaseSharedFile(path)
                             : DeleteInstalledFile(run_, path, recycle_, InstalledKind::kFile);
      if (!go_on) return false;
      advance();
    }
    return true;
  }

  template <typename Advance>
  bool RemoveFolders(Advance advance) {
    const RecordList list(run_.system, ListKey(name_, "UnFolder"));
    for (std::int32_t n = 1; n <= list.Count(); ++n) {
      RemoveFolderAndEmptyParentsLogged(run_, list.Text("Folder", n));
      advance();
    }
    return true;
  }

  template <typename Advance>
  bool DeleteShortcuts(Advance advance) {
    const RecordList list(run_.system, ListKey(name_, "UnLink"));
    for (std::int32_t n = 1; n <= list.Count(); ++n) {
      if (!DeleteInstalledFile(run_, list.Text("Link", n), recycle_, InstalledKind::kShortcut)) {
        return false;
      }
      advance();
    }
    return true;
  }

  template <typename Advance>
  bool UndoRegistry(Advance advance) {
    UndoRegistryEntries(advance);
    UndoIniEntries(advance);
    RestoreAssociations(advance);
    RemoveRecord();
    advance();
    return true;
  }

 private:
  // A shared file: counted down while other products use it; the last user
  // is asked whether to delete it. False when the user chose to stop.
  bool ReleaseSharedFile(const std::string& path) {
    const std::int32_t count = RegReadInteger(run_.system, kMachine, kSharedDllsKey, path, 0);
    const std::string owners = RegReadString(run_.system, kMachine, kOwnerListKey, path, "");
    const std::size_t at = owners.find(mark_);
    if (at == std::string::npos) {
      run_.log.Add("KEEP", {path, "shared file not counted by this product"});
      return true;
    }
    if (count >= 2) {
      std::string rest = owners;
      rest.erase(at, mark_.size());
      const bool counted = RegWriteInteger(run_.system, kMachine, kSharedDllsKey, path, count - 1);
      const bool listed = RegWriteString(run_.system, kMachine, kOwnerListKey, path, rest);
      run_.log.Add("SHARED", {path, std::to_string(count - 1),
                              counted && listed ? "count lowered, file kept" : "count not written"});
      return true;
    }
    if (AskAndLog(run_, UnusedSharedFileQuestion(path)) == Answer::kYes) {
      if (!DeleteInstalledFile(run_, path, recycle_, InstalledKind::kFile)) return false;
      if (RegDeleteValue(run_.system, kMachine, kSharedDllsKey, path)) {
        run_.log.Add("SHARED", {path, "-", "count removed"});
      }
    } else if (RegWriteInteger(run_.system, kMachine, kSharedDllsKey, path, 0)) {
      run_.log.Add("SHARED", {path, "0", "kept as answered"});
    }
    if (!RegDeleteValue(run_.system, kMachine, kOwnerListKey, path)) {
      run_.log.Add("SHARED", {path, "-", "owner list not removed"});
    }
    return true;
  }

  template <typename Advance>
  void UndoRegistryEntries(Advance advance) {
    const RecordList list(run_.system, ListKey(name_, "UnRegistry"));
    for (std::int32_t n = 1; n <= list.Count(); ++n) {
      const std::int32_t way = list.Integer("Way", n, 0);
      const std::string key = list.Text("Key", n);
      const std::string value_name = list.Text("Name", n);
      const std::string data = list.Text("Data", n);
      const bool applied =
          ApplyRegistryEntry(run_.system, way, key, value_name, list.Integer("Type", n, 0), data);
      run_.log.Add("REG", {std::to_string(way), key, value_name, data, applied ? "done" : "not done"});
      advance();
    }
  }

  template <typename Advance>
  void UndoIniEntries(Advance advance) {
    const RecordList list(run_.system, ListKey(name_, "UnIniFile"));
    for (std::int32_t n = 1; n <= list.Count(); ++n) {
      const std::int32_t way = list.Integer("Way", n, 0);
      const std::string file = list.Text("File", n);
      const std::string section = list.Text("Section", n);
      const std::string key = list.Text("Key", n);
      const std::string value = list.Text("Value", n);
      const bool applied = ApplyIniEntry(run_.system, way, file, section, key, value);
      run_.log.Add("INI", {std::to_string(way), file, section, key, value, applied ? "done" : "not done"});
      advance();
    }
  }

  template <typename Advance>
  void RestoreAssociations(Advance advance) {
    const RecordList list(run_.system, ListKey(name_, "UnExtension"));
    int restored = 0;
    for (std::int32_t n = 1; n <= list.Count(); ++n) {
      if (RestoreAssociation(list.Text("Extension", n))) ++restored;
      advance();
    }
    if (restored > 0) run_.log.Add("NOTIFY", {"SHCNE_ASSOCCHANGED"});
  }

  // Gives the extension back what it had before this product took it, when
  // this product still owns it. True when restored.
  bool RestoreAssociation(const std::string& ext) {
    if (ext.empty()) return false;
    const std::string extension_key = "." + ext;
    const std::string owner = RegReadString(run_.system, kClasses, extension_key, "Owner", "");
    if (owner != name_) {
      run_.log.Add("ASSOC", {ext, "left", owner.empty() ? "no owner" : "owned by " + owner});
      return false;
    }
    const std::string backup_key = "kestroBackup-" + ext;
    const bool removed = RegDeleteTree(run_.system, kClasses, extension_key) &&
                         RegDeleteTree(run_.system, kClasses, "kestro-" + ext);
    const std::string backup = RegReadString(run_.system, kClasses, backup_key, "", "");
    if (backup == "null") {
      const bool dropped = RegDeleteTree(run_.system, kClasses, backup_key);
      run_.log.Add("ASSOC", {ext, removed && dropped ? "removed" : "removed in part", "none before"});
    } else {
      const bool moved = RegMoveKey(run_.system, kClasses, backup_key, extension_key);
      run_.log.Add("ASSOC", {ext, removed && moved ? "restored" : "restored in part", "from backup"});
    }
    return true;
  }

  void RemoveRecord() {
    const std::string system_entry = std::string(kSystemUninstallKey) + "\\" + name_;
    if (RegDeleteTree(run_.system, kMachine, system_entry)) {
      run_.log.Add("RECORD", {"removed", system_entry});
    }
    const std::string record = RecordKey(name_);
    if (RegDeleteTree(run_.system, kMachine, record)) {
      RegDeleteEmptyKeys(run_.system, kMachine, record);
      run_.log.Add("RECORD", {"removed", record});
    } else {
      run_.log.Add("RECORD", {"not removed", record});
    }
    const std::int32_t chosen = recycle_ ? 1 : 0;
    if (RegWriteInteger(run_.system, kMachine, kSettingKey, "DeleteToDustBox", chosen)) {
      run_.log.Add("SETTING", {"DeleteToDustBox", std::to_string(chosen)});
    }
  }

  SetupRun& run_;
  std::string name_;
  std::string mark_;
  bool recycle_;
};

}  // namespace

StepMaxima ComputeUninstallMaxima(SetupRun& run, std::string_view app_key_name) {
  StepMaxima maxima{};
  if (!IsUsableKeyName(app_key_name)) return maxima;
  const auto count = [&](std::string_view list) {
    return RecordList(run.system, ListKey(app_key_name, list)).Count();
  };
  maxima[kRunStep] = UnRunCommand(run, app_key_name).empty() ? 0 : 1;
  maxima[kFileStep] = count("UnFile");
  maxima[kFolderStep] = count("UnFolder");
  maxima[kShortcutStep] = count("UnLink");
  const std::int64_t registry =
      std::int64_t{count("UnRegistry")} + count("UnIniFile") + count("UnExtension") + 1;
  maxima[kRegistryStep] = static_cast<int>(std::min<std::int64_t>(registry, INT32_MAX));
  return maxima;
}

EngineResult RunUninstallEngine(SetupRun& run, std::string_view app_key_name, bool recycle,
                                const StepMaxima& maxima) {
  if (!IsUsableKeyName(app_key_name)) {
    run.log.Add("SKIP", {app_key_name, "no product record by that name"});
    return EngineResult::kAborted;
  }
  UninstallEngine engine(run, app_key_name, recycle);
  const bool done =
      RunStep(run, maxima, kRunStep, [&](auto advance) { return engine.RunCommand(advance); }) &&
      RunStep(run, maxima, kFileStep, [&](auto advance) { return engine.DeleteFiles(advance); }) &&
      RunStep(run, maxima, kFolderStep, [&](auto advance) { return engine.RemoveFolders(advance); }) &&
      RunStep(run, maxima, kShortcutStep, [&](auto advance) { return engine.DeleteShortcuts(advance); }) &&
      RunStep(run, maxima, kRegistryStep, [&](auto advance) { return engine.UndoRegistry(advance); });
  run.progress.Pump();
  return done ? EngineResult::kCompleted : EngineResult::kAborted;
}

void RunUninstallFinish(SetupRun& run, bool restart_chosen) {
  if (!restart_chosen) return;
  const Message question = MakeMessage(
      "設定を有効にするにはWindowsを再起動する必要があります。再起動しますか？",
      MessageIcon::kQuestion, MessageButtons::kYesNo, Answer::kYes);
  if (AskAndLog(run, question) == Answer::kYes) {
    run.log.Add("RESTART", {"requested"});
    run.launcher.RestartWindows();
  }
}

}  // namespace setup::wizard
