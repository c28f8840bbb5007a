// Step 4 of the install engine, part 5: the UninstallRecord with its product,
// folder, shortcut and uninstall blocks, the system's uninstall entry and the
// uninstaller copy.

#include "setup/wizard/record/uninstall_record.h"

#include <algorithm>
#include <ctime>
#include <string>

#include "platform/target_system/registry_batch.h"
#include "setup/core/install_paths.h"
#include "setup/core/path_macros.h"
#include "setup/core/path_text.h"
#include "setup/core/registry_utils.h"
#include "setup/core/script_values.h"
#include "setup/wizard/engine/install_run.h"
#include "setup/wizard/record/record_keys.h"
#include "setup/wizard/record/record_list.h"

namespace setup::wizard {
namespace {

using platform::target::RegistryBatch;
using platform::target::RegistryPartSink;
using platform::target::RegistryRoot;
using platform::target::RegistryValue;
using platform::target::Status;
using platform::target::StreamedBatch;

constexpr auto kMachine = RegistryRoot::kLocalMachine;

RegistryValue Text(std::string_view name, std::string_view text) { return RegistryValue::String(name, text); }
RegistryValue Integer(std::string_view name, std::int32_t number) {
  return RegistryValue::Dword(name, static_cast<std::uint32_t>(number));
}

// "yyyy/mm/dd hh:nn:ss" in local time.
std::string LocalDateTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
  return text;
}

void WriteBatch(InstallRun& install, const RegistryBatch& batch, std::string_view key,
                std::string_view block) {
  const Status written = ApplyTogether(install.system(), batch);
  install.run.log.Add("RECORD", {key, block, Outcome(written)});
}

// The product block and, right after it, the machine-wide defaults that the
// next installation of any product proposes.
void WriteProductBlock(InstallRun& install, const std::string& key) {
  const SetupScript& script = install.script;
  const InstallChoices& choices = install.choices;
  RegistryBatch batch;
  auto text = [&](std::string_view name, std::string_view value) {
    batch.SetValue(kMachine, key, Text(name, value));
  };
  auto integer = [&](std::string_view name, std::int32_t value) {
    batch.SetValue(kMachine, key, Integer(name, value));
  };
  text("DateTime", LocalDateTime());
  for (std::string_view name : {"Application", "Name", "Version", "Copyright", "Class", "ClassView",
                                "ClassFile", "Kind", "KindView"}) {
    text(name, script.Read("Define", name));
  }
  for (std::string_view name : {"UseSetup", "MakeType", "MakeWay", "Autorun"}) {
    integer(name, script.ReadInteger("Define", name));
  }
  text("AutorunIcon", script.Read("Define", "AutorunIcon"));
  text("ViewName", script.Read("Uninstall", "ViewName"));
  text("OSCheck", script.Read("Define", "OSCheck"));
  text("CDCheck", script.Read("Define", "CDCheck"));
  for (int k = 1; k <= 3; ++k) {
    text("UserInfomation" + std::to_string(k), choices.user_entries[static_cast<std::size_t>(k - 1)]);
  }
  const std::int32_t over_to_dust_box = choices.recycle_before_overwrite ? 1 : 0;
  integer("OverToDustBox", over_to_dust_box);
  batch.SetValue(kMachine, kSettingKey, Integer("OverToDustBox", over_to_dust_box));
  batch.SetValue(kMachine, kSettingKey, Integer("StartUser", choices.all_users ? 0 : 1));
  WriteBatch(install, batch, key, "product");
}

// The text lines of [UnOutline] keep their numbers (an empty line between
// two is a line), up to the most a memo shows.
std::int64_t TextLinesPresent(const ScriptSection& list) {
  return std::min<std::int64_t>({list.ReadCount(), list.HighestItemNumber(), SetupScript::kMaxTextLines});
}

// The lists that uninstallation works through, and the [UnRun] values.
void AddUninstallLists(InstallRun& install, const std::string& key, StreamedBatch& batch) {
  {
    const ScriptSection section = ScriptSection::Load(install.script, "UnOutline");
    RecordListWriter list(batch, key + "\\UnOutline");
    const std::int64_t count = TextLinesPresent(section);
    for (std::int64_t n = 1; n <= count; ++n) list.Text("Text", n, section.ReadItem("Text", n));
    list.Count(count);
  }
  {
    const ScriptSection section = ScriptSection::Load(install.script, "UnFile");
    RecordListWriter list(batch, key + "\\UnFile");
    std::int64_t written = 0;
    for (const std::int64_t n : section.ItemNumbers()) {
      const std::string file = section.ReadItem("File", n);
      if (install.cd_rom_run && IsSetupFolderEntry(file)) continue;
      ++written;
      list.Text("File", written, install.Expand(file));
      list.Integer("Shared", written, section.ReadItemInteger("Shared", n));
    }
    list.Count(written);
  }
  {
    const ScriptSection section = ScriptSection::Load(install.script, "UnFolder");
    RecordListWriter list(batch, key + "\\UnFolder");
    std::int64_t written = 0;
    for (const std::int64_t n : section.ItemNumbers()) {
      const std::string folder = section.ReadItem("Folder", n);
      if (install.cd_rom_run && IsSetupFolderEntry(folder)) continue;
      list.Text("Folder", ++written, install.Expand(folder));
    }
    list.Count(written);
  }
  {
    const ScriptSection section = ScriptSection::Load(install.script, "UnLink");
    RecordListWriter list(batch, key + "\\UnLink");
    std::int64_t count = 0;
    for (const std::int64_t n : section.ItemNumbers()) {
      list.Text("Link", ++count,
                ExpandShortcutMacro(install.system(), section.ReadItem("Link", n),
                                    install.choices.start_menu_folder, install.choices.all_users));
    }
    list.Count(count);
  }
  {
    const ScriptSection section = ScriptSection::Load(install.script, "UnRegistry");
    RecordListWriter list(batch, key + "\\UnRegistry");
    std::int64_t count = 0;
    for (const std::int64_t n : section.ItemNumbers()) {
      ++count;
      list.Integer("Way", count, section.ReadItemInteger("Way", n));
      list.Text("Key", count, section.ReadItem("Key", n));
      list.Text("Name", count, section.ReadItem("Name", n));
      list.Text("Data", count, section.ReadItem("Data", n));
      list.Integer("Type", count, section.ReadItemInteger("Type", n));
    }
    list.Count(count);
  }
  {
    const ScriptSection section = ScriptSection::Load(install.script, "UnIniFile");
    RecordListWriter list(batch, key + "\\UnIniFile");
    std::int64_t count = 0;
    for (const std::int64_t n : section.ItemNumbers()) {
      ++count;
      list.Integer("Way", count, section.ReadItemInteger("Way", n));
      list.Text("File", count, install.Expand(section.ReadItem("File", n)));
      list.Text("Section", count, section.ReadItem("Section", n));
      list.Text("Key", count, section.ReadItem("Key", n));
      list.Text("Value", count, section.ReadItem("Value", n));
    }
    list.Count(count);
  }
  {
    const ScriptSection section = ScriptSection::Load(install.script, "UnExtension");
    RecordListWriter list(batch, key + "\\UnExtension");
    std::int64_t count = 0;
    for (const std::int64_t n : section.ItemNumbers())
      list.Text("Extension", ++count, section.ReadItem("Extension", n));
    list.Count(count);
  }
  const ScriptSection un_run = ScriptSection::Load(install.script, "UnRun");
  const std::string run_key = key + "\\UnRun";
  batch.SetValue(
      kMachine, run_key,
      Text("Command", ExpandMacrosInText(install.system(), un_run.Read("Command"), install.install_folder)));
  for (std::string_view name : {"ReStart", "Check", "Force"}) {
    batch.SetValue(kMachine, run_key, Integer(name, un_run.ReadInteger(name)));
  }
}

void WriteUninstallBlock(InstallRun& install, const std::string& key) {
  const std::string uninstaller = EnsureUninstaller(install.run);
  {
    RegistryBatch entry;
    const std::string entry_key = std::string(kSystemUninstallKey) + "\\" + install.app_key_name;
    entry.SetValue(kMachine, entry_key, Text("DisplayName", install.script.Read("Uninstall", "ViewName")));
    entry.SetValue(kMachine, entry_key,
                   Text("UninstallString", UninstallCommand(uninstaller, install.app_key_name)));
    WriteBatch(install, entry, entry_key, "uninstall entry");
  }
  // A list of a hundred thousand files is written in parts, never held
  // whole, and still as one change: all lists or none.
  const Status written = install.system().registry().ApplyInParts([&](const RegistryPartSink& sink) {
    StreamedBatch lists(sink);
    AddUninstallLists(install, key, lists);
    return lists.Finish();
  });
  install.run.log.Add("RECORD", {key, "uninstall lists", Outcome(written)});
}

}  // namespace

