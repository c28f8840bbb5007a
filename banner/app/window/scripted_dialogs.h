#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "banner/app/window/dialog_service.h"

namespace plakato::testing {

// Answers the window's dialogs from queues filled by a test and records what
// was asked. An unexpected dialog is answered with Cancel and recorded.
class ScriptedDialogs : public DialogService {
 public:
  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> files;
  std::deque<std::optional<Color>> colors;
  std::deque<std::optional<FontChoice>> fonts;

  std::vector<std::string> questions;
  std::vector<std::string> warnings;
  std::vector<std::string> errors;
  std::vector<FileDialogRequest> file_requests;
  std::vector<Color> color_requests;
  std::vector<FontRequest> font_requests;

  Answer AskYesNoCancel(const std::string& question) override {
    questions.push_back(question);
    return Pop(answers, Answer::kCancel);
  }
  void ShowWarning(const std::string& text) override { warnings.push_back(text); }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
    file_requests.push_back(request);
    return Pop(files, std::optional<std::string>());
  }
  std::optional<Color> ChooseColor(Color initial) override {
    color_requests.push_back(initial);
    return Pop(colors, std::optional<Color>());
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

}  // namespace plakato::testing
