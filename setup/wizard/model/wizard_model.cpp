#include "setup/wizard/model/wizard_model.h"

#include <algorithm>
#include <functional>
#include <limits>

#include "setup/core/folder_utils.h"
#include "setup/core/install_paths.h"
#include "setup/core/path_text.h"
#include "setup/wizard/engine/install_run.h"
#include "setup/wizard/model/byte_size.h"
#include "setup/wizard/model/entry_checks.h"
#include "setup/wizard/model/install_choices_reader.h"
#include "setup/wizard/model/page_checks.h"
#include "setup/wizard/model/start_checks.h"
#include "setup/wizard/model/wizard_pages.h"
#include "setup/wizard/record/record_keys.h"

namespace setup::wizard {
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

WizardModel::WizardModel(SetupRun& run, WizardStart start, WizardEngines& engines, const TextMeasure* measure)
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

void WizardModel::StartAction() { focus_.reset(); }

Answer WizardModel::Ask(std::string text, MessageIcon icon, MessageButtons buttons, Answer default_answer) {
  const Message message = MakeMessage(std::move(text), icon, buttons, default_answer);
  return AskAndLog(run_, message);
}

std::string WizardModel::RecordKeyOfProduct() const { return RecordKey(app_key_name_); }

std::string WizardModel::ProgramsFolder(bool all_users) {
  return all_users ? GetDefaultShellFolder(run_.system, "Programs", kAllUsers)
                   : GetShellFolder(run_.system, "Programs");
}

// ---------------------------------------------------------------- pages

bool WizardModel::PageOn(int page) const { return IsPageOn(page_mask_, page); }

void WizardModel::HidePage(int page) { controls_[PagePanel(page)].visible = false; }

void WizardModel::ShowPage(int page) {
  controls_[PagePanel(page)].visible = true;
  caption_ = std::string(PageCaption(page));
  ControlState& back = controls_[Control::kButton1];
  ControlState& next = controls_[Control::kButton2];
  ControlState& cancel = controls_[Control::kButton3];
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
  const ControlState& back = controls_.Get(Control::kButton1);
  if (busy_ || !back.enabled || !back.visible || tag_ <= kFirstPage || tag_ > 9) return;
  StartAction();
  HidePage(tag_);
  tag_ = PreviousPage(page_mask_, tag_);
  ShowPage(tag_);
}

void WizardModel::Button2Click() {
  const ControlState& next = controls_.Get(Control::kButton2);
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
    const ControlState& restart = controls_.Get(Control::kCheckBox1401);
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
    case 5: return !controls_.Get(Control::kRadioButton501).checked || Checks().CheckFolderPage();
    case 6:
      return !controls_.Get(Control::kEdit601).enabled ||
             Checks().CheckShortcutPage(ProgramsFolder(controls_.Get(Control::kRadioButton601).checked));
    case 8: return Checks().CheckFavoritesPage();
    case 9: {
      install_maxima_ = engines_.InstallMaxima(Choices());
      ShowMaxima(install_maxima_, InstallProgressBar, InstallStepLabel);
      return true;
    }
    default: return true;
  }
}

void WizardModel::ShowMaxima(const StepMaxima& maxima, Control (*bar)(int), Control (*label)(int)) {
  for (int step = 0; step < 5; ++step) {
    controls_[bar(step)].maximum = maxima[step];
    controls_[label(step)].enabled = maxima[step] > 0;
  }
}

void WizardModel::RunEngine(int done_page, int aborted_state, const std::function<EngineResult()>& engine) {
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
  RunEngine(kInstallDonePage, kEndedState, [this] { return engines_.Install(Choices(), install_maxima_); });
}

void WizardModel::RunUninstall() {
  uninstall_maxima_ = engines_.UninstallMaxima(app_key_name_);
  ShowMaxima(uninstall_maxima_, UninstallProgressBar, UninstallStepLabel);
  // An abort leaves the rest of the record, so the uninstallation can run
  // again.
  RunEngine(kUninstallDonePage, kCleanUpState, [this] {
    return engines_.Uninstall(app_key_name_, controls_.Get(Control::kCheckBox1201).checked,
                              uninstall_maxima_);
  });
}

// ---------------------------------------------------------------- closing

