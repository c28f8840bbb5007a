#include "setup/app/mode_checks.h"

#include "setup/core/registry_utils.h"
#include "setup/wizard/record/record_keys.h"

namespace setup::app {

using platform::target::RegistryRoot;
using wizard::Answer;
using wizard::MakeMessage;
using wizard::MessageButtons;
using wizard::MessageIcon;

namespace {

void ShowError(wizard::Prompter& prompter, std::string text) {
  prompter.Ask(MakeMessage(std::move(text), MessageIcon::kError));
}

}  // namespace

bool CheckSetupScript(const SetupScript& script, std::string_view shown_path, wizard::Prompter& prompter) {
  if (!script.Exists()) {
    ShowError(prompter, "ファイルが見つかりません。\n" + std::string(shown_path));
    return false;
  }
  if (!IsAcceptedForSetup(script.Application())) {
    ShowError(prompter, "ファイル内容かバージョンが異なります。\n" + std::string(shown_path));
    return false;
  }
  return true;
}

bool IsValidKeyName(std::string_view name) {
  std::size_t characters = 0;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f || c == '\\') return false;
    if ((byte & 0xC0) != 0x80) ++characters;  // a UTF-8 lead byte starts a character
  }
  return characters > 0 && characters <= 255;
}

bool CheckKeyName(const SetupScript& script, wizard::Prompter& prompter) {
  const std::string name = script.ApplicationKeyName();
  if (IsValidKeyName(name)) return true;
  ShowError(prompter, "アンインストール情報のキー名が正しくありません。\n" + name);
  return false;
}

bool CheckCleanUpScript(const SetupScript& script, std::string_view shown_path, wizard::Prompter& prompter) {
  if (!IsAcceptedForCleanUp(script.Application())) {
    ShowError(prompter, "ファイル内容が異なります。\n" + std::string(shown_path));
    return false;
  }
  return true;
}

UninstallTarget CheckUninstallTarget(platform::target::TargetSystem& system, std::string_view name,
                                     wizard::Prompter& prompter) {
  constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;
  // A name that is no single key could only reach inside another record.
  if (!IsValidKeyName(name)) {
    ShowError(prompter, "アンインストール情報が見つかりません。\n" + std::string(name));
    return UninstallTarget::kNothingRecorded;
  }
  if (RegKeyExists(system, kMachine, wizard::RecordKey(name))) return UninstallTarget::kRecorded;
  const std::string entry = std::string(wizard::kSystemUninstallKey) + "\\" + std::string(name);
  if (!RegKeyExists(system, kMachine, entry)) {
    ShowError(prompter, "アンインストール情報が見つかりません。\n" + std::string(name));
    return UninstallTarget::kNothingRecorded;
  }
  std::string display = RegReadString(system, kMachine, entry, "DisplayName", "");
  if (display.empty()) display = name;
  const Answer answer =
      prompter.Ask(MakeMessage("アンインストール情報が見つかりません。\n" + display + "\n\n" +
                                   "[コントロールパネル]アプリケーションの追加と削除の一覧から削除しますか？",
                               MessageIcon::kError, MessageButtons::kYesNo, Answer::kNo));
  if (answer != Answer::kYes) return UninstallTarget::kStaleEntryKept;
  if (!RegDeleteTree(system, kMachine, entry).ok()) return UninstallTarget::kStaleEntryKept;
  return UninstallTarget::kStaleEntryRemoved;
}

void AskForRestart(wizard::Prompter& prompter, wizard::ProgramLauncher& launcher) {
  const Answer answer =
      prompter.Ask(MakeMessage("設定を有効にするにはWindowsを再起動する必要があります。再起動しますか？",
                               MessageIcon::kQuestion, MessageButtons::kYesNo, Answer::kYes));
  if (answer == Answer::kYes) launcher.RestartWindows();
}

wizard::Message VersionBoxMessage() {
  wizard::Message message = MakeMessage(
      "kestro Setup for Windows\n" + std::string(32, ' ') + "Ver1.10\n" + std::string(36, '-') + "\n" +
          "このファイルはアンインストール時に使用します。　　　　\n" + "削除しないでください。\n",
      MessageIcon::kInformation);
  message.caption = "バージョン情報";
  return message;
}

void ShowVersionBox(wizard::Prompter& prompter) { prompter.Ask(VersionBoxMessage()); }

}  // namespace setup::app
