#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "setup/app/setup_program.h"

namespace setup::app {

// The Setup program on Windows: the same modes, switches, exit statuses and
// action log as the Linux program, with the running Windows as the target
// system. program_path is the running program (its name chooses the mode,
// its folder holds the package); arguments exclude the program's name.
// With a window front its prompter asks every question and it shows the
// wizard; without one (unattended) every question takes its default answer
// and messages go to err and to the log. A factory that makes no front
// (no desktop to show windows on) ends the program with status 1 before
// any change. Returns the exit status.
using WindowFrontFactory = std::function<std::unique_ptr<ProgramFront>()>;
int RunWin32SetupProgram(const std::filesystem::path& program_path, const std::vector<std::string>& arguments,
                         std::ostream& err, const WindowFrontFactory& window_front);

}  // namespace setup::app
