#include "setup/wizard/engine/uninstall_engine.h"

#include <string>

#include "platform/target_system/shell_notify.h"
#include "setup/core/registry_entry.h"
#include "setup/core/registry_utils.h"
#include "setup/wizard/engine/install_run.h"
#include "setup/wizard/engine/installed_file_deletion.h"
#include "setup/wizard/record/record_keys.h"
#include "setup/wizard/record/record_list.h"

namespace setup::wizard {
namespace {

using platform::target::RegistryRoot;

constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;
constexpr RegistryRoot kClasses = RegistryRoot::kClassesRoot;

// The bars of page 13.
enum UninstallStep { kRunStep, kFileStep, kFolderStep, kShortcutStep, kUninstallRegistryStep };

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

// One step of page 13: runs body with the step's bar when the bar has a
// maximum; body returns false to end the uninstallation.
template <typename Body>
bool RunStep(SetupRun& run, const StepMaxima& maxima, UninstallStep step, Body body) {
  if (maxima[step] <= 0) return true;
  StepProgress bar(run.progress, step);
  return body(bar);
}

class UninstallEngine {
 public:
  UninstallEngine(SetupRun& run, std::string_view app_key_name, bool recycle)
      : run_(run), name_(app_key_name), mark_(OwnerMark(app_key_name)), remover_(run, recycle) {}

  bool RunCommand(StepProgress& bar) {
    const std::string command = UnRunCommand(run_, name_);
    const platform::Status started = run_.launcher.RunAndWait(command, run_.progress);
    run_.log.Add("RUN", {command, StartOutcome(started, "waited")});
    run_.progress.BringToFront();
    bar.Advance();
    return true;
  }

  bool DeleteFiles(StepProgress& bar) {
    const RecordList list(run_.system, ListKey(name_, "UnFile"));
    for (std::int32_t n = 1; n <= list.Count(); ++n) {
      const std::string path = list.Text("File", n);
      const bool go_on = list.Integer("Shared", n, 0) == 1 ? ReleaseSharedFile(path)
                                                           : remover_.Delete(path, InstalledKind::kFile);
      if (!go_on) return false;
      bar.Advance();
    }
    return true;
  }

  bool RemoveFolders(StepProgress& bar) {
    const RecordList list(run_.system, ListKey(name_, "UnFolder"));
    for (std::int32_t n = 1; n <= list.Count(); ++n) {
      remover_.RemoveFolderAndEmptyParents(list.Text("Folder", n));
      bar.Advance();
    }
    return true;
  }

  bool DeleteShortcuts(StepProgress& bar) {
    const RecordList list(run_.system, ListKey(name_, "UnLink"));
    for (std::int32_t n = 1; n <= list.Count(); ++n) {
      if (!remover_.Delete(list.Text("Link", n), InstalledKind::kShortcut)) return false;
      bar.Advance();
    }
    return true;
  }

  bool UndoRegistry(StepProgress& bar) {
    UndoRegistryEntries(bar);
    UndoIniEntries(bar);
    RestoreAssociations(bar);
    RemoveRecord();
    bar.Advance();
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
      const auto counted = RegWriteInteger(run_.system, kMachine, kSharedDllsKey, path, count - 1);
      const auto listed = RegWriteString(run_.system, kMachine, kOwnerListKey, path, rest);
      run_.log.Add("SHARED", {path, std::to_string(count - 1),
                              counted.ok() && listed.ok()
                                  ? "count lowered, file kept"
                                  : FailedBecause("count not written", counted.ok() ? listed : counted)});
      return true;
    }
    if (AskAndLog(run_, UnusedSharedFileQuestion(path)) == Answer::kYes) {
      if (!remover_.Delete(path, InstalledKind::kFile)) return false;
      const Status removed = RegDeleteValue(run_.system, kMachine, kSharedDllsKey, path);
      run_.log.Add("SHARED",
                   {path, "-", removed.ok() ? "count removed" : FailedBecause("count not removed", removed)});
    } else {
      const Status kept = RegWriteInteger(run_.system, kMachine, kSharedDllsKey, path, 0);
      run_.log.Add("SHARED",
                   {path, "0", kept.ok() ? "kept as answered" : FailedBecause("count not written", kept)});
    }
    if (const Status unlisted = RegDeleteValue(run_.system, kMachine, kOwnerListKey, path); !unlisted.ok()) {
      run_.log.Add("SHARED", {path, "-", FailedBecause("owner list not removed", unlisted)});
    }
    return true;
  }

  void UndoRegistryEntries(StepProgress& bar) {
    const RecordList list(run_.system, ListKey(name_, "UnRegistry"));
    for (std::int32_t n = 1; n <= list.Count(); ++n) {
      const std::int32_t way = list.Integer("Way", n, 0);
      const std::string key = list.Text("Key", n);
      const std::string value_name = list.Text("Name", n);
      const std::string data = list.Text("Data", n);
      const auto applied =
          ApplyRegistryEntry(run_.system, way, key, value_name, list.Integer("Type", n, 0), data);
      run_.log.Add("REG", {std::to_string(way), key, value_name, data, Outcome(applied)});
      bar.Advance();
    }
  }

