#include "setup/wizard/model/wizard_model.h"

#include <algorithm>
#include <functional>
#include <limits>

#include "setup/core/folder_utils.h"
#include "setup/core/install_paths.h"
#include "setup/core/path_text.h"
#include "setup/wizard/model/byte_size.h"
#include "setup/wizard/model/entry_checks.h"
#include "setup/wizard/engine/install_run.h"
#include "setup/wizard/record/record_keys.h"
#include "setup/wizard/model/start_checks.h"
#include "setup/wizard/model/wizard_pages.h"

namespace setup::wizard {
namespace {

// Deepest folder chain a check creates and removes again; paths are far
// shorter, this only bounds the walk.
constexpr int kMaxFolderDepth = 256;

std::string Numbered(std::string_view prefix, int number) {
  return std::string(prefix) + std::to_string(number);
}

}  // namespace

WizardStart WizardStart::Setup(SetupScript script) {
  WizardStart start;
  start.mode = WizardMode::kSetup;
  start.script = std::move(script);
  return start;
}

WizardStart WizardStart::Uninstall(std::string app_key_name) {
  WizardStart start;
  start.mode = WizardMode::kUninstall;
  start.app_key_name = std::move(app_key_name);
  return start;
}

WizardStart WizardStart::CleanUp(std::string package_folder, SetupScript script) {
  WizardStart start;
  start.mode = WizardMode::kCleanUp;
  start.package_folder = std::move(package_folder);
  start.script = std::move(script);
  return start;
}

WizardModel::WizardModel(SetupRun& run, WizardStart start, WizardEngines& engines,
                         const TextMeasure* measure)
    : run_(run),
      mode_(start.mode),
      script_(std::move(start.script)),
      app_key_name_(std::move(start.app_key_name)),
      package_folder_(std::move(start.package_folder)),
      engines_(engines),
      measure_(measure) {
  if (mode_ != WizardMode::kUninstall) app_key_name_ = script_.ApplicationKeyName();
  tag_ = mode_ == WizardMode::kCleanUp ? kCleanUpState : kFirstPage;
}

void WizardModel::StartAction() { focus_.clear(); }

Answer WizardModel::Ask(std::string text, MessageIcon icon, MessageButtons buttons,
                        Answer default_answer) {
  const Message message = MakeMessage(std::move(text), icon, buttons, default_answer);
  return AskAndLog(run_, message);
}

void WizardModel::Refuse(std::string text, std::string_view focus) {
  Ask(std::move(text), MessageIcon::kError);
  focus_ = std::string(focus);
}

std::string WizardModel::RecordKeyOfProduct() const { return RecordKey(app_key_name_); }

std::string WizardModel::ProgramsFolder(bool all_users) {
  return all_users ? GetDefaultShellFolder(run_.system, "Programs", kAllUsers)
                   : GetShellFolder(run_.system, "Programs");
}

// ---------------------------------------------------------------- pages

bool WizardModel::PageOn(int page) const { return IsPageOn(page_mask_, page); }

void WizardModel::HidePage(int page) { controls_[PanelName(page)].visible = false; }

void WizardModel::ShowPage(int page) {
  controls_[PanelName(page)].visible = true;
  caption_ = std::string(PageCaption(page));
  ControlState& back = controls_["Button1"];
  ControlState& next = controls_["Button2"];
  ControlState& cancel = controls_["Button3"];
  if (page >= 2 && page <= 9) {
    back.enabled = page != 2;
    next.enabled = true;
    cancel.enabled = true;
    next.text = page == 3 ? "はい(&Y)" : page == 9 ? "開始(&S) >" : "次へ(&N) >";
    cancel.text = page == 3 ? "いいえ(&N)" : "キャンセル";
  } else if (page == kInstallPage) {
    back.enabled = next.enabled = cancel.enabled = false;
  } else if (page == kInstallDonePage || page == kUninstallDonePage) {
    next.text = "終了(&E)";
    next.enabled = true;
  } else if (page == kUninstallPage) {
    next.enabled = cancel.enabled = false;
  }
}

void WizardModel::Button1Click() {
  const ControlState& back = controls_.Get("Button1");
  if (busy_ || !back.enabled || !back.visible || tag_ <= kFirstPage || tag_ > 9) return;
  StartAction();
  HidePage(tag_);
  tag_ = PreviousPage(page_mask_, tag_);
  ShowPage(tag_);
}

void WizardModel::Button2Click() {
  const ControlState& next = controls_.Get("Button2");
  if (busy_ || closed_ || !next.enabled || tag_ < kFirstPage) return;
  StartAction();
  if (!LeavePage()) return;
  if (tag_ == kInstallDonePage) {
    engines_.FinishInstall(Choices());
    tag_ = kEndedState;
    RequestClose();
    return;
  }
  if (tag_ == kUninstallDonePage) {
    const ControlState& restart = controls_.Get("CheckBox1401");
    engines_.FinishUninstall(restart.visible && restart.checked);
    RequestClose();
    return;
  }
  HidePage(tag_);
  tag_ = NextPage(page_mask_, tag_);
  ShowPage(tag_);
  if (tag_ == kInstallPage) RunInstall();
  if (tag_ == kUninstallPage) RunUninstall();
}

bool WizardModel::LeavePage() {
  switch (tag_) {
    case 4:
      for (int field = 1; field <= 3; ++field) {
        if (!CheckUserEntry(field)) return false;
      }
      return true;
    case 5:
      return !controls_.Get("RadioButton501").checked || CheckFolderPage();
    case 6:
      return !controls_.Get("Edit601").enabled || CheckShortcutPage();
    case 8:
      return CheckFavoritesPage();
    case 9: {
      install_maxima_ = engines_.InstallMaxima(Choices());
      ShowMaxima(install_maxima_, 1001, 1003);
      return true;
    }
    default:
      return true;
  }
}

void WizardModel::ShowMaxima(const StepMaxima& maxima, int first_bar, int first_label) {
  for (int step = 0; step < 5; ++step) {
    controls_[Numbered("ProgressBar", first_bar + step)].maximum = maxima[step];
    controls_[Numbered("Label", first_label + step)].enabled = maxima[step] > 0;
  }
}

void WizardModel::RunEngine(int done_page, int aborted_state,
                            const std::function<EngineResult()>& engine) {
  close_command_enabled_ = false;
  busy_ = true;
  const EngineResult result = engine();
  busy_ = false;
  if (result == EngineResult::kAborted) {
    tag_ = aborted_state;
    RequestClose();
    return;
  }
  HidePage(tag_);
  tag_ = done_page;
  ShowPage(tag_);
  // The Close command was taken away only while the engine ran.
  close_command_enabled_ = true;
  if (close_after_engine_) RequestClose();
}

void WizardModel::RunInstall() {
  RunEngine(kInstallDonePage, kEndedState,
            [this] { return engines_.Install(Choices(), install_maxima_); });
}

void WizardModel::RunUninstall() {
  uninstall_maxima_ = engines_.UninstallMaxima(app_key_name_);
  ShowMaxima(uninstall_maxima_, 1301, 1304);
  // An abort leaves the rest of the record, so the uninstallation can run
  // again.
  RunEngine(kUninstallDonePage, kCleanUpState, [this] {
    return engines_.Uninstall(app_key_name_, controls_.Get("CheckBox1201").checked,
                              uninstall_maxima_);
  });
}

// ---------------------------------------------------------------- closing

void WizardModel::Button3Click() {
  const ControlState& cancel = controls_.Get("Button3");
  if (busy_ || !cancel.enabled || !cancel.visible) return;
  StartAction();
  RequestClose();
}

bool WizardModel::FormKeyPress(char32_t key) {
  if (key != 27 || tag_ <= 0) return false;
  if (busy_) close_after_engine_ = true;
  RequestClose();
  return true;
}

bool WizardModel::FormCloseQuery() {
  close_requested_ = false;
  if (busy_) {
    // The engine runs to its end; the wizard closes right after it.
    close_after_engine_ = true;
    return false;
  }
  if (closed_) return true;
  if (tag_ >= kFirstPage && tag_ <= kInstallPage) {
    if (Ask("インストールを中止してもよろしいですか？", MessageIcon::kQuestion, MessageButtons::kYesNo,
            Answer::kNo) != Answer::kYes) {
      return false;
    }
    tag_ = kEndedState;
  } else if (tag_ == kUninstallStartPage || tag_ == kUninstallPage) {
    if (Ask("アンインストールを中止してもよろしいですか？", MessageIcon::kQuestion,
            MessageButtons::kYesNo, Answer::kNo) != Answer::kYes) {
      return false;
    }
  }
  if (tag_ == kEndedState && !run_.arguments.empty() && AsciiLower(run_.arguments[0]) == "/d" &&
      script_.Read("Define", "MakeWay") == "2") {
    const std::string uninstaller = engines_.EnsureUninstaller();
    const std::string folder = StripTrailing(run_.source_folder, "\\");
    if (const platform::Status started = run_.launcher.Start(uninstaller, "/d \"" + folder + "\"");
        !started.ok()) {
      run_.log.Add("SKIP", {uninstaller, "clean-up not started: " + started.message()});
    }
  }
  closed_ = true;
  return true;
}

void WizardModel::CleanUp(bool to_recycle_bin) {
  if (mode_ != WizardMode::kCleanUp || busy_ || closed_) return;
  caption_ = "削除中...";
  window_enabled_ = false;
  busy_ = true;
  engines_.CleanUp(package_folder_, to_recycle_bin);
  busy_ = false;
  RequestClose();
}

void WizardModel::Button4Click() { CleanUp(false); }

void WizardModel::Button5Click() {
  if (mode_ != WizardMode::kCleanUp || busy_) return;
  RequestClose();
}

void WizardModel::Button6Click() { CleanUp(true); }

// ---------------------------------------------------------------- start checks

void WizardModel::Timer1Timer() {
  if (!timer_armed_) return;
  timer_armed_ = false;
  const std::string cd_check = script_.Read("Define", "CDCheck");
  if (!PassesCdCheck(cd_check, run_.system.drives().TypeOf(run_.source_folder))) {
    Ask("この製品はCD-ROM以外からインストールできません。", MessageIcon::kError);
    tag_ = kEndedState;
    RequestClose();
    return;
  }
  const std::string os_check = script_.Read("Define", "OSCheck");
  if (!OsCheckApplies(os_check) || OsAllowed(os_check, GetOsKind(run_.system))) return;
  if (os_check[0] == '1') {
    if (Ask(OsCheckText(os_check), MessageIcon::kError, MessageButtons::kYesNo, Answer::kYes) ==
        Answer::kYes) {
      return;
    }
  } else {
    Ask(OsCheckText(os_check), MessageIcon::kError);
  }
  tag_ = kEndedState;
  RequestClose();
}

// ---------------------------------------------------------------- checks

bool WizardModel::CheckUserEntry(int field) {
  const std::string edit = Numbered("Edit40", field);
  const ControlState& box = controls_.Get(edit);
  if (!box.visible) return true;
  const std::string name = UserEntryName(controls_.Get(Numbered("Label40", field + 1)).text);
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

bool WizardModel::CheckFolderEntry(std::string_view path, std::string_view edit) {
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

namespace {

// Free bytes of the drive whose letter begins the path; nullopt when the
// query fails (no drive letter, an unknown drive, the host refuses).
std::optional<std::uint64_t> FreeBytesOfDrive(const TargetSystem& system, std::string_view path) {
  if (path.empty()) return std::nullopt;
  std::uint64_t free_bytes = 0;
  const std::string root = std::string(1, path[0]) + ":\\";
  if (!system.drives().FreeSpace(root, &free_bytes).ok()) return std::nullopt;
  return free_bytes;
}

}  // namespace

bool WizardModel::CheckFolderPage() {
  const std::string text = controls_.Get("Edit501").text;
  if (TrimBlanks(text).empty()) {
    Refuse("フォルダ名を入力してください。", "Edit501");
    return false;
  }
  // A failed query is no reason to warn; a full disk is.
  const std::int64_t need = script_.ReadInstallSize().value_or(0);
  const auto free_bytes = FreeBytesOfDrive(run_.system, text);
  if (free_bytes && need > 0 && static_cast<std::uint64_t>(need) > *free_bytes) {
    if (Ask("空き容量が不足する可能性があります。このフォルダにインストールしますか？\n" + text,
            MessageIcon::kWarning, MessageButtons::kYesNo, Answer::kNo) != Answer::kYes) {
      focus_ = "Edit501";
      return false;
    }
  }
  return CheckFolderEntry(text, "Edit501");
}

bool WizardModel::CheckShortcutPage() {
  const std::string text = controls_.Get("Edit601").text;
  if (TrimBlanks(text).empty()) {
    Refuse("フォルダ名を入力してください。", "Edit601");
    return false;
  }
  return CheckFolderEntry(JoinPath(ProgramsFolder(controls_.Get("RadioButton601").checked), text),
                          "Edit601");
}

bool WizardModel::CheckFavoritesPage() {
  if (controls_.Get("CheckBox801").checked) {
    const std::string folder = controls_.Get("Edit801").text;
    if (TrimBlanks(folder).empty()) {
      Refuse("フォルダ名を入力してください。", "Edit801");
      return false;
    }
    if (!CheckFolderEntry(folder, "Edit801")) return false;
  }
  if (controls_.Get("CheckBox802").checked) {
    const std::string file = controls_.Get("Edit802").text;
    if (TrimBlanks(file).empty()) {
      Refuse("ファイル名を入力してください。", "Edit802");
      return false;
    }
    const auto& files = run_.system.files();
    if (!files.Exists(file) || files.IsFolder(file)) {
      Refuse("ファイルが存在しません。\n" + file, "Edit802");
      return false;
    }
  }
  return true;
}

// ---------------------------------------------------------------- controls

void WizardModel::SetText(std::string_view name, std::string_view text) {
  if (!controls_.Has(name)) return;
  controls_[name].text = std::string(text);
  if (name == "Edit501") Edit501Change();
}

void WizardModel::SetChecked(std::string_view name, bool checked) {
  if (!controls_.Has(name)) return;
  controls_[name].checked = checked;
  static constexpr std::pair<std::string_view, std::string_view> kRadioPairs[] = {
      {"RadioButton501", "RadioButton502"}, {"RadioButton601", "RadioButton602"}};
  for (const auto& [a, b] : kRadioPairs) {
    if (name == a) controls_[b].checked = !checked;
    if (name == b) controls_[a].checked = !checked;
  }
  if (name == "RadioButton601" || name == "RadioButton602") RadioButton601Click();
  if (name == "CheckBox601") CheckBox601Click();
  if (name == "CheckBox701") CheckBox701Click();
  if (name == "CheckBox801") CheckBox801Click();
  if (name == "CheckBox802") CheckBox802Click();
}

void WizardModel::SetSelected(std::string_view name, int index, bool selected) {
  if (!controls_.Has(name)) return;
  ControlState& list = controls_[name];
  if (index < 0 || static_cast<std::size_t>(index) >= list.selected.size()) return;
  list.selected[static_cast<std::size_t>(index)] = selected;
}

void WizardModel::Edit501Change() {
  const auto free_bytes = FreeBytesOfDrive(run_.system, controls_.Get("Edit501").text);
  if (!free_bytes) {
    controls_["Label505"].text = "(不明)";
    controls_["Label507"].text.clear();
    return;
  }
  controls_["Label505"].text = FormatNumber(*free_bytes) + "バイト";
  const auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  controls_["Label507"].text =
      FormatByteSize(static_cast<std::int64_t>(std::min(*free_bytes, largest)));
}

void WizardModel::RadioButton601Click() {
  ControlState& list = controls_["ListBox601"];
  list.items.clear();
  std::vector<platform::target::FileEntry> entries;
  if (run_.system.files()
          .ListEntries(ProgramsFolder(controls_.Get("RadioButton601").checked), &entries)
          .ok()) {
    for (const auto& entry : entries) {
      if (entry.is_folder && !entry.name.starts_with('.')) list.items.push_back(entry.name);
    }
  }
  list.selected.assign(list.items.size(), false);
}

void WizardModel::CheckBox601Click() {
  const bool on = controls_.Get("CheckBox601").checked && shortcut_group_on_;
  for (const char* name : {"Edit601", "Label603", "ListBox601"}) controls_[name].enabled = on;
}

void WizardModel::ListBox601DblClick(int index) {
  const ControlState& list = controls_.Get("ListBox601");
  if (index < 0 || static_cast<std::size_t>(index) >= list.items.size()) return;
  controls_["Edit601"].text = list.items[static_cast<std::size_t>(index)];
}

void WizardModel::CheckBox701Click() {
  controls_["ListBox701"].enabled = controls_.Get("CheckBox701").checked;
}

void WizardModel::SpeedButton702Click() {
  controls_["CheckBox701"].checked = true;
  CheckBox701Click();
  ControlState& list = controls_["ListBox701"];
  for (std::size_t i = 0; i < list.selected.size(); ++i) {
    list.selected[i] = script_.ReadItem("Extension", "Check", static_cast<std::int64_t>(i + 1)) == "1";
  }
}

void WizardModel::CheckBox801Click() {
  const bool on = controls_.Get("CheckBox801").checked;
  controls_["Edit801"].enabled = on;
  controls_["SpeedButton802"].enabled = on;
}

void WizardModel::CheckBox802Click() {
  const bool on = controls_.Get("CheckBox802").checked;
  controls_["Edit802"].enabled = on;
  controls_["SpeedButton803"].enabled = on;
}

BrowseRequest WizardModel::BrowseFor(std::string_view title, std::string_view edit) const {
  BrowseRequest request;
  request.title = std::string(title);
  request.start = controls_.Get(edit).text;
  request.target = std::string(edit);
  return request;
}

BrowseRequest WizardModel::SpeedButton502Click() const { return BrowseFor("インストール先", "Edit501"); }

BrowseRequest WizardModel::SpeedButton802Click() const { return BrowseFor("お気に入り", "Edit801"); }

BrowseRequest WizardModel::SpeedButton803Click() const {
  BrowseRequest request = BrowseFor("ブックマーク", "Edit802");
  request.kind = BrowseRequest::Kind::kOpenFile;
  request.filter =
      "ブックマーク(bookmark.htm)|bookmark.htm|HTMLファイル(*.htm;*.html)|*.htm;*.html|"
      "すべてのファイル(*.*)|*.*";
  request.default_extension = "htm";
  return request;
}

// ---------------------------------------------------------------- choices

InstallChoices WizardModel::Choices() const {
  InstallChoices c;
  c.install_to_folder = controls_.Get("RadioButton501").checked;
  c.install_folder_text = controls_.Get("Edit501").text;
  c.recycle_before_overwrite = controls_.Get("CheckBox501").checked;
  for (int k = 0; k < 3; ++k) {
    const ControlState& edit = controls_.Get(Numbered("Edit40", k + 1));
    c.user_entries[k] = edit.text;
    c.user_entry_visible[k] = edit.visible;
  }
  c.start_menu_folder = controls_.Get("Edit601").text;
  c.all_users = controls_.Get("RadioButton601").checked;
  c.start_menu = controls_.Get("CheckBox601").checked;
  c.startup = controls_.Get("CheckBox602").checked;
  c.desktop = controls_.Get("CheckBox603").checked;
  c.send_to = controls_.Get("CheckBox604").checked;
  c.quick_launch = controls_.Get("CheckBox605").checked;
  c.associate = controls_.Get("CheckBox701").checked;
  const ControlState& extensions = controls_.Get("ListBox701");
  for (std::size_t i = 0; i < extensions.selected.size(); ++i) {
    if (extensions.selected[i]) c.selected_extensions.push_back(static_cast<int>(i));
  }
  c.add_favorites = controls_.Get("CheckBox801").checked;
  c.favorites_folder = controls_.Get("Edit801").text;
  c.add_bookmarks = controls_.Get("CheckBox802").checked;
  c.bookmark_file = controls_.Get("Edit802").text;
  for (int slot = 0; slot < 3; ++slot) {
    const ControlState& box = controls_.Get(Numbered("CheckBox80", slot + 3));
    c.favorite_slot_visible[slot] = box.visible;
    c.favorite_slot_checked[slot] = box.checked;
    const ControlState& run = controls_.Get(Numbered("CheckBox110", slot + 2));
    c.run_visible[slot] = run.visible;
    c.run_checked[slot] = run.checked;
  }
  const ControlState& restart = controls_.Get("CheckBox1101");
  c.restart_visible = restart.visible;
  c.restart_checked = restart.checked;
  return c;
}

}  // namespace setup::wizard
