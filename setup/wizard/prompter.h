#pragma once

#include <string>
#include <string_view>

#include "platform/message.h"

namespace setup::wizard {

// The application title: the caption of every message box of the installer.
inline constexpr std::string_view kSetupTitle = "kestro Setup for Windows";

// The questions and messages of the installer are the platform's message
// boxes; the installer's carry kSetupTitle as their caption unless they say
// otherwise.
using platform::Answer;
using platform::Message;
using platform::MessageButtons;
using platform::MessageIcon;

// Every question and message of the wizard and the engines goes through
// this: the window answers with a message box, the unattended mode with the
// default button, tests with their script.
class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual Answer Ask(const Message& message) = 0;
};

// Helpers that build the three kinds of message the installer shows.
inline Message MakeMessage(std::string text, MessageIcon icon, MessageButtons buttons = MessageButtons::kOk,
                           Answer default_answer = Answer::kOk) {
  Message m;
  m.caption = std::string(kSetupTitle);
  m.text = std::move(text);
  m.icon = icon;
  m.buttons = buttons;
  m.default_answer = default_answer;
  return m;
}

}  // namespace setup::wizard
