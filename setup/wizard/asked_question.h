#pragma once

#include <string_view>

#include "setup/wizard/prompter.h"
#include "setup/wizard/setup_run.h"

namespace setup::wizard {

// "OK", "YES", "NO", "ABORT", "RETRY", "IGNORE".
std::string_view AnswerName(Answer answer);

// Asks through the run's prompter and logs the question with its answer:
//   MESSAGE<TAB>text<TAB>answer
Answer AskAndLog(SetupRun& run, const Message& message);

}  // namespace setup::wizard
