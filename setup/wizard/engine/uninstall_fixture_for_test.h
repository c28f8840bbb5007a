#pragma once

// Pieces the uninstall tests and benchmark build an installed product from,
// directly in a target system's files and registry, laid out as the
// installer records them.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/target_system/target_system.h"
#include "setup/core/path_text.h"
#include "setup/core/registry_utils.h"
#include "setup/wizard/action_log.h"
#include "setup/wizard/engine_progress.h"
#include "setup/wizard/program_launcher.h"
#include "setup/wizard/prompter.h"
#include "setup/wizard/record/record_keys.h"
#include "setup/wizard/record/record_list.h"
#include "setup/wizard/setup_run.h"
#include "setup/wizard/test_fakes.h"

namespace setup::wizard::testing {

using platform::target::RegistryRoot;
using platform::target::TargetSystem;

// Always gives the same answer, as a user who keeps pressing one button.
class FixedPrompter : public Prompter {
 public:
  explicit FixedPrompter(Answer answer) : answer_(answer) {}
  int count = 0;
  Answer Ask(const Message&) override {
    ++count;
    return answer_;
  }

 private:
  Answer answer_;
};

// A SetupRun over the system with a scripted prompter (or the one given).
struct RunHarness {
  explicit RunHarness(TargetSystem& system, Prompter* answering = nullptr)
      : run{system, answering ? *answering : prompter, log, launcher, progress, {}, {}, {}} {}
  ScriptedPrompter prompter;
  ActionLog log;
  RecordingLauncher launcher;
  CountingProgress progress;
  SetupRun run;
};

inline void Check(bool done, std::string_view what) {
  if (!done) throw std::runtime_error("cannot prepare " + std::string(what));
}
inline void Check(const platform::Status& done, std::string_view what) {
  if (!done.ok()) throw std::runtime_error("cannot prepare " + std::string(what) + ": " + done.ToString());
}

inline void MakeFile(TargetSystem& system, const std::string& path, std::string_view data = "data") {
  Check(system.files().CreateFolderTree(ParentPath(path)).ok(), path);
  Check(system.files().WriteFile(path, data).ok(), path);
}

// Writes the record of one product: the product block's name, the system's
// uninstall entry and the lists, items numbered from 1.
class RecordWriter {
 public:
  RecordWriter(TargetSystem& system, std::string name) : system_(system), name_(std::move(name)) {
    Check(RegWriteString(system_, kMachine, RecordKey(name_), "Name", name_ + " product"), "record");
    const std::string entry = std::string(kSystemUninstallKey) + "\\" + name_;
    Check(RegWriteString(system_, kMachine, entry, "DisplayName", name_), "uninstall entry");
    Check(RegWriteString(system_, kMachine, entry, "UninstallString",
                         "C:\\WINDOWS\\kestro.exe /u \"" + name_ + "\""),
          "uninstall entry");
    Check(RegWriteInteger(system_, kMachine, kUninstallRecordRoot, "kestro.exe", kUninstallerVersion),
          "uninstaller version");
  }

  void File(const std::string& path, int shared = 0) {
    const int n = Next("UnFile");
    Text("UnFile", "File", n, path);
    Integer("UnFile", "Shared", n, shared);
  }
  void Folder(const std::string& path) { Text("UnFolder", "Folder", Next("UnFolder"), path); }
  void Link(const std::string& path) { Text("UnLink", "Link", Next("UnLink"), path); }
  void Registry(int way, const std::string& key, const std::string& value_name, const std::string& data,
                int type = 0) {
    const int n = Next("UnRegistry");
    Integer("UnRegistry", "Way", n, way);
    Text("UnRegistry", "Key", n, key);
    Text("UnRegistry", "Name", n, value_name);
    Text("UnRegistry", "Data", n, data);
    Integer("UnRegistry", "Type", n, type);
  }
  void Ini(int way, const std::string& file, const std::string& section, const std::string& key,
           const std::string& value) {
    const int n = Next("UnIniFile");
    Integer("UnIniFile", "Way", n, way);
    Text("UnIniFile", "File", n, file);
    Text("UnIniFile", "Section", n, section);
    Text("UnIniFile", "Key", n, key);
    Text("UnIniFile", "Value", n, value);
  }
  void Extension(const std::string& ext) { Text("UnExtension", "Extension", Next("UnExtension"), ext); }
  void UnRun(const std::string& command, int restart = 0, int check = 0, int force = 0) {
    const std::string key = RecordKey(name_) + "\\UnRun";
    Check(RegWriteString(system_, kMachine, key, "Command", command), "UnRun");
    Check(RegWriteInteger(system_, kMachine, key, "ReStart", restart), "UnRun");
    Check(RegWriteInteger(system_, kMachine, key, "Check", check), "UnRun");
    Check(RegWriteInteger(system_, kMachine, key, "Force", force), "UnRun");
  }
  // Sets a list's Count directly (a damaged record).
  void SetCount(const std::string& list, int count) {
    Check(RegWriteInteger(system_, kMachine, RecordKey(name_) + "\\" + list, kListCountName, count), list);
  }

