// What the wizard shows when it opens: every page of the mode filled from
// the script (setup), from the product's record (uninstall) or the clean-up
// question, and the machine-wide settings that earlier runs left.

#include "platform/ascii_text.h"
#include "setup/core/install_paths.h"
#include "setup/core/path_macros.h"
#include "setup/core/path_text.h"
#include "setup/core/registry_utils.h"
#include "setup/wizard/model/byte_size.h"
#include "setup/wizard/model/wizard_model.h"
#include "setup/wizard/model/wizard_pages.h"
#include "setup/wizard/record/record_keys.h"

namespace setup::wizard {
namespace {

constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;

std::string Numbered(std::string_view prefix, int number) {
  return std::string(prefix) + std::to_string(number);
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// A product's own recorded integer, else the machine-wide setting of the
// same name (each -1 when missing).
int RecordedOrMachineWide(TargetSystem& system, const std::string& record_key, std::string_view name) {
  const int own = RegReadInteger(system, kMachine, record_key, name, -1);
  return own != -1 ? own : RegReadInteger(system, kMachine, kSettingKey, name, -1);
}

}  // namespace

void WizardModel::FormShow() {
  if (shown_) return;
  shown_ = true;
  switch (mode_) {
    case WizardMode::kSetup: ShowSetup(); break;
    case WizardMode::kUninstall: ShowUninstall(); break;
    case WizardMode::kCleanUp: ShowCleanUp(); break;
  }
  engines_.RemovePendingFolder();
}

void WizardModel::ShowSetup() {
  controls_[Control::kLabel201].text =
      "インストールを開始します。\n\n再インストールやバージョンアップの場合で、\n"
      "対象製品を起動している場合は必ず終了してください。\n\n"
      "インストールを実行するには[次へ]をクリックしてください。\n"
      "[キャンセル]をクリックするとインストールは中止されます。";
  const std::string class_file = script_.Read("Define", "ClassFile");
  if (!class_file.empty() && !run_.source_folder.empty()) {
    std::filesystem::path picture;
    if (run_.system.drives().ToHostPath(run_.source_folder + class_file, &picture).ok()) {
      controls_[Control::kImage202].text = picture.string();
    }
  }
  controls_[Control::kLabel202].text =
      script_.Read("Define", "ClassView") + "\n" + script_.Read("Define", "KindView");
  if (script_.ReadCount("Outline") > 0) {
    ControlState& memo = controls_[Control::kMemo201];
    memo.items = script_.ReadLines("Outline");
    memo.visible = true;
  }

  page_mask_ = "1";
  page_mask_ += FillLicencePage() ? '1' : '0';
  page_mask_ += FillUserPage() ? '1' : '0';
  page_mask_ += FillFolderPage() ? '1' : '0';
  page_mask_ += FillShortcutPage() ? '1' : '0';
  page_mask_ += FillExtensionPage() ? '1' : '0';
  page_mask_ += FillFavoritesPage() ? '1' : '0';
  page_mask_ += "111";
  FillFinishPage();

  tag_ = kFirstPage;
  ShowPage(kFirstPage);
  timer_armed_ = true;
}

bool WizardModel::FillLicencePage() {
  if (script_.ReadCount("Licence") <= 0) return false;
  controls_[Control::kLabel301].text =
      "以下のライセンス契約のすべての項目に同意しますか？\n"
      "同意される場合は[はい]をクリックしてください。\n"
      "[いいえ]をクリックするとインストールは中止されます。";
  controls_[Control::kMemo301].items = script_.ReadLines("Licence");
  return true;
}

bool WizardModel::FillUserPage() {
  if (script_.ReadCount("UserInfomation") <= 0) return false;
  const char* version_key = IsNtFamily(GetOsKind(run_.system))
                                ? "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
                                : "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  const std::string owner = RegReadString(run_.system, kMachine, version_key, "RegisteredOwner", "");
  const std::string company = RegReadString(run_.system, kMachine, version_key, "RegisteredOrganization", "");
  for (int k = 1; k <= 3; ++k) {
    ControlState& label = controls_[UserEntryLabel(k)];
    ControlState& edit = controls_[UserEntryEdit(k)];
    label.text = script_.ReadItem("UserInfomation", "Caption", k);
    std::string text = script_.ReadItem("UserInfomation", "Text", k);
    text = ReplaceAll(std::move(text), "(氏名)", owner);
    edit.text = ReplaceAll(std::move(text), "(会社名)", company);
    label.visible = !label.text.empty();
    edit.visible = label.visible;
  }
  return true;
}

bool WizardModel::FillFolderPage() {
  if (script_.Read("Install", "Use") != "1") return false;
  const std::string record = RecordKeyOfProduct();
  std::string folder = RegReadString(run_.system, kMachine, record, "SetupPath", "");
  if (folder.empty()) folder = ExpandPathMacro(run_.system, script_.Read("Install", "Default"), "");
  controls_[Control::kEdit501].text = folder;

  if (const auto size = script_.ReadInstallSize()) {
    controls_[Control::kLabel504].text = FormatNumber(static_cast<std::uint64_t>(*size)) + "バイト";
    controls_[Control::kLabel506].text = FormatByteSize(*size);
  } else {
    // A size that is no number is not shown as a number.
    controls_[Control::kLabel504].text = "(不明)";
    controls_[Control::kLabel506].text.clear();
  }

  const bool cd_run_offered =
      script_.Read("Define", "MakeType") == "0" &&
      run_.system.drives().TypeOf(run_.source_folder) == platform::target::DriveType::kCdRom;
  controls_[Control::kRadioButton502].enabled = cd_run_offered;
  controls_[Control::kLabel508].enabled = cd_run_offered;
  const bool cd_run = cd_run_offered && RegReadInteger(run_.system, kMachine, record, "SetupWay", 0) == 1;
  controls_[Control::kRadioButton502].checked = cd_run;
  controls_[Control::kRadioButton501].checked = !cd_run;

  controls_[Control::kCheckBox501].checked = RecordedOrMachineWide(run_.system, record, "OverToDustBox") == 1;
  Edit501Change();
  return true;
}

bool WizardModel::FillShortcutPage() {
  if (script_.ReadCount("Link") <= 0) return false;
  const std::string record = RecordKeyOfProduct();
  controls_[Control::kLabel601].text = "ショートカットの作成先を指定して、\n[次へ]をクリックしてください。";
  const bool nt = IsNtFamily(GetOsKind(run_.system));
  for (const Control name : {Control::kLabel602, Control::kRadioButton601, Control::kRadioButton602}) {
    controls_[name].enabled = nt;
  }
  controls_[Control::kRadioButton602].text = GetLoginUserName(run_.system);
  const int start_user = RecordedOrMachineWide(run_.system, record, "StartUser");
  controls_[Control::kRadioButton601].checked = nt && start_user == 0;
  controls_[Control::kRadioButton602].checked = !controls_[Control::kRadioButton601].checked;
  RadioButton601Click();

  const int menu = script_.ReadInteger("Link", "Menu");
  const int group = script_.ReadInteger("Link", "SSetup");
  std::string group_name;
  if (group >= 1) {
    group_name = RegReadString(run_.system, kMachine, record, "StartPath", "");
    if (group_name.empty()) group_name = script_.Read("Link", "Default");
  }
  controls_[Control::kEdit601].text = group_name;
  shortcut_group_on_ = group > 0;

  const std::string quick = GetQuickLaunchFolder(run_.system, GetLoginUserName(run_.system));
  const struct {
    Control box;
    bool enabled;
    const char* check_key;
  } boxes[] = {
      {Control::kCheckBox601, menu > 0 || group > 0, "MenuCheck"},
      {Control::kCheckBox602, script_.ReadInteger("Link", "Startup") > 0, "StartupCheck"},
      {Control::kCheckBox603, script_.ReadInteger("Link", "Desktop") > 0, "DesktopCheck"},
      {Control::kCheckBox604, script_.ReadInteger("Link", "Sendto") > 0, "SendtoCheck"},
      {Control::kCheckBox605, script_.ReadInteger("Link", "Quick") > 0 && run_.system.files().IsFolder(quick),
       "QuickCheck"},
  };
  for (const auto& b : boxes) {
    ControlState& box = controls_[b.box];
    box.enabled = b.enabled;
    box.checked = b.enabled && script_.ReadZeroFlag("Link", b.check_key);
  }
  CheckBox601Click();
  return true;
}

bool WizardModel::FillExtensionPage() {
  const int count = script_.ReadCount("Extension");
  if (count <= 0) return false;
  controls_[Control::kLabel701].text = "関連付けを行う拡張子を選択して、\n[次へ]をクリックしてください。";
  ControlState& list = controls_[Control::kListBox701];
  // Entries past the last one the script names are all empty; a huge Count
  // adds no more than those.
  const std::int64_t last = std::min<std::int64_t>(count, script_.HighestItemNumber("Extension"));
  for (std::int64_t n = 1; n <= last; ++n) {
    const std::string ext = script_.ReadItem("Extension", "Extension", n);
    const std::string key = "." + ext;
    std::string state = "(なし)";
    if (RegKeyExists(run_.system, RegistryRoot::kClassesRoot, key)) {
      const std::string type = RegReadString(run_.system, RegistryRoot::kClassesRoot, key, "", "");
      state = type.empty() ? platform::AsciiUpper(ext) + " ファイル"
                           : RegReadString(run_.system, RegistryRoot::kClassesRoot, type, "", "");
    }
    list.items.push_back(ext + " … " + state);
    list.selected.push_back(script_.ReadItem("Extension", "Check", n) == "1");
  }
  CheckBox701Click();
  return true;
}

bool WizardModel::FillFavoritesPage() {
  if (script_.ReadCount("Favorites") <= 0) return false;
  controls_[Control::kLabel801].text =
      "お気に入りに追加するブラウザおよびURLを指定して、\n[次へ]をクリックしてください。";
  for (int slot = 1; slot <= 3; ++slot) {
    ControlState& box = controls_[FavoriteCheckBox(slot)];
    const Control label_name = FavoriteLabel(slot);
    ControlState& label = controls_[label_name];
    box.text = ReplaceAll(script_.ReadItem("Favorites", "Name", slot), "&", "&&");
    FittedText fitted = FitLabelText(measure_, label_name, script_.ReadItem("Favorites", "URL", slot));
    label.text = std::move(fitted.text);
    label.hint = std::move(fitted.hint);
    box.checked = script_.ReadItem("Favorites", "Check", slot, "1") == "1";
    box.visible = !box.text.empty() && !label.text.empty();
    label.visible = box.visible;
  }
  controls_[Control::kEdit801].text = GetShellFolder(run_.system, "Favorites");
  controls_[Control::kEdit802].text = GetBrowserBookmarkFile(run_.system, true);
  controls_[Control::kCheckBox801].checked = true;
  controls_[Control::kCheckBox802].checked = !controls_[Control::kEdit802].text.empty();
  CheckBox801Click();
  CheckBox802Click();
  return true;
}

void WizardModel::FillFinishPage() {
  controls_[Control::kLabel901].text =
      "以上でインストールの設定は終了です。\n\n設定を変更するには[戻る]をクリックしてください。\n"
      "[開始]をクリックするとインストールを開始します。";
  controls_[Control::kLabel1002].text =
      "次の各コンポーネントがインストールされるまで\nしばらくお待ちください。";
  controls_[Control::kLabel1102].text = script_.ReadCount("Extension") > 0
                                            ? "次に実行する項目を選択して、\n[終了]をクリックしてください。"
                                            : "[終了]をクリックしてください。";
  ControlState& restart = controls_[Control::kCheckBox1101];
  restart.visible = script_.Read("Run", "ReStart") == "1";
  restart.checked = script_.Read("Run", "Check") == "1";
  restart.enabled = script_.Read("Run", "Force") == "0";
  for (int slot = 1; slot <= 3; ++slot) {
    ControlState& box = controls_[FinishCheckBox(slot)];
    box.text = script_.ReadItem("Run", "Caption", slot);
    box.checked = script_.ReadItem("Run", "Check", slot, "1") == "1";
    box.enabled = script_.ReadItem("Run", "Force", slot, "0") == "0";
    box.visible = !box.text.empty() && !script_.ReadItem("Run", "Command", slot).empty();
  }
}

void WizardModel::ShowUninstall() {
  const std::string record = RecordKeyOfProduct();
  TargetSystem& system = run_.system;
  const std::string name = RegReadString(system, kMachine, record, "Name", "");
  controls_[Control::kLabel1201].text = name;
  controls_[Control::kLabel1202].text =
      "上記製品をアンインストールします。\n\n対象製品を起動している場合は必ず終了してください。\n\n"
      "[開始]をクリックするとアンインストールを開始します。\n"
      "中止する場合は[キャンセル]をクリックしてください。";
  const std::string outline_key = record + "\\UnOutline";
  const int outline_count = RegReadInteger(system, kMachine, outline_key, "Count", 0);
  if (outline_count > 0) {
    ControlState& memo = controls_[Control::kMemo1201];
    // Reading stops at the first line that is missing; the count bounds it.
    for (int n = 1; n <= outline_count; ++n) {
      const std::string value = Numbered("Text", n);
      static constexpr std::string_view kMissing = "\x01missing";
      std::string line = RegReadString(system, kMachine, outline_key, value, kMissing);
      if (line == kMissing) break;
      memo.items.push_back(std::move(line));
    }
    memo.visible = true;
  }
  controls_[Control::kCheckBox1201].checked = RecordedOrMachineWide(system, record, "DeleteToDustBox") == 1;
  controls_[Control::kLabel1301].text = name;
  controls_[Control::kLabel1303].text =
      "次の各コンポーネントがアンインストールされるまで\nしばらくお待ちください。";
  controls_[Control::kLabel1401].text = name;
  const std::string run_key = record + "\\UnRun";
  ControlState& restart = controls_[Control::kCheckBox1401];
  restart.visible = RegReadInteger(system, kMachine, run_key, "ReStart", 0) == 1;
  restart.checked = RegReadInteger(system, kMachine, run_key, "Check", 0) == 1;
  restart.enabled = RegReadInteger(system, kMachine, run_key, "Force", 0) == 0;

  page_mask_ = "0000000000111";
  tag_ = kUninstallStartPage;
  controls_[PagePanel(kUninstallStartPage)].visible = true;
  caption_ = std::string(PageCaption(kUninstallStartPage));
  controls_[Control::kButton1].visible = false;
  controls_[Control::kButton2].text = "開始(&S) >";
  controls_[Control::kLabel1211].visible = true;
  controls_[Control::kLabel1212].visible = true;
  focus_ = Control::kButton3;
}

void WizardModel::ShowCleanUp() {
  const std::string product = script_.Read("Define", "Name");
  caption_ = product.empty() ? std::string(kSetupTitle) : product;
  // The folder as the command line gave it: a host folder is named as the
  // user typed it, not by the drive letter it was given for this run.
  const std::string shown = run_.arguments.size() >= 2 ? run_.arguments[1] : package_folder_;
  controls_[Control::kLabel1].text = shown + "\nインストールに使用した一時ファイルを削除しますか？";
  controls_[Control::kPanel1].visible = true;
  controls_[Control::kButton2].enabled = false;
  controls_[Control::kButton3].enabled = false;
  close_command_enabled_ = false;
  tag_ = kCleanUpState;
}

}  // namespace setup::wizard