std::string UninstallCommand(std::string_view uninstaller_path, std::string_view app_key_name) {
  return std::string(uninstaller_path) + " /u \"" + std::string(app_key_name) + "\"";
}

std::string EnsureUninstaller(SetupRun& run) {
  auto& system = run.system;
  const auto& files = system.files();
  const std::string path = JoinPath(GetWindowsFolder(system), kUninstallerName);
  const std::int32_t version = RegReadInteger(system, kMachine, kUninstallRecordRoot, kUninstallerName, 0);
  if (files.Exists(path) && version >= kUninstallerVersion) {
    run.log.Add("UNINSTALLER", {path, "kept"});
    return path;
  }
  // A read-only copy of an older version must be replaceable.
  if (files.Exists(path)) {
    if (const auto cleared = files.SetAttributes(path, 0); !cleared.ok()) {
      run.log.Add("ATTRIB", {path, "0", cleared.ToString()});
    }
  }
  const auto copied = files.CopyFromHost(run.program_host_path, path);
  if (!copied.ok()) {
    run.log.Add("UNINSTALLER", {path, copied.ToString()});
    return path;
  }
  const auto read_only = files.SetAttributes(path, platform::target::kFileReadOnly);
  const Status recorded =
      RegWriteInteger(system, kMachine, kUninstallRecordRoot, kUninstallerName, kUninstallerVersion);
  run.log.Add("UNINSTALLER", {path, read_only.ok() && recorded.ok()
                                        ? "copied"
                                        : FailedBecause("copied, not all recorded",
                                                        read_only.ok() ? recorded : Status(read_only))});
  return path;
}

