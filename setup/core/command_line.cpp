#include "setup/core/command_line.h"

#include "setup/core/path_text.h"

namespace setup {
namespace {

bool NamesExistingFile(const TargetSystem& system, std::string_view path) {
  platform::target::FileEntry entry;
  return !path.empty() && system.files().Stat(path, &entry).ok() && !entry.is_folder;
}

}  // namespace

ProgramAndParameters SplitCommandLine(const TargetSystem& system, std::string_view command) {
  if (NamesExistingFile(system, command)) return {TrimBlanks(command), {}};
  if (command.starts_with('"')) {
    const std::string_view rest = command.substr(1);
    const std::size_t close = rest.find('"');
    if (close == std::string_view::npos) return {std::string(rest), {}};
    return {std::string(rest.substr(0, close)), std::string(rest.substr(close + 1))};
  }
  for (std::size_t blank = command.find(' '); blank != std::string_view::npos;
       blank = command.find(' ', blank + 1)) {
    if (NamesExistingFile(system, command.substr(0, blank))) {
      return {std::string(command.substr(0, blank)), std::string(command.substr(blank + 1))};
    }
  }
  return {std::string(command), {}};
}

}  // namespace setup
