#include "platform/target_system/short_path.h"

namespace platform::target {

// The target system's folders keep long names only.
std::string ShortPathName(std::string_view path) { return std::string(path); }

}  // namespace platform::target
