#pragma once

#include <optional>
#include <string>

namespace platform {

// The message boxes and questions of both programs, in one vocabulary: the
// installer's engines and wizard ask them through their prompter, the
// windows show them through the dialog service, tests answer them by
// script. Texts are UTF-8; "\n" is a line break.

enum class MessageIcon { kNone, kInformation, kQuestion, kWarning, kError };
enum class MessageButtons { kOk, kYesNo, kYesNoCancel, kAbortRetryIgnore };
enum class Answer { kOk, kCancel, kYes, kNo, kAbort, kRetry, kIgnore };

// One message box. default_answer must be one of the box's buttons.
struct Message {
  std::string text;
  MessageIcon icon = MessageIcon::kNone;
  MessageButtons buttons = MessageButtons::kOk;
  Answer default_answer = Answer::kOk;
  // The box's title; empty for the program's own, set where the dialog
  // service is made.
  std::string caption{};
};

// What closing a box (Escape, the close button) means, as on Windows: Cancel
// where there is one, otherwise OK; Yes/No and Abort/Retry/Ignore boxes
// cannot be closed.
inline std::optional<Answer> CloseAnswer(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOk: return Answer::kOk;
    case MessageButtons::kYesNoCancel: return Answer::kCancel;
    case MessageButtons::kYesNo:
    case MessageButtons::kAbortRetryIgnore: break;
  }
  return std::nullopt;
}

}  // namespace platform
