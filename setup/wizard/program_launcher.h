#pragma once

#include <string_view>

#include "platform/status.h"

namespace setup::wizard {

class EngineProgress;

// Starting programs on the target system, and the restart of its Windows.
// Paths are Windows paths of the target system; the implementation maps a
// program to its host file and runs it with the same target system. A target
// that is neither one of our programs nor a host executable is recorded and
// skipped, never handed to a shell.
class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // ShellExecuteA "OPEN": starts program with parameters and does not wait.
  // A failure says why nothing was started.
  virtual platform::Status Start(std::string_view program, std::string_view parameters) = 0;
  // RunAndWait: starts the whole command line and waits for its end,
  // calling progress.Pump() while it waits. A failure says why nothing was
  // started.
  virtual platform::Status RunAndWait(std::string_view command_line, EngineProgress& progress) = 0;
  // RestartWindows: runs the restart command of the target system's
  // settings, if any, else only records the request. Never the host.
  virtual void RestartWindows() = 0;
};

}  // namespace setup::wizard
