#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/target_system/target_system.h"

namespace setup::app {

// What a path that a script asks us to start turns out to be.
enum class LaunchKind {
  kProgram,   // a regular executable file: an ELF program, or a script whose
              // interpreter is such a program, all inside the system's drives
  kDocument,  // a plain, non-executable file of a document type
  kRefused,   // anything else: never started, never opened
};

struct LaunchTarget {
  LaunchKind kind = LaunchKind::kRefused;
  std::filesystem::path host_file;  // with every link resolved
  std::string reason;               // why it is refused
};

// Decides what windows_path may become on the host. Everything is resolved
// to its real file first, and that file (and a script's interpreter) must
// lie inside the host folder of one of the system's drives (the run's
// package drive included): a link that leads out of them, a host program
// named by a "#!" line, a desktop entry, a FIFO or a folder is refused.
LaunchTarget ClassifyLaunchTarget(const platform::target::TargetSystem& system,
                                  std::string_view windows_path);

// True when host_path, with every link resolved, lies inside one of the
// drives' host folders.
bool IsInsideSomeDrive(const platform::target::DriveMap& drives, const std::filesystem::path& host_path);

}  // namespace setup::app
