#pragma once

#include <string>
#include <string_view>

#include "platform/target_system/target_system.h"

namespace setup {

using platform::target::TargetSystem;

struct ProgramAndParameters {
  std::string program;
  std::string parameters;
  bool operator==(const ProgramAndParameters&) const = default;
};

// Splits a command text into the program to start and its parameters:
// the whole text when it names an existing file (trimmed); the quoted part
// when it begins with a double quote (the parameters are the rest after the
// closing quote, untrimmed); else the shortest text before a blank that
// names an existing file, the parameters being what follows that blank;
// else the whole text with no parameters.
ProgramAndParameters SplitCommandLine(const TargetSystem& system, std::string_view command);

}  // namespace setup
