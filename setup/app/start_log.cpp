#include "setup/app/start_log.h"

#include "setup/wizard/engine/install_run.h"

namespace setup::app {

wizard::Answer LoggedPrompter::Ask(const wizard::Message& message) {
  const wizard::Answer answer = inner_.Ask(message);
  log_.Add("MESSAGE", {message.text, wizard::AnswerName(answer)});
  return answer;
}

std::string_view ModeWord(ProgramMode mode) {
  switch (mode) {
    case ProgramMode::kSetup: return "setup";
    case ProgramMode::kUninstall: return "uninstall";
    case ProgramMode::kCleanUp: return "cleanup";
    case ProgramMode::kRestartQuestion: return "restart";
    case ProgramMode::kVersionBox: return "version";
  }
  return "setup";
}

}  // namespace setup::app
