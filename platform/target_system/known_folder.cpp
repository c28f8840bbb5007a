#include "platform/target_system/known_folder.h"

namespace platform::target {

// The target system's shell folders live in its registry only.
std::string KnownShellFolder(std::string_view) { return {}; }

}  // namespace platform::target
