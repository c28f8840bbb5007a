#pragma once

#include <deque>
#include <vector>

#include "setup/wizard/prompter.h"

namespace setup::app::testing {

// Answers from a list (the default button once the list is used up) and
// keeps every message it was shown.
class ScriptedPrompter : public wizard::Prompter {
 public:
  explicit ScriptedPrompter(std::deque<wizard::Answer> answers = {}) : answers_(std::move(answers)) {}
  wizard::Answer Ask(const wizard::Message& message) override {
    shown.push_back(message);
    if (answers_.empty()) return message.default_answer;
    const wizard::Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  std::vector<wizard::Message> shown;

 private:
  std::deque<wizard::Answer> answers_;
};

}  // namespace setup::app::testing