void WizardModel::Button3Click() {
  const ControlState& cancel = controls_.Get(Control::kButton3);
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
    if (Ask("アンインストールを中止してもよろしいですか？", MessageIcon::kQuestion, MessageButtons::kYesNo,
            Answer::kNo) != Answer::kYes) {
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

PageChecks WizardModel::Checks() { return PageChecks(run_, script_, controls_, focus_); }

bool WizardModel::CheckUserEntry(int field) { return Checks().CheckUserEntry(field); }

bool WizardModel::CheckFolderEntry(std::string_view path, Control edit) {
  return Checks().CheckFolderEntry(path, edit);
}

// ---------------------------------------------------------------- controls

void WizardModel::SetText(Control name, std::string_view text) {
  controls_[name].text = std::string(text);
  if (name == Control::kEdit501) Edit501Change();
}

void WizardModel::SetChecked(Control name, bool checked) {
  controls_[name].checked = checked;
  static constexpr std::pair<Control, Control> kRadioPairs[] = {
      {Control::kRadioButton501, Control::kRadioButton502},
      {Control::kRadioButton601, Control::kRadioButton602}};
  for (const auto& [a, b] : kRadioPairs) {
    if (name == a) controls_[b].checked = !checked;
    if (name == b) controls_[a].checked = !checked;
  }
  if (name == Control::kRadioButton601 || name == Control::kRadioButton602) RadioButton601Click();
  if (name == Control::kCheckBox601) CheckBox601Click();
  if (name == Control::kCheckBox701) CheckBox701Click();
  if (name == Control::kCheckBox801) CheckBox801Click();
  if (name == Control::kCheckBox802) CheckBox802Click();
}

void WizardModel::SetSelected(Control name, int index, bool selected) {
  ControlState& list = controls_[name];
  if (index < 0 || static_cast<std::size_t>(index) >= list.selected.size()) return;
  list.selected[static_cast<std::size_t>(index)] = selected;
}

void WizardModel::Edit501Change() {
  const auto free_bytes = FreeBytesOfDrive(run_.system, controls_.Get(Control::kEdit501).text);
  if (!free_bytes) {
    controls_[Control::kLabel505].text = "(不明)";
    controls_[Control::kLabel507].text.clear();
    return;
  }
  controls_[Control::kLabel505].text = FormatNumber(*free_bytes) + "バイト";
  const auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  controls_[Control::kLabel507].text =
      FormatByteSize(static_cast<std::int64_t>(std::min(*free_bytes, largest)));
}

void WizardModel::RadioButton601Click() {
  ControlState& list = controls_[Control::kListBox601];
  list.items.clear();
  std::vector<platform::target::FileEntry> entries;
  if (run_.system.files()
          .ListEntries(ProgramsFolder(controls_.Get(Control::kRadioButton601).checked), &entries)
          .ok()) {
    for (const auto& entry : entries) {
      if (entry.is_folder && !entry.name.starts_with('.')) list.items.push_back(entry.name);
    }
  }
  list.selected.assign(list.items.size(), false);
}

void WizardModel::CheckBox601Click() {
  const bool on = controls_.Get(Control::kCheckBox601).checked && shortcut_group_on_;
  for (const Control name : {Control::kEdit601, Control::kLabel603, Control::kListBox601})
    controls_[name].enabled = on;
}

void WizardModel::ListBox601DblClick(int index) {
  const ControlState& list = controls_.Get(Control::kListBox601);
  if (index < 0 || static_cast<std::size_t>(index) >= list.items.size()) return;
  controls_[Control::kEdit601].text = list.items[static_cast<std::size_t>(index)];
}

void WizardModel::CheckBox701Click() {
  controls_[Control::kListBox701].enabled = controls_.Get(Control::kCheckBox701).checked;
}

void WizardModel::SpeedButton702Click() {
  controls_[Control::kCheckBox701].checked = true;
  CheckBox701Click();
  ControlState& list = controls_[Control::kListBox701];
  for (std::size_t i = 0; i < list.selected.size(); ++i) {
    list.selected[i] = script_.ReadItem("Extension", "Check", static_cast<std::int64_t>(i + 1)) == "1";
  }
}

void WizardModel::CheckBox801Click() {
  const bool on = controls_.Get(Control::kCheckBox801).checked;
  controls_[Control::kEdit801].enabled = on;
  controls_[Control::kSpeedButton802].enabled = on;
}

void WizardModel::CheckBox802Click() {
  const bool on = controls_.Get(Control::kCheckBox802).checked;
  controls_[Control::kEdit802].enabled = on;
  controls_[Control::kSpeedButton803].enabled = on;
}

BrowseRequest WizardModel::BrowseFor(std::string_view title, Control edit) const {
  BrowseRequest request;
  request.title = std::string(title);
  request.start = controls_.Get(edit).text;
  request.target = edit;
  return request;
}

BrowseRequest WizardModel::SpeedButton502Click() const {
  return BrowseFor("インストール先", Control::kEdit501);
}

BrowseRequest WizardModel::SpeedButton802Click() const { return BrowseFor("お気に入り", Control::kEdit801); }

BrowseRequest WizardModel::SpeedButton803Click() const {
  BrowseRequest request = BrowseFor("ブックマーク", Control::kEdit802);
  request.kind = BrowseRequest::Kind::kOpenFile;
  request.filter =
      "ブックマーク(bookmark.htm)|bookmark.htm|HTMLファイル(*.htm;*.html)|*.htm;*.html|"
      "すべてのファイル(*.*)|*.*";
  request.default_extension = "htm";
  return request;
}

InstallChoices WizardModel::Choices() const { return ChoicesFromControls(controls_); }

}  // namespace setup::wizard
