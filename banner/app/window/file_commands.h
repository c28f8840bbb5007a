#pragma once

#include <string>

#include "banner/app/banner_editor.h"
#include "platform/ui/dialog_service.h"
#include "banner/render/bitmap.h"

namespace plakato {

// The window's file operations without the window: settings save and load
// with their questions, and the banner export. Every dialog and message goes
// through the platform::ui::DialogService; a cancelled dialog changes nothing.
class FileCommands {
 public:
  FileCommands(BannerEditor& editor, platform::ui::DialogService& dialogs);

  // Asks for a name and writes the settings. False when cancelled or when
  // the file could not be written (which is reported).
  bool SaveSettings();
  // Asks whether to save first, then for an existing file, then loads it.
  void LoadWithQuestion();
  // Loads a named file (start-up), reporting pictures that failed to load.
  void LoadSettingsFrom(const std::string& path);
  // Asks for a name and writes the banner as PNG or BMP by the name's ending.
  void ExportImage();

  // What an export writes: the last rendered banner, or before the first
  // render a blank banner of the preview box's initial size.
  Bitmap ExportPicture() const;

 private:
  BannerEditor& editor_;
  platform::ui::DialogService& dialogs_;
};

}  // namespace plakato
