#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/dialog_service.h"

namespace platform::ui::testing {

// Answers a window's dialogs from queues filled by a test and records what
// was asked. A message box without a queued answer is answered like a closed
// box (Cancel, No, OK or the default); other dialogs are cancelled.
class ScriptedDialogs : public DialogService {
 public:
  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> files;
  std::deque<std::optional<ColorRef>> colors;
  std::deque<std::optional<FontChoice>> fonts;

  std::vector<Message> messages;       // every message box, in order
  std::vector<std::string> questions;  // texts of boxes with the question icon
  std::vector<std::string> warnings;   // … the warning icon
  std::vector<std::string> errors;     // … the error icon
  std::vector<FileDialogRequest> file_requests;
  std::vector<ColorRef> color_requests;
  std::vector<FontRequest> font_requests;

  Answer ShowMessage(const Message& message) override {
    messages.push_back(message);
    if (message.icon == MessageIcon::kQuestion) questions.push_back(message.text);
    if (message.icon == MessageIcon::kWarning) warnings.push_back(message.text);
    if (message.icon == MessageIcon::kError) errors.push_back(message.text);
    return Pop(answers, CloseAnswer(message.buttons).value_or(message.default_answer));
  }
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
    file_requests.push_back(request);
    return Pop(files, std::optional<std::string>());
  }
  std::optional<ColorRef> ChooseColor(ColorRef initial) override {
    color_requests.push_back(initial);
    return Pop(colors, std::optional<ColorRef>());
  }
  std::optional<FontChoice> ChooseFont(const FontRequest& request) override {
    font_requests.push_back(request);
    return Pop(fonts, std::optional<FontChoice>());
  }

 private:
  template <typename T>
  static T Pop(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
  }
};

}  // namespace platform::ui::testing
