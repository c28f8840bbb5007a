#pragma once

#include <stdio.h>
#include <sys/wait.h>

#include <array>
#include <string>

namespace setup::app::testing {

// A text as one word of a shell command line.
inline std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

struct ProcessResult {
  int status = -1;     // the exit status; -1 when the program did not end by itself
  std::string output;  // what the command wrote
};

// Runs a shell command line and reads what it writes to the end, which also
// waits for every program it started that still holds its output.
inline ProcessResult RunCommand(const std::string& command) {
  ProcessResult run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 512> buffer;
  while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
    run.output.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace setup::app::testing
