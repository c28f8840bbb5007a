#pragma once

#include <optional>
#include <string>

#include "banner/app/banner_editor.h"
#include "banner/render/bitmap.h"
#include "platform/ui/dialog_service.h"

namespace plakato {

// The window's file operations without the window: settings save and load
// with their questions, and the banner export. Every dialog and message goes
// through the platform::ui::DialogService; a cancelled dialog changes nothing.
class FileCommands {
 public:
  FileCommands(BannerEditor& editor, platform::ui::DialogService& dialogs);

  // Asks for a name (offering the design's file) and writes the settings.
  // False when cancelled or when the file could not be written (which is
  // reported).
  bool SaveSettings();
  // Before the window closes: with unsaved changes asks whether to save
  // them. True when the window may close (No, or Yes and saved).
  bool ConfirmClose();
  // Asks whether to save first, then for an existing file, then loads it.
  void LoadWithQuestion();
  // Loads a named file (start-up), reporting a file that cannot be read and
  // pictures that failed to load.
  void LoadSettingsFrom(const std::string& path);
  // Asks for a name, offering the banner's name with the chosen type's
  // extension, and writes the banner as PNG or BMP by the name's ending.
  // A name of another type gets the bitmap extension after a Yes. Writing
  // over the design's own settings file needs a Yes that names it, and
  // leaves the design unsaved.
  void ExportImage();

  // What an export writes: the last rendered banner, or before the first
  // render a blank banner of the preview box's initial size.
  Bitmap ExportPicture() const;
  // The name the export offers: the design's file name with the first
  // type's extension, or a fixed name for a design never saved.
  std::string ExportName() const;

 private:
  // The name the export writes, or nothing when the user cancelled.
  std::optional<std::string> ExportPath();

  BannerEditor& editor_;
  platform::ui::DialogService& dialogs_;
};

}  // namespace plakato
