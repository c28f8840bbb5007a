// Step 4 of the install engine, parts 1 to 4: the [Registry] and [IniFile]
// entries, the user-information entries and the file associations.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/target_system/registry_batch.h"
#include "platform/target_system/shell_notify.h"
#include "setup/core/folder_utils.h"
#include "setup/core/path_macros.h"
#include "setup/core/path_text.h"
#include "setup/core/registry_entry.h"
#include "setup/core/registry_utils.h"
#include "setup/wizard/engine/install_run.h"

namespace setup::wizard {
namespace {

using platform::target::RegistryBatch;
using platform::target::RegistryRoot;
using platform::target::RegistryValue;

void ApplyScriptRegistry(InstallRun& install, StepProgress& bar) {
  const ScriptSection list = ScriptSection::Load(install.script, "Registry");
  for (const std::int64_t n : list.ItemNumbers()) {
    const std::int32_t way = list.ReadItemInteger("Way", n);
    const std::string key = list.ReadItem("Key", n);
    const std::string name = list.ReadItem("Name", n);
    const std::string data = list.ReadItem("Data", n);
    const Status applied =
        ApplyRegistryEntry(install.system(), way, key, name, list.ReadItemInteger("Type", n), data);
    install.run.log.Add("REG", {std::to_string(way), key, name, data, Outcome(applied)});
    bar.Advance();
  }
}

void ApplyScriptIni(InstallRun& install, StepProgress& bar) {
  const ScriptSection list = ScriptSection::Load(install.script, "IniFile");
  for (const std::int64_t n : list.ItemNumbers()) {
    const std::int32_t way = list.ReadItemInteger("Way", n);
    const std::string file = install.Expand(list.ReadItem("File", n));
    const std::string section = list.ReadItem("Section", n);
    const std::string key = list.ReadItem("Key", n);
    const std::string value = list.ReadItem("Value", n);
    const Status applied = ApplyIniEntry(install.system(), way, file, section, key, value);
    install.run.log.Add("INI", {std::to_string(way), file, section, key, value, Outcome(applied)});
    bar.Advance();
  }
}

// Characters from to through to of text (1-based, inclusive); empty when
// the range is empty.
std::string Characters(std::string_view text, std::size_t from, std::size_t to) {
  if (to < from) return {};
  return FirstChars(CopyFrom(text, from), to - from + 1);
}

// StoreUserEntry: the Write<k> target is "(Reg)" key path "/" value name "/"
// or "(Ini)" file "/" section "/" key; "<Setup>" in the INI file path is the
// folder typed in Edit501.
void StoreUserEntry(InstallRun& install, const ScriptSection& list, int k) {
  const std::string target = list.ReadItem("Write", k);
  const std::string& text = install.choices.user_entries[static_cast<std::size_t>(k - 1)];
  const std::size_t past_end = CharCount(target) + 1;
  std::size_t a = PosFrom("/", target, 1);
  if (a == 0) a = past_end;
  std::size_t b = PosFrom("/", target, a + 1);
  if (b == 0) b = past_end;
  const std::string kind = FirstChars(target, 5);
  if (kind == "(Reg)") {
    const Status stored = ApplyRegistryEntry(install.system(), 0, Characters(target, 6, a - 1),
                                             Characters(target, a + 1, b - 1), 0, text);
    install.run.log.Add("USERINFO", {std::to_string(k), target, Outcome(stored)});
  } else if (kind == "(Ini)") {
    const std::string file =
        ExpandPathMacro(install.system(), Characters(target, 6, a - 1), install.choices.install_folder_text);
    const Status stored = ApplyIniEntry(install.system(), 0, file, Characters(target, a + 1, b - 1),
                                        CopyFrom(target, b + 1), text);
    install.run.log.Add("USERINFO", {std::to_string(k), target, Outcome(stored)});
  } else {
    install.run.log.Add("USERINFO",
                        {std::to_string(k), target, "not stored: the place is neither (Reg) nor (Ini)"});
  }
}

void StoreUserEntries(InstallRun& install, StepProgress& bar) {
  const ScriptSection list = ScriptSection::Load(install.script, "UserInfomation");
  const std::int32_t count = list.ReadCount();
  for (int k = 1; k <= 3; ++k) {
    if (install.choices.user_entry_visible[static_cast<std::size_t>(k - 1)]) {
      StoreUserEntry(install, list, k);
    }
    if (count >= k) bar.Advance();
  }
}

// The extension key as it was before the first installation that touched
// it, kept once per extension and machine under "kestroBackup-" + ext.
std::string BackUpExtension(InstallRun& install, const std::string& ext) {
  auto& system = install.system();
  const std::string backup = "kestroBackup-" + ext;
  if (RegKeyExists(system, RegistryRoot::kClassesRoot, backup)) return "kept";
  if (RegKeyExists(system, RegistryRoot::kClassesRoot, "." + ext)) {
    const Status moved = RegMoveKey(system, RegistryRoot::kClassesRoot, "." + ext, backup);
    return moved.ok() ? "moved" : FailedBecause("move failed", moved);
  }
  const Status written = RegWriteString(system, RegistryRoot::kClassesRoot, backup, "", "null");
  return written.ok() ? "null" : FailedBecause("null failed", written);
}

// Registers one [Extension] entry; false when it names no extension.
bool Associate(InstallRun& install, const ScriptSection& list, std::int64_t n) {
  const std::string ext = list.ReadItem("Extension", n);
  if (ext.empty()) {
    install.run.log.Add("ASSOC", {"", std::to_string(n), "no extension"});
    return false;
  }
  const std::string command = install.Expand(list.ReadItem("Command", n));
  const std::string description = list.ReadItem("Information", n);
  const std::string icon = GetShortPath(install.Expand(list.ReadItem("Icon", n)));
  const std::int32_t index = list.ReadItemInteger("IconNo", n);
  const std::string backup = BackUpExtension(install, ext);

  const std::string type = "kestro-" + ext;
  RegistryBatch batch;
  const auto root = RegistryRoot::kClassesRoot;
  batch.SetValue(root, type, RegistryValue::String("", description));
  batch.SetValue(root, type + "\\shell\\open\\command",
                 RegistryValue::String("", "\"" + command + "\" \"%1\""));
  if (!icon.empty()) {
    batch.SetValue(root, type + "\\DefaultIcon",
                   RegistryValue::String("", icon + "," + std::to_string(index)));
  }
  batch.SetValue(root, "." + ext, RegistryValue::String("", type));
  batch.SetValue(root, "." + ext, RegistryValue::String("Owner", install.app_key_name));
  const Status written = ApplyTogether(install.system(), batch);
  install.run.log.Add("ASSOC", {ext, command, backup, Outcome(written)});
  return true;
}

void RegisterAssociations(InstallRun& install, StepProgress& bar) {
  if (!install.choices.associate) return;
  const ScriptSection list = ScriptSection::Load(install.script, "Extension");
  bool any = false;
  for (int item : SelectedExtensionItems(install.choices)) {
    if (Associate(install, list, item + 1)) any = true;
    bar.Advance();
  }
  if (any) {
    platform::target::NotifyAssociationsChanged();
    install.run.log.Add("NOTIFY", {"SHCNE_ASSOCCHANGED"});
  }
}

}  // namespace

void ApplyRegistryEntries(InstallRun& install, StepProgress& bar) {
  ApplyScriptRegistry(install, bar);
  ApplyScriptIni(install, bar);
  StoreUserEntries(install, bar);
  RegisterAssociations(install, bar);
}

}  // namespace setup::wizard
