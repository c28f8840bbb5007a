#include "setup/app/host_program_launcher.h"

#include <cstdlib>
#include <system_error>

#include "platform/target_system/run_only_drives.h"
#include "setup/app/launch_rule.h"
#include "setup/app/windows_arguments.h"
#include "setup/core/command_line.h"
#include "setup/core/path_text.h"
#include "setup/wizard/engine_progress.h"
#include "setup/wizard/record/record_keys.h"

namespace setup::app {
namespace fs = std::filesystem;

namespace {

// The desktop's opener as a host program: KESTRO_DOCUMENT_OPENER (set by
// the user) or xdg-open, looked up in PATH; empty when there is none.
fs::path DocumentOpener() {
  const char* chosen = std::getenv("KESTRO_DOCUMENT_OPENER");
  const std::string name = chosen != nullptr && *chosen != '\0' ? chosen : "xdg-open";
  if (name.find('/') != std::string::npos)
    return platform::IsHostExecutable(name) ? fs::path(name) : fs::path();
  const char* path = std::getenv("PATH");
  std::string_view folders = path != nullptr ? path : "/usr/bin:/bin";
  while (!folders.empty()) {
    const std::size_t colon = folders.find(':');
    const fs::path candidate = fs::path(std::string(folders.substr(0, colon))) / name;
    if (candidate.is_absolute() && platform::IsHostExecutable(candidate.string())) return candidate;
    if (colon == std::string_view::npos) break;
    folders.remove_prefix(colon + 1);
  }
  return {};
}

}  // namespace

int RunDepthFromEnvironment() {
  const char* text = std::getenv(kRunDepthVariable);
  if (text == nullptr) return 0;
  char* end = nullptr;
  const long depth = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || depth < 0) return 0;
  return depth > 1000 ? 1000 : static_cast<int>(depth);
}

std::vector<std::string> HostProgramLauncher::ChildEnvironment() const {
  std::vector<std::string> env = {"KESTRO_SYSTEM=" + system_.folder().string(),
                                  std::string(platform::target::kRunOnlyDrivesVariable) + "=" +
                                      platform::target::RunOnlyDrivesText(system_),
                                  std::string(kRunDepthVariable) + "=" + std::to_string(policy_.depth + 1)};
  if (unattended_) env.push_back("KESTRO_UNATTENDED=1");
  return env;
}

bool HostProgramLauncher::AllowedUnderNoRun(std::string_view program, std::string_view parameters) const {
  const std::string uninstaller = JoinPath(system_.windows_folder(), wizard::kUninstallerName);
  if (AsciiLower(program) != AsciiLower(uninstaller)) return false;
  const std::vector<std::string> words = SplitWindowsArguments(parameters);
  if (words.empty()) return false;
  const std::string first = AsciiLower(words[0]);
  return (first == "/r" && words.size() == 1) || (first == "/d" && words.size() == 2);
}

platform::Status HostProgramLauncher::Skip(std::string_view program, std::string_view parameters,
                                           const std::string& reason) {
  log_.Add("SKIP", {program, parameters, reason});
  return platform::Status::AccessDenied(reason);
}

platform::Status HostProgramLauncher::OpenDocument(std::string_view program, const fs::path& file) {
  if (unattended_) return Skip(program, "", "a document is not opened in an unattended run");
  const fs::path opener = DocumentOpener();
  if (opener.empty()) return Skip(program, "", "no desktop opener for documents");
  platform::HostCommand command;
  command.program = opener.string();
  command.argv = {opener.string(), file.string()};
  const platform::StatusOr<platform::HostProcess> process = platform::StartHostProcess(command);
  if (!process.ok()) {
    log_.Add("SKIP", {program, "", process.status().message()});
    return process.status();
  }
  started_.push_back(*process);
  log_.Add("OPEN", {program, file.string(), opener.string()});
  return platform::Status::Ok();
}

platform::Status HostProgramLauncher::Prepare(std::string_view program, std::string_view parameters,
                                              platform::HostCommand* command, bool* opened_document) {
  *opened_document = false;
  if (policy_.depth >= kMaxRunDepth) {
    return Skip(program, parameters, "started by runs nested " + std::to_string(policy_.depth) + " deep");
  }
  if (policy_.no_run && !AllowedUnderNoRun(program, parameters)) return Skip(program, parameters, "/norun");
  const LaunchTarget target = ClassifyLaunchTarget(system_, program);
  if (target.kind == LaunchKind::kDocument) {
    *opened_document = true;
    return OpenDocument(program, target.host_file);
  }
  if (target.kind == LaunchKind::kRefused) return Skip(program, parameters, target.reason);
  // The resolved file is what runs: a link on the way is not followed again.
  command->program = target.host_file.string();
  command->argv = {target.host_file.string()};
  for (std::string& argument : SplitWindowsArguments(parameters))
    command->argv.push_back(std::move(argument));
  command->environment_changes = ChildEnvironment();
  return platform::Status::Ok();
}

void HostProgramLauncher::ReapEnded() {
  std::erase_if(started_, [](platform::HostProcess process) { return platform::ReapIfEnded(process); });
}

platform::Status HostProgramLauncher::Start(std::string_view program, std::string_view parameters) {
  ReapEnded();
  platform::HostCommand command;
  bool opened = false;
  const platform::Status prepared = Prepare(program, parameters, &command, &opened);
  if (!prepared.ok() || opened) return prepared;
  const platform::StatusOr<platform::HostProcess> process = platform::StartHostProcess(command);
  if (!process.ok()) {
    log_.Add("SKIP", {program, parameters, process.status().message()});
    return process.status();
  }
  started_.push_back(*process);
  return platform::Status::Ok();
}

platform::Status HostProgramLauncher::RunAndWait(std::string_view command_line,
                                                 wizard::EngineProgress& progress) {
  const ProgramAndParameters split = SplitCommandLine(system_, command_line);
  platform::HostCommand command;
  bool opened = false;
  const platform::Status prepared = Prepare(split.program, split.parameters, &command, &opened);
  if (!prepared.ok() || opened) return prepared;
  const platform::StatusOr<platform::HostProcess> process = platform::StartHostProcess(command);
  if (!process.ok()) {
    log_.Add("SKIP", {split.program, split.parameters, process.status().message()});
    return process.status();
  }
  const int status = platform::WaitHostProcess(*process, [&progress] { progress.Pump(); });
  log_.Add("EXIT", {split.program, split.parameters, std::to_string(status)});
  return platform::Status::Ok();
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
  const platform::StatusOr<platform::HostProcess> process = platform::StartHostProcess(command);
  if (!process.ok()) {
    log_.Add("REBOOT", {restart, process.status().message()});
    return;
  }
  log_.Add("REBOOT", {restart, "exit " + std::to_string(platform::WaitHostProcess(*process))});
}

}  // namespace setup::app
