#include "platform/host_process.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

extern char** environ;

namespace platform {
namespace {

std::string NameOf(const std::string& assignment) { return assignment.substr(0, assignment.find('=')); }

// The inherited environment with the changes applied.
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& changes) {
  std::vector<std::string> merged;
  for (char** entry = environ; entry && *entry; ++entry) merged.emplace_back(*entry);
  for (const std::string& change : changes) {
    const std::string name = NameOf(change);
    std::erase_if(merged, [&](const std::string& e) { return NameOf(e) == name; });
    merged.push_back(change);
  }
  return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

StatusOr<HostProcess> StartHostProcess(const HostCommand& command) {
  std::vector<std::string> argv = command.argv;
  if (argv.empty()) argv.push_back(command.program);
  std::vector<std::string> env = MergedEnvironment(command.environment_changes);
  std::vector<char*> argv_pointers = Pointers(argv);
  std::vector<char*> env_pointers = Pointers(env);
  pid_t pid = 0;
  const int rc = ::posix_spawn(&pid, command.program.c_str(), nullptr, nullptr, argv_pointers.data(),
                               env_pointers.data());
  if (rc != 0) return Status::FromErrno(rc, command.program);
  return HostProcess{pid};
}

int WaitHostProcess(HostProcess process, const std::function<void()>& between_checks) {
  if (!process.started()) return -1;
  while (true) {
    int status = 0;
    const pid_t done = ::waitpid(process.pid, &status, WNOHANG);
    if (done == process.pid) {
      if (WIFEXITED(status)) return WEXITSTATUS(status);
      if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
      continue;  // stopped or continued: still running
    }
    if (done < 0 && errno != EINTR) return -1;
    if (between_checks) between_checks();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

bool ReapIfEnded(HostProcess process) {
  if (!process.started()) return true;
  int status = 0;
  const pid_t done = ::waitpid(process.pid, &status, WNOHANG);
  return done == process.pid ? WIFEXITED(status) || WIFSIGNALED(status) : done < 0 && errno == ECHILD;
}

bool IsHostExecutable(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace platform