 private:
  static constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;

  int Next(const std::string& list) {
    const int n = RegReadInteger(system_, kMachine, RecordKey(name_) + "\\" + list, kListCountName, 0) + 1;
    SetCount(list, n);
    return n;
  }
  void Text(const std::string& list, const std::string& field, int n, const std::string& text) {
    Check(RegWriteString(system_, kMachine, RecordKey(name_) + "\\" + list, ListItemName(field, n), text),
          list);
  }
  void Integer(const std::string& list, const std::string& field, int n, int number) {
    Check(RegWriteInteger(system_, kMachine, RecordKey(name_) + "\\" + list, ListItemName(field, n), number),
          list);
  }

  TargetSystem& system_;
  std::string name_;
};

// What the installer does for a shared file: makes it and, once per
// product, raises its count and appends the product's owner mark.
inline void InstallSharedFile(TargetSystem& system, const std::string& path, const std::string& name) {
  constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;
  if (!system.files().Exists(path)) MakeFile(system, path);
  const int count = RegReadInteger(system, kMachine, kSharedDllsKey, path, 0);
  const std::string owners = RegReadString(system, kMachine, kOwnerListKey, path, "");
  if (owners.find(OwnerMark(name)) != std::string::npos) return;
  Check(RegWriteInteger(system, kMachine, kSharedDllsKey, path, count + 1), "shared count");
  Check(RegWriteString(system, kMachine, kOwnerListKey, path, owners + OwnerMark(name)), "owner list");
}

// What the installer does for an association: the first backup per
// extension, then the file type and the extension pointing at it.
inline void Associate(TargetSystem& system, const std::string& ext, const std::string& name) {
  constexpr RegistryRoot kClasses = RegistryRoot::kClassesRoot;
  const std::string backup = "kestroBackup-" + ext;
  if (!RegKeyExists(system, kClasses, backup)) {
    if (RegKeyExists(system, kClasses, "." + ext)) {
      Check(RegMoveKey(system, kClasses, "." + ext, backup), "backup");
    } else {
      Check(RegWriteString(system, kClasses, backup, "", "null"), "backup");
    }
  }
  Check(RegWriteString(system, kClasses, "kestro-" + ext, "", name + " file"), "type");
  Check(RegWriteString(system, kClasses, "kestro-" + ext + "\\shell\\open\\command", "",
                       "\"C:\\App\\" + name + ".exe\" \"%1\""),
        "command");
  Check(RegWriteString(system, kClasses, "." + ext, "", "kestro-" + ext), "extension");
  Check(RegWriteString(system, kClasses, "." + ext, "Owner", name), "owner");
}

// A file that cannot be deleted on this machine, made so for the test's
// life: immutable when the file system allows it (the tests may run as
// root), else in a read-only folder.
class Undeletable {
 public:
  explicit Undeletable(const std::filesystem::path& file) : file_(file) {
    const int fd = ::open(file.c_str(), O_RDONLY);
    int flags = 0;
    if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      flags |= FS_IMMUTABLE_FL;
      immutable_ = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    if (fd >= 0) ::close(fd);
    if (!immutable_)
      std::filesystem::permissions(file.parent_path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::remove);
  }
  ~Undeletable() {
    const int fd = ::open(file_.c_str(), O_RDONLY);
    int flags = 0;
    if (immutable_ && fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      flags &= ~FS_IMMUTABLE_FL;
      ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    if (fd >= 0) ::close(fd);
    std::filesystem::permissions(file_.parent_path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);
  }
  bool works() const { return ::unlink(file_.c_str()) != 0; }

 private:
  std::filesystem::path file_;
  bool immutable_ = false;
};

}  // namespace setup::wizard::testing
