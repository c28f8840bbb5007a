#pragma once

#include <string>
#include <string_view>

#include "platform/target/target_system.h"

namespace setup {

using platform::target::TargetSystem;

// INI-file edits on Windows paths of the target system. A bare file name
// ("win.ini") means the file in the Windows folder, as the profile functions
// take it. Every call maps the path, opens and closes the file, and never
// throws. Texts are UTF-8; files hold code page 932.

// The value as the script reader gives it; def when the path cannot be
// mapped or the value is missing.
std::string IniReadString(TargetSystem& system, std::string_view file, std::string_view section,
                          std::string_view key, std::string_view def = {});
// True when written; false when the path cannot be mapped or the file not
// written (its folder must exist).
bool IniWriteString(TargetSystem& system, std::string_view file, std::string_view section,
                    std::string_view key, std::string_view value);
// Removes the key; always true.
bool IniDeleteKey(TargetSystem& system, std::string_view file, std::string_view section,
                  std::string_view key);
// Removes the section with its keys; false when the file cannot be written.
bool IniEraseSection(TargetSystem& system, std::string_view file, std::string_view section);

}  // namespace setup
