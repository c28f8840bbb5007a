#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/status_or.h"

namespace platform {

// A program of the host started without a shell: the file to run, its
// argument vector (argv[0] included) and environment changes on top of the
// inherited environment ("NAME=value"; a later entry replaces an earlier one
// of the same name).
struct HostCommand {
  std::string program;
  std::vector<std::string> argv;
  std::vector<std::string> environment_changes;
};

// A started child process; 0 when nothing was started.
struct HostProcess {
  int pid = 0;
  bool started() const { return pid > 0; }
};

// Starts the command; the child inherits the standard streams and the
// current folder. A failure names the program and the reason.
StatusOr<HostProcess> StartHostProcess(const HostCommand& command);

// Waits for the child's end, calling between_checks about every 10 ms
// while it runs. The exit status, or 128 + the signal number of a child
// killed by one; -1 when the child cannot be waited for.
int WaitHostProcess(HostProcess process, const std::function<void()>& between_checks = {});

// Collects the child's exit without waiting; true once it has ended (its
// status is then gone), false while it runs.
bool ReapIfEnded(HostProcess process);

// Whether the host file is a regular file its user may execute.
bool IsHostExecutable(const std::string& path);

}  // namespace platform