  void UndoIniEntries(StepProgress& bar) {
    const RecordList list(run_.system, ListKey(name_, "UnIniFile"));
    for (std::int32_t n = 1; n <= list.Count(); ++n) {
      const std::int32_t way = list.Integer("Way", n, 0);
      const std::string file = list.Text("File", n);
      const std::string section = list.Text("Section", n);
      const std::string key = list.Text("Key", n);
      const std::string value = list.Text("Value", n);
      const auto applied = ApplyIniEntry(run_.system, way, file, section, key, value);
      run_.log.Add("INI", {std::to_string(way), file, section, key, value, Outcome(applied)});
      bar.Advance();
    }
  }

  void RestoreAssociations(StepProgress& bar) {
    const RecordList list(run_.system, ListKey(name_, "UnExtension"));
    int restored = 0;
    for (std::int32_t n = 1; n <= list.Count(); ++n) {
      if (RestoreAssociation(list.Text("Extension", n))) ++restored;
      bar.Advance();
    }
    if (restored > 0) {
      platform::target::NotifyAssociationsChanged();
      run_.log.Add("NOTIFY", {"SHCNE_ASSOCCHANGED"});
    }
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
    Status removed = RegDeleteTree(run_.system, kClasses, extension_key);
    if (removed.ok()) removed = RegDeleteTree(run_.system, kClasses, "kestro-" + ext);
    const std::string backup = RegReadString(run_.system, kClasses, backup_key, "", "");
    if (backup == "null") {
      const Status dropped = RegDeleteTree(run_.system, kClasses, backup_key);
      run_.log.Add("ASSOC", {ext,
                             removed.ok() && dropped.ok()
                                 ? "removed"
                                 : FailedBecause("removed in part", removed.ok() ? dropped : removed),
                             "none before"});
    } else {
      const Status moved = RegMoveKey(run_.system, kClasses, backup_key, extension_key);
      run_.log.Add("ASSOC", {ext,
                             removed.ok() && moved.ok()
                                 ? "restored"
                                 : FailedBecause("restored in part", removed.ok() ? moved : removed),
                             "from backup"});
    }
    return true;
  }

  void RemoveRecord() {
    const std::string system_entry = std::string(kSystemUninstallKey) + "\\" + name_;
    if (const Status removed = RegDeleteTree(run_.system, kMachine, system_entry); removed.ok()) {
      run_.log.Add("RECORD", {"removed", system_entry});
    } else {
      run_.log.Add("RECORD", {FailedBecause("not removed", removed), system_entry});
    }
    const std::string record = RecordKey(name_);
    if (const Status removed = RegDeleteTree(run_.system, kMachine, record); removed.ok()) {
      RegDeleteEmptyKeys(run_.system, kMachine, record);
      run_.log.Add("RECORD", {"removed", record});
    } else {
      run_.log.Add("RECORD", {FailedBecause("not removed", removed), record});
    }
    const std::int32_t chosen = remover_.recycle() ? 1 : 0;
    const Status written = RegWriteInteger(run_.system, kMachine, kSettingKey, "DeleteToDustBox", chosen);
    run_.log.Add("SETTING", {"DeleteToDustBox",
                             written.ok() ? std::to_string(chosen) : FailedBecause("not written", written)});
  }

  SetupRun& run_;
  std::string name_;
  std::string mark_;
  InstalledFileRemover remover_;
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
  maxima[kUninstallRegistryStep] = static_cast<int>(std::min<std::int64_t>(registry, INT32_MAX));
  return maxima;
}

EngineResult RunUninstallEngine(SetupRun& run, std::string_view app_key_name, bool recycle,
                                const StepMaxima& maxima) {
  if (!IsUsableKeyName(app_key_name)) {
    run.log.Add("SKIP", {app_key_name, "no product record by that name"});
    return EngineResult::kAborted;
  }
  UninstallEngine engine(run, app_key_name, recycle);
  run.log.Add("UNINSTALL", {app_key_name, recycle ? "recycle" : "delete"});
  const bool done =
      RunStep(run, maxima, kRunStep, [&](StepProgress& bar) { return engine.RunCommand(bar); }) &&
      RunStep(run, maxima, kFileStep, [&](StepProgress& bar) { return engine.DeleteFiles(bar); }) &&
      RunStep(run, maxima, kFolderStep, [&](StepProgress& bar) { return engine.RemoveFolders(bar); }) &&
      RunStep(run, maxima, kShortcutStep, [&](StepProgress& bar) { return engine.DeleteShortcuts(bar); }) &&
      RunStep(run, maxima, kUninstallRegistryStep,
              [&](StepProgress& bar) { return engine.UndoRegistry(bar); });
  run.progress.Pump();
  run.log.Add(done ? "DONE" : "ABORT", {"uninstall", app_key_name});
  return done ? EngineResult::kCompleted : EngineResult::kAborted;
}

void RunUninstallFinish(SetupRun& run, bool restart_chosen) {
  if (!restart_chosen) return;
  const Message question =
      MakeMessage("設定を有効にするにはWindowsを再起動する必要があります。再起動しますか？",
                  MessageIcon::kQuestion, MessageButtons::kYesNo, Answer::kYes);
  if (AskAndLog(run, question) == Answer::kYes) {
    run.log.Add("RESTART", {"requested"});
    run.launcher.RestartWindows();
  }
}

}  // namespace setup::wizard
