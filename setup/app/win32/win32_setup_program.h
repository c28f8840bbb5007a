#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace setup::app {

// The Setup program on Windows, unattended: the same modes, switches, exit
// statuses and action log as the Linux program, with the running Windows as
// the target system. program_path is the running program (its name chooses
// the mode, its folder holds the package); arguments exclude the program's
// name. Messages go to err and to the log. Returns the exit status.
int RunWin32SetupProgram(const std::filesystem::path& program_path, const std::vector<std::string>& arguments,
                         std::ostream& err);

}  // namespace setup::app
