#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace setup::app {

// What the program does, chosen from its own file name and command line.
enum class ProgramMode {
  kSetup,            // any file name but "kestro.exe": install from "Setup.dat" beside it
  kUninstall,        // kestro.exe /u NAME
  kCleanUp,          // kestro.exe /d FOLDER
  kRestartQuestion,  // kestro.exe /r
  kVersionBox,       // kestro.exe with anything else
};

// The switches of the unattended mode:
//   /silent         no window: every question takes its default answer
//   /dir=WINPATH    the destination folder (in place of the one proposed)
//   /group=NAME     the Start-menu folder (in place of the one proposed)
//   /log=HOSTPATH   the action log, appended to that host file
//   /restart        restart Windows at the end when the product asks for it
//   /norun          start no program of the package ([Run], [UnRun])
// Names are compared without regard to letter case.
struct UnattendedOptions {
  bool silent = false;
  std::optional<std::string> dir;
  std::optional<std::string> group;
  std::optional<std::string> log;
  bool restart = false;
  bool no_run = false;
};

struct Invocation {
  ProgramMode mode = ProgramMode::kSetup;
  std::string subject;  // the key name after /u, the folder after /d
  UnattendedOptions options;
  // The command-line arguments without the switches above: what the wizard
  // reads as the program's arguments.
  std::vector<std::string> arguments;
};

// True when the file name, lower-cased, is "kestro.exe".
bool IsUninstallerName(std::string_view file_name);

// The mode and switches for a program called file_name with arguments (the
// program name excluded). As "kestro.exe" the first argument, lower-cased,
// decides: "/u" or "/d" with a second argument (which is the subject even
// when it looks like a switch), "/r" alone, else the version box.
Invocation ParseInvocation(std::string_view file_name, const std::vector<std::string>& arguments);

}  // namespace setup::app
