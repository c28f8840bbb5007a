#include "banner/app/window/file_commands.h"

#include "banner/app/error_texts.h"
#include "banner/app/picture_codecs.h"
#include "banner/app/settings_file.h"
#include "banner/app/window/window_texts.h"
#include "platform/ascii_text.h"

namespace plakato {

using platform::ui::Answer;
using platform::ui::DialogService;
using platform::ui::FileDialogRequest;
using platform::ui::Message;

FileCommands::FileCommands(BannerEditor& editor, DialogService& dialogs)
    : editor_(editor), dialogs_(dialogs) {}

bool FileCommands::SaveSettings() {
  const auto path = dialogs_.ChooseFile({FileDialogRequest::Mode::kSave, kSaveSettingsTitle, kSettingsFilter,
                                         kSettingsExtension, editor_.document_path()});
  if (!path) return false;
  const std::string lacking = CharactersCp932Lacks(editor_);
  if (!lacking.empty()) {
    const Message question{std::string(kCharactersCp932Lacks) + "\n" + lacking + "\n\n" + kUtf8SaveQuestion,
                           platform::ui::MessageIcon::kQuestion, platform::ui::MessageButtons::kYesNo,
                           Answer::kYes};
    if (dialogs_.ShowMessage(question) != Answer::kYes) return false;
  }
  if (!plakato::SaveSettings(editor_, *path).ok()) {
    // Not saying so would let the user believe the design is kept.
    dialogs_.ShowError(std::string(kSaveSettingsFailed) + "\n" + *path);
    return false;
  }
  editor_.MarkSaved(*path);
  return true;
}

bool FileCommands::ConfirmClose() {
  if (!editor_.modified()) return true;
  const Answer answer = dialogs_.AskYesNoCancel(kSaveBeforeCloseQuestion);
  if (answer == Answer::kNo) return true;
  return answer == Answer::kYes && SaveSettings();
}

void FileCommands::LoadWithQuestion() {
  const Answer answer = dialogs_.AskYesNoCancel(kSaveBeforeLoadQuestion);
  if (answer == Answer::kCancel) return;
  if (answer == Answer::kYes) SaveSettings();  // a cancelled save only skips the save
  const auto path = dialogs_.ChooseFile(
      {FileDialogRequest::Mode::kOpen, kLoadSettingsTitle, kSettingsFilter, kSettingsExtension, ""});
  if (path) LoadSettingsFrom(*path);
}

void FileCommands::LoadSettingsFrom(const std::string& path) {
  const platform::StatusOr<LoadWarnings> loaded = LoadSettings(editor_, path);
  if (!loaded.ok()) {
    dialogs_.ShowError(loaded.status().message());
    return;
  }
  for (const std::string& warning : *loaded) dialogs_.ShowWarning(warning);
  editor_.StartHistory(path);
}

Bitmap FileCommands::ExportPicture() const {
  if (editor_.renderer().hasRendered()) return editor_.renderer().preview();
  return Bitmap(kInitialPreviewWidth, kInitialPreviewHeight, kWhite);
}

std::string FileCommands::ExportName() const {
  const std::filesystem::path document = editor_.document_path();
  const std::string stem = document.empty() ? kDefaultBannerName : document.stem().string();
  return (document.empty() ? stem : (document.parent_path() / stem).string()) + "." + kExportExtension;
}

std::optional<std::string> FileCommands::ExportPath() {
  const auto chosen = dialogs_.ChooseFile(
      {FileDialogRequest::Mode::kSave, "", kExportFilter, kExportExtension, ExportName()});
  if (!chosen) return std::nullopt;
  std::string path = *chosen;
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = platform::AsciiLower(c);
  if (extension != ".bmp" && extension != ".png") {
    // Bitmap bytes under another type's name would mislead every reader.
    path += std::string(".") + kExportExtension;
    const Message question{*chosen + kForeignExtensionQuestion + path, platform::ui::MessageIcon::kQuestion,
                           platform::ui::MessageButtons::kYesNo, Answer::kYes};
    if (dialogs_.ShowMessage(question) != Answer::kYes) return std::nullopt;
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
      const Message overwrite{path + kOverwriteQuestion, platform::ui::MessageIcon::kWarning,
                              platform::ui::MessageButtons::kYesNo, Answer::kNo};
      if (dialogs_.ShowMessage(overwrite) != Answer::kYes) return std::nullopt;
    }
  }
  return path;
}

void FileCommands::ExportImage() {
  const auto path = ExportPath();
  if (!path) return;
  std::error_code ec;
  const bool onto_design =
      !editor_.document_path().empty() && std::filesystem::equivalent(*path, editor_.document_path(), ec);
  if (onto_design) {
    const Message question{*path + kOverwriteDesignQuestion, platform::ui::MessageIcon::kWarning,
                           platform::ui::MessageButtons::kYesNo, Answer::kNo};
    if (dialogs_.ShowMessage(question) != Answer::kYes) return;
  }
  if (const platform::Status saved = SavePicture(ExportPicture(), *path); !saved.ok()) {
    dialogs_.ShowError(std::string(kExportFailed) + "\n" + *path + "\n" + JapaneseErrorText(saved.message()));
    return;
  }
  // The design's file now holds the image: the design exists nowhere else.
  if (onto_design) editor_.ForgetSavedFile();
}

}  // namespace plakato
