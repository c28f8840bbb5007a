#include "setup/wizard/model/page_checks.h"

#include "setup/core/folder_utils.h"
#include "setup/core/path_text.h"
#include "setup/wizard/engine/install_run.h"
#include "setup/wizard/model/entry_checks.h"

namespace setup::wizard {
namespace {

// Deepest folder chain a check creates and removes again; paths are far
// shorter, this only bounds the walk.
constexpr int kMaxFolderDepth = 256;

}  // namespace

PageChecks::PageChecks(SetupRun& run, const SetupScript& script, const ControlSet& controls,
                       std::optional<Control>& focus)
    : run_(run), script_(script), controls_(controls), focus_(focus) {}

Answer PageChecks::Ask(std::string text, MessageIcon icon, MessageButtons buttons, Answer default_answer) {
  return AskAndLog(run_, MakeMessage(std::move(text), icon, buttons, default_answer));
}

void PageChecks::Refuse(std::string text, Control focus) {
  Ask(std::move(text), MessageIcon::kError);
  focus_ = focus;
}

bool PageChecks::CheckUserEntry(int field) {
  const Control edit = UserEntryEdit(field);
  const ControlState& box = controls_.Get(edit);
  if (!box.visible) return true;
  const std::string name = UserEntryName(controls_.Get(UserEntryLabel(field)).text);
  const std::string entry = box.text;
  if (script_.ReadItem("UserInfomation", "Null", field) == "1" && TrimBlanks(entry).empty()) {
    Refuse(name + "を入力してください。", edit);
    return false;
  }
  if (!UserEntryMatches(entry, script_.ReadItemInteger("UserInfomation", "Size", field),
                        script_.ReadItem("UserInfomation", "Type", field))) {
    Refuse(name + "が不正です。", edit);
    return false;
  }
  return true;
}

bool PageChecks::CheckFolderEntry(std::string_view path, Control edit) {
  const auto& files = run_.system.files();
  if (IsOnRunOnlyDrive(run_.system, path)) {
    run_.log.Add("CHECK", {std::string(path), "the package's own drive is no destination"});
    Refuse(FolderRefusalText(path, controls_.Get(edit).text), edit);
    return false;
  }
  if (files.IsFolder(path)) return true;
  // The topmost folder that does not exist yet: the check removes again
  // exactly what it makes, never an empty folder that was there before.
  const std::string folder = StripTrailing(path, "\\");
  std::string top = folder;
  for (int depth = 0; depth < kMaxFolderDepth; ++depth) {
    const std::string parent = ParentPath(top);
    if (parent.empty() || parent == top || files.Exists(parent)) break;
    top = parent;
  }
  if (const auto made = ForceFolders(run_.system, path); !made.ok()) {
    run_.log.Add("CHECK", {std::string(path), "folder cannot be made", made.ToString()});
  }
  if (files.IsFolder(path)) {
    std::string current = folder;
    for (int depth = 0; depth < kMaxFolderDepth; ++depth) {
      if (!files.RemoveEmptyFolder(current).ok() || current == top) break;
      current = ParentPath(current);
    }
    return true;
  }
  Refuse(FolderRefusalText(path, controls_.Get(edit).text), edit);
  return false;
}

std::optional<std::uint64_t> FreeBytesOfDrive(const TargetSystem& system, std::string_view path) {
  if (path.empty()) return std::nullopt;
  std::uint64_t free_bytes = 0;
  const std::string root = std::string(1, path[0]) + ":\\";
  if (!system.drives().FreeSpace(root, &free_bytes).ok()) return std::nullopt;
  return free_bytes;
}

bool PageChecks::CheckFolderPage() {
  const std::string text = controls_.Get(Control::kEdit501).text;
  if (TrimBlanks(text).empty()) {
    Refuse("フォルダ名を入力してください。", Control::kEdit501);
    return false;
  }
  // A failed query is no reason to warn; a full disk is.
  const std::int64_t need = script_.ReadInstallSize().value_or(0);
  const auto free_bytes = FreeBytesOfDrive(run_.system, text);
  if (free_bytes && need > 0 && static_cast<std::uint64_t>(need) > *free_bytes) {
    if (Ask("空き容量が不足する可能性があります。このフォルダにインストールしますか？\n" + text,
            MessageIcon::kWarning, MessageButtons::kYesNo, Answer::kNo) != Answer::kYes) {
      focus_ = Control::kEdit501;
      return false;
    }
  }
  return CheckFolderEntry(text, Control::kEdit501);
}

bool PageChecks::CheckShortcutPage(std::string_view programs_folder) {
  const std::string text = controls_.Get(Control::kEdit601).text;
  if (TrimBlanks(text).empty()) {
    Refuse("フォルダ名を入力してください。", Control::kEdit601);
    return false;
  }
  return CheckFolderEntry(JoinPath(programs_folder, text), Control::kEdit601);
}

bool PageChecks::CheckFavoritesPage() {
  if (controls_.Get(Control::kCheckBox801).checked) {
    const std::string folder = controls_.Get(Control::kEdit801).text;
    if (TrimBlanks(folder).empty()) {
      Refuse("フォルダ名を入力してください。", Control::kEdit801);
      return false;
    }
    if (!CheckFolderEntry(folder, Control::kEdit801)) return false;
  }
  if (controls_.Get(Control::kCheckBox802).checked) {
    const std::string file = controls_.Get(Control::kEdit802).text;
    if (TrimBlanks(file).empty()) {
      Refuse("ファイル名を入力してください。", Control::kEdit802);
      return false;
    }
    const auto& files = run_.system.files();
    if (!files.Exists(file) || files.IsFolder(file)) {
      Refuse("ファイルが存在しません。\n" + file, Control::kEdit802);
      return false;
    }
  }
  return true;
}

}  // namespace setup::wizard
