#include "setup/app/host_program_launcher.h"

#include "platform/target_system/run_only_drives.h"
#include "setup/app/windows_arguments.h"
#include "setup/core/command_line.h"
#include "setup/wizard/engine_progress.h"

namespace setup::app {
namespace fs = std::filesystem;

std::vector<std::string> HostProgramLauncher::ChildEnvironment() const {
  std::vector<std::string> env = {
      "KESTRO_SYSTEM=" + system_.folder().string(),
      std::string(platform::target::kRunOnlyDrivesVariable) + "=" +
          platform::target::RunOnlyDrivesText(system_)};
  if (unattended_) env.push_back("KESTRO_UNATTENDED=1");
  return env;
}

bool HostProgramLauncher::Prepare(std::string_view program, std::string_view parameters,
                                  platform::HostCommand* command) {
  fs::path host;
  const auto mapped = system_.drives().ToHostPath(program, &host);
  std::string reason;
  if (!mapped.ok()) {
    reason = "not on a drive of this system";
  } else if (!platform::IsHostExecutable(host.string())) {
    reason = "not a program";
  }
  if (!reason.empty()) {
    log_.Add("SKIP", {program, parameters, reason});
    return false;
  }
  command->program = host.string();
  command->argv = {host.string()};
  for (std::string& argument : SplitWindowsArguments(parameters)) command->argv.push_back(std::move(argument));
  command->environment_changes = ChildEnvironment();
  return true;
}

void HostProgramLauncher::ReapEnded() {
  std::erase_if(started_, [](platform::HostProcess process) { return platform::ReapIfEnded(process); });
}

bool HostProgramLauncher::Start(std::string_view program, std::string_view parameters) {
  ReapEnded();
  platform::HostCommand command;
  if (!Prepare(program, parameters, &command)) return false;
  std::string error;
  const platform::HostProcess process = platform::StartHostProcess(command, &error);
  if (!process.started()) {
    log_.Add("SKIP", {program, parameters, error});
    return false;
  }
  started_.push_back(process);
  return true;
}

bool HostProgramLauncher::RunAndWait(std::string_view command_line, wizard::EngineProgress& progress) {
  const ProgramAndParameters split = SplitCommandLine(system_, command_line);
  platform::HostCommand command;
  if (!Prepare(split.program, split.parameters, &command)) return false;
  std::string error;
  const platform::HostProcess process = platform::StartHostProcess(command, &error);
  if (!process.started()) {
    log_.Add("SKIP", {split.program, split.parameters, error});
    return false;
  }
  const int status = platform::WaitHostProcess(process, [&progress] { progress.Pump(); });
  log_.Add("EXIT", {split.program, split.parameters, std::to_string(status)});
  return true;
}

void HostProgramLauncher::RestartWindows() {
  const std::string& restart = system_.settings().restart_command;
  if (restart.empty()) {
    log_.Add("REBOOT", {"", "recorded"});
    return;
  }
  // The command is the system owner's own setting, not package input, so
  // the host's shell may read it.
  platform::HostCommand command;
  command.program = "/bin/sh";
  command.argv = {"/bin/sh", "-c", restart};
  command.environment_changes = ChildEnvironment();
  std::string error;
  const platform::HostProcess process = platform::StartHostProcess(command, &error);
  const int status = platform::WaitHostProcess(process);
  log_.Add("REBOOT", {restart, process.started() ? "exit " + std::to_string(status) : error});
}

}  // namespace setup::app
