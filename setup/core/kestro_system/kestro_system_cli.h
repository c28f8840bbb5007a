#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace setup {

// The kestro-system tool for package authors: creates and inspects target
// systems, moves registry text in and out, and shows what the installer's
// path expansions give on a system.
//
//   kestro-system [--system DIR] COMMAND ...
//
// args excludes the program name. Results go to out, messages to err; the
// result is the process exit code (0 success, 1 failure, 2 usage error).
int RunKestroSystem(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace setup
