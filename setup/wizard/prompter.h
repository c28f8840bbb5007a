#pragma once

#include <string>
#include <string_view>

namespace setup::wizard {

// The application title: the caption of every message box of the installer.
inline constexpr std::string_view kSetupTitle = "kestro Setup for Windows";

enum class MessageIcon { kNone, kError, kWarning, kQuestion, kInformation };
enum class MessageButtons { kOk, kYesNo, kAbortRetryIgnore };
enum class Answer { kOk, kYes, kNo, kAbort, kRetry, kIgnore };

// One question or message of the installer, exactly as the user sees it.
struct Message {
  std::string caption = std::string(kSetupTitle);
  std::string text;  // UTF-8; "\n" is a line break
  MessageIcon icon = MessageIcon::kNone;
  MessageButtons buttons = MessageButtons::kOk;
  Answer default_answer = Answer::kOk;
};

// Every question and message of the wizard and the engines goes through
// this: the window answers with a message box, the unattended mode with the
// default button, tests with their script.
class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual Answer Ask(const Message& message) = 0;
};

// Helpers that build the three kinds of message the installer shows.
inline Message MakeMessage(std::string text, MessageIcon icon,
                           MessageButtons buttons = MessageButtons::kOk,
                           Answer default_answer = Answer::kOk) {
  Message m;
  m.text = std::move(text);
  m.icon = icon;
  m.buttons = buttons;
  m.default_answer = default_answer;
  return m;
}

}  // namespace setup::wizard
