#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/message.h"

namespace platform::ui {

// The dialogs and message boxes of a program's windows, behind one small
// interface so that tests can answer them (testing::ScriptedDialogs) and the
// windows can use the toolkit's (QtDialogService). Texts are UTF-8; "\n" is
// a line break. A cancelled dialog returns nothing.

using platform::Answer;
using platform::CloseAnswer;
using platform::Message;
using platform::MessageButtons;
using platform::MessageIcon;

struct FileDialogRequest {
  enum class Mode { kOpen, kSave };
  Mode mode = Mode::kOpen;
  std::string title;              // empty: the toolkit's own title
  std::string filter;             // "description|patterns|…", patterns joined by ";"
  std::string default_extension;  // added to a name typed without one; empty: none
  std::string suggested_name;     // the name offered first; empty: the last chosen one
};

// A colour as the settings files keep it: red in the lowest byte (0x00BBGGRR).
using ColorRef = std::uint32_t;

// What the font dialog starts on. It offers the face and the style (bold,
// italic) only; the size is shown but cannot be changed.
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

class DialogService {
 public:
  virtual ~DialogService() = default;

  // Shows a message box and returns the button chosen. Closing the box
  // counts as Cancel where there is one, otherwise as OK; a Yes/No or an
  // Abort/Retry/Ignore box cannot be closed (its default answer stands).
  virtual Answer ShowMessage(const Message& message) = 0;

  // Save mode asks before overwriting; open mode accepts only existing files.
  // Listing a folder never reads the contents of its files.
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
  virtual std::optional<ColorRef> ChooseColor(ColorRef initial) = 0;
  virtual std::optional<FontChoice> ChooseFont(const FontRequest& request) = 0;

  // The common boxes.
  // Yes, No and Cancel, the question icon, Cancel as the default button.
  Answer AskYesNoCancel(const std::string& question) {
    return ShowMessage({question, MessageIcon::kQuestion, MessageButtons::kYesNoCancel, Answer::kCancel});
  }
  // The warning icon and an OK button.
  void ShowWarning(const std::string& text) { ShowMessage({text, MessageIcon::kWarning}); }
  // The error icon and an OK button.
  void ShowError(const std::string& text) { ShowMessage({text, MessageIcon::kError}); }
};

}  // namespace platform::ui
