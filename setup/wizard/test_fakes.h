#pragma once

// Fakes shared by the wizard's tests: a prompter that answers from a list, a
// launcher that starts nothing and a progress display that counts.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "setup/wizard/engine_progress.h"
#include "setup/wizard/program_launcher.h"
#include "setup/wizard/prompter.h"

namespace setup::wizard::testing {

// Answers with the queued answers, then with each question's default; keeps
// every question. A hook may change the system before an answer is given.
class ScriptedPrompter : public Prompter {
 public:
  Answer Ask(const Message& message) override {
    asked.push_back(message);
    if (before_answer) before_answer(message);
    if (answers.empty()) return message.default_answer;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<Answer> answers;
  std::vector<Message> asked;
  std::function<void(const Message&)> before_answer;
};

// Records "program|parameters" of every start and each command waited for.
class RecordingLauncher : public ProgramLauncher {
 public:
  platform::Status Start(std::string_view program, std::string_view parameters) override {
    started.push_back(std::string(program) + "|" + std::string(parameters));
    return start_result;
  }
  platform::Status RunAndWait(std::string_view command_line, EngineProgress&) override {
    waited.emplace_back(command_line);
    return run_and_wait_result ? platform::Status::Ok() : platform::Status::IoError("not run by the test");
  }
  void RestartWindows() override { ++restarts; }
  std::vector<std::string> started;
  std::vector<std::string> waited;
  bool run_and_wait_result = false;
  platform::Status start_result;
  int restarts = 0;
};

// Counts what an engine reports per step.
class CountingProgress : public EngineProgress {
 public:
  void StepStarted(int step) override { ++started[step]; }
  void Advanced(int step) override { ++advanced[step]; }
  void StepFinished(int step) override { ++finished[step]; }
  void BringToFront() override { ++brought_to_front; }
  std::map<int, int> started, advanced, finished;
  int brought_to_front = 0;
};

}  // namespace setup::wizard::testing