void WriteUninstallRecord(InstallRun& install, StepProgress& bar) {
  const ScriptSection install_section = ScriptSection::Load(install.script, "Install");
  const std::int32_t save = install_section.ReadInteger("Save", 1);
  const std::int32_t link_save = ScriptSection::Load(install.script, "Link").ReadInteger("Save", 1);
  const std::int32_t use = ScriptSection::Load(install.script, "Uninstall").ReadInteger("Use", 0);
  if (save != 1 && link_save != 1 && use != 1) {
    install.run.log.Add("RECORD", {"", "none", "not asked for"});
    return;
  }
  const std::string key = RecordKey(install.app_key_name);
  WriteProductBlock(install, key);

  if (save == 1) {
    RegistryBatch batch;
    if (install.choices.install_to_folder) {
      batch.SetValue(kMachine, key, Text("SetupPath", install.install_folder));
    }
    batch.SetValue(kMachine, key, Integer("SetupWay", install.cd_rom_run ? 1 : 0));
    WriteBatch(install, batch, key, "folder");
    bar.Advance();
  }
  if (link_save == 1) {
    RegistryBatch batch;
    batch.SetValue(kMachine, key, Integer("StartUser", install.choices.all_users ? 0 : 1));
    batch.SetValue(kMachine, key, Text("StartPath", install.choices.start_menu_folder));
    WriteBatch(install, batch, key, "shortcut");
    bar.Advance();
  }
  if (use == 1) {
    WriteUninstallBlock(install, key);
    bar.Advance();
  }
}

}  // namespace setup::wizard
