#include "setup/app/invocation.h"

#include "setup/core/path_text.h"

namespace setup::app {
namespace {

// Takes the switch into options; false when the argument is none.
bool TakeSwitch(const std::string& argument, UnattendedOptions& options) {
  const std::string lower = AsciiLower(argument);
  const auto value_of = [&](std::string_view prefix) -> std::optional<std::string> {
    if (!lower.starts_with(prefix)) return std::nullopt;
    return argument.substr(prefix.size());
  };
  if (lower == "/silent") {
    options.silent = true;
  } else if (lower == "/restart") {
    options.restart = true;
  } else if (lower == "/norun") {
    options.no_run = true;
  } else if (auto dir = value_of("/dir=")) {
    options.dir = std::move(dir);
  } else if (auto group = value_of("/group=")) {
    options.group = std::move(group);
  } else if (auto log = value_of("/log=")) {
    options.log = std::move(log);
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool IsUninstallerName(std::string_view file_name) { return AsciiLower(file_name) == "kestro.exe"; }

Invocation ParseInvocation(std::string_view file_name, const std::vector<std::string>& arguments) {
  Invocation invocation;
  const bool uninstaller = IsUninstallerName(file_name);
  const std::string first = arguments.empty() ? std::string() : AsciiLower(arguments[0]);
  // After /u and /d the second argument is the subject, whatever it reads.
  const std::size_t kept_ahead =
      uninstaller && arguments.size() >= 2 && (first == "/u" || first == "/d") ? 2 : 0;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i < kept_ahead || !TakeSwitch(arguments[i], invocation.options)) {
      invocation.arguments.push_back(arguments[i]);
    }
  }
  if (!uninstaller) return invocation;

  const std::vector<std::string>& rest = invocation.arguments;
  if (kept_ahead == 2) {
    invocation.mode = first == "/u" ? ProgramMode::kUninstall : ProgramMode::kCleanUp;
    invocation.subject = rest[1];
  } else if (rest.size() == 1 && AsciiLower(rest[0]) == "/r") {
    invocation.mode = ProgramMode::kRestartQuestion;
  } else {
    invocation.mode = ProgramMode::kVersionBox;
  }
  return invocation;
}

}  // namespace setup::app
