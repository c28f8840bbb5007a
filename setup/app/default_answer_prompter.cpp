#include "setup/app/default_answer_prompter.h"

#include "setup/wizard/action_log.h"
#include "setup/wizard/engine/install_run.h"

namespace setup::app {

using wizard::Answer;

Answer DefaultAnswerPrompter::Ask(const wizard::Message& message) {
  Answer answer = message.default_answer;
  if (answer == Answer::kRetry) {
    retries_in_a_row_ = message.text == last_text_ ? retries_in_a_row_ + 1 : 1;
    if (retries_in_a_row_ > retry_limit_) {
      answer = retry_fallback_;
      retries_in_a_row_ = 0;
    }
  } else {
    retries_in_a_row_ = 0;
  }
  last_text_ = message.text;
  if (answer == Answer::kIgnore) ++ignored_;
  if (message.icon == wizard::MessageIcon::kError) ++errors_;

  err_ << wizard::EscapeControlCharacters(message.caption) << ": ";
  for (char c : wizard::EscapeControlCharacters(message.text)) {
    err_ << c;
    if (c == '\n') err_ << "  ";
  }
  err_ << "\n  -> " << wizard::AnswerName(answer) << "\n";
  err_.flush();
  return answer;
}

}  // namespace setup::app
