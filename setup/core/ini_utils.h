#pragma once

#include <string>
#include <string_view>

#include "platform/status.h"
#include "platform/target_system/target_system.h"

namespace setup {

using platform::Status;
using platform::target::TargetSystem;

// INI-file edits on Windows paths of the target system. A bare file name
// ("win.ini") means the file in the Windows folder, as the profile functions
// take it. Every call maps the path, opens and closes the file, and never
// throws. Texts are UTF-8; files hold code page 932.

// The value as the script reader gives it; def when the path cannot be
// mapped or the value is missing.
std::string IniReadString(TargetSystem& system, std::string_view file, std::string_view section,
                          std::string_view key, std::string_view def = {});
// Success when written; a failure (with the reason) when the path cannot be
// mapped or leads out of its drive through a link, the file is read-only,
// or it cannot be written (its folder must exist).
Status IniWriteString(TargetSystem& system, std::string_view file, std::string_view section,
                      std::string_view key, std::string_view value);
// Removes the key. A missing file, section or key leaves nothing to do
// (success); failures as IniWriteString.
Status IniDeleteKey(TargetSystem& system, std::string_view file, std::string_view section,
                    std::string_view key);
// Removes the section with its keys; failures as IniWriteString.
Status IniEraseSection(TargetSystem& system, std::string_view file, std::string_view section);

}  // namespace setup
