#pragma once

#include <string_view>

#include "setup/app/invocation.h"
#include "setup/wizard/action_log.h"
#include "setup/wizard/prompter.h"

namespace setup::app {

// The messages of the program's own start, logged as the wizard logs its
// messages: MESSAGE<TAB>text<TAB>answer.
class LoggedPrompter : public wizard::Prompter {
 public:
  LoggedPrompter(wizard::Prompter& inner, wizard::ActionLog& log) : inner_(inner), log_(log) {}
  wizard::Answer Ask(const wizard::Message& message) override;

 private:
  wizard::Prompter& inner_;
  wizard::ActionLog& log_;
};

// The mode's word in the START line of the action log.
std::string_view ModeWord(ProgramMode mode);

}  // namespace setup::app
