#pragma once

#include <string_view>

#include "platform/target/target_system.h"

namespace setup {

using platform::target::TargetSystem;

// Moves the files or folders of the list into the host user's trash, where
// a file manager can restore them. paths holds one path or several
// separated by NUL characters (a trailing NUL ends the list). silent
// suppresses questions and progress, which this platform never shows. True
// when every path was moved; false for an empty list or any failure.
bool DeleteToRecycleBin(const TargetSystem& system, std::string_view paths, bool silent);

}  // namespace setup
