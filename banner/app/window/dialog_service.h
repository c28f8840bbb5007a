#pragma once

#include <optional>
#include <string>

#include "banner/render/color.h"

namespace plakato {

struct FileDialogRequest {
  enum class Mode { kOpen, kSave };
  Mode mode = Mode::kOpen;
  std::string title;              // empty: the toolkit's own title
  std::string filter;             // "description|patterns|…"
  std::string default_extension;  // added to a name typed without one; empty: none
};

// What the font dialog starts on; the size cannot be changed in it.
struct FontRequest {
  std::string face;
  bool bold = false;
  bool italic = false;
  int points = 9;
};

struct FontChoice {
  std::string face;
  bool bold = false;
  bool italic = false;
};

enum class Answer { kYes, kNo, kCancel };

// The dialogs and message boxes of the window, behind one small interface so
// that tests can answer them. Every message box carries the application
// title as its caption. A cancelled dialog returns nothing.
class DialogService {
 public:
  virtual ~DialogService() = default;

  // Yes, No and Cancel, the question icon, Cancel as the default button.
  virtual Answer AskYesNoCancel(const std::string& question) = 0;
  // The warning icon and an OK button.
  virtual void ShowWarning(const std::string& text) = 0;
  // The error icon and an OK button.
  virtual void ShowError(const std::string& text) = 0;

  // Save mode asks before overwriting; open mode accepts only existing files.
  // The dialog offers the last chosen name again.
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
  virtual std::optional<Color> ChooseColor(Color initial) = 0;
  virtual std::optional<FontChoice> ChooseFont(const FontRequest& request) = 0;
};

}  // namespace plakato
