#pragma once

#include <string_view>

#include "platform/status.h"
#include "platform/target_system/target_system.h"

namespace setup {

using platform::Status;
using platform::target::TargetSystem;

// Moves the files or folders of the list into the host user's trash, where
// a file manager can restore them. paths holds one path or several
// separated by NUL characters (a trailing NUL ends the list). silent
// suppresses questions and progress, which this platform never shows.
// Success when every path was moved; a failure for an empty list or at the
// first path that could not be moved (the paths before it are moved).
Status DeleteToRecycleBin(const TargetSystem& system, std::string_view paths, bool silent);

}  // namespace setup
