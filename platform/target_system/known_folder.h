#pragma once

#include <string>
#include <string_view>

namespace platform::target {

// The machine's own place of a shell folder named as in the registry's Shell
// Folders ("Desktop", "Programs", "Common Startup", …), without a trailing
// backslash; empty when the machine gives none, so that the caller falls
// back to the registry. The target system has no shell: always empty there.
std::string KnownShellFolder(std::string_view value_name);

}  // namespace platform::target
