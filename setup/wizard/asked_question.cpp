#include "setup/wizard/asked_question.h"

namespace setup::wizard {

std::string_view AnswerName(Answer answer) {
  switch (answer) {
    case Answer::kOk: return "OK";
    case Answer::kYes: return "YES";
    case Answer::kNo: return "NO";
    case Answer::kAbort: return "ABORT";
    case Answer::kRetry: return "RETRY";
    case Answer::kIgnore: return "IGNORE";
  }
  return "?";
}

Answer AskAndLog(SetupRun& run, const Message& message) {
  const Answer answer = run.prompter.Ask(message);
  run.log.Add("MESSAGE", {message.text, AnswerName(answer)});
  return answer;
}

}  // namespace setup::wizard
