#include "banner/app/window/file_commands.h"

#include "banner/app/picture_codecs.h"
#include "banner/app/settings_file.h"
#include "banner/app/window/window_texts.h"

namespace plakato {

using platform::ui::DialogService;
using platform::ui::FileDialogRequest;
using platform::ui::Answer;

FileCommands::FileCommands(BannerEditor& editor, DialogService& dialogs) : editor_(editor), dialogs_(dialogs) {}

bool FileCommands::SaveSettings() {
  const auto path = dialogs_.ChooseFile(
      {FileDialogRequest::Mode::kSave, kSaveSettingsTitle, kSettingsFilter, kSettingsExtension, ""});
  if (!path) return false;
  if (!plakato::SaveSettings(editor_, *path)) {
    // Not saying so would let the user believe the design is kept.
    dialogs_.ShowError(std::string(kSaveSettingsFailed) + "\n" + *path);
    return false;
  }
  return true;
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
  const LoadReport report = LoadSettings(editor_, path);
  for (const std::string& warning : report.warnings) dialogs_.ShowWarning(warning);
}

Bitmap FileCommands::ExportPicture() const {
  if (editor_.renderer().hasRendered()) return editor_.renderer().preview();
  return Bitmap(kInitialPreviewWidth, kInitialPreviewHeight, kWhite);
}

void FileCommands::ExportImage() {
  // The export sets no title and no default extension of its own: a name
  // typed without an ending is written as a bitmap under that name.
  const auto path = dialogs_.ChooseFile({FileDialogRequest::Mode::kSave, "", kExportFilter, "", ""});
  if (!path) return;
  std::string error;
  if (!SavePicture(ExportPicture(), *path, &error)) {
    dialogs_.ShowError(std::string(kExportFailed) + "\n" + *path + "\n" + error);
  }
}

}  // namespace plakato
