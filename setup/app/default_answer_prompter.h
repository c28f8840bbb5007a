#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "setup/wizard/action_log.h"
#include "setup/wizard/prompter.h"

namespace setup::app {

// The unattended mode's answers: every question takes its default button,
// except that a Retry default, which could repeat for ever, is taken at
// most retry_limit times in a row for the same question and then replaced
// by the fallback: Abort for the installer (the work stops), Ignore for the
// uninstaller (the file is left and reported). Every message goes to err in
// UTF-8 with its answer, and to the log as
//   ANSWER<TAB>text<TAB>answer
class DefaultAnswerPrompter : public wizard::Prompter {
 public:
  static constexpr int kRetryLimit = 3;

  DefaultAnswerPrompter(std::ostream& err, wizard::ActionLog& log, wizard::Answer retry_fallback,
                        int retry_limit = kRetryLimit)
      : err_(err), log_(log), retry_fallback_(retry_fallback), retry_limit_(retry_limit) {}

  wizard::Answer Ask(const wizard::Message& message) override;

  // How many questions were answered Ignore: things left undone.
  int ignored() const { return ignored_; }
  // How many messages carried the error icon.
  int errors() const { return errors_; }

 private:
  std::ostream& err_;
  wizard::ActionLog& log_;
  wizard::Answer retry_fallback_;
  int retry_limit_;
  std::string last_text_;
  int retries_in_a_row_ = 0;
  int ignored_ = 0;
  int errors_ = 0;
};

// "OK", "Yes", "No", "Abort", "Retry" or "Ignore".
std::string_view AnswerWord(wizard::Answer answer);

}  // namespace setup::app
