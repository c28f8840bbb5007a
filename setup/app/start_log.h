#pragma once

#include <string>
#include <string_view>

#include "setup/app/exit_status.h"
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

// Ends the log with the exit status however the run ends:
//   END<TAB>status
struct EndLine {
  wizard::ActionLog& log;
  int status = kExitRefused;
  ~EndLine() { log.Add("END", {std::to_string(status)}); }
};

// The mode's word in the START line of the action log.
std::string_view ModeWord(ProgramMode mode);

}  // namespace setup::app
