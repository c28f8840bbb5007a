#pragma once

#include <string>
#include <string_view>

namespace platform::target {

// The short (8.3) form of an existing path, as the machine's file system
// gives it; the path itself when it has none (the target system keeps long
// names only) or when the path does not exist.
std::string ShortPathName(std::string_view path);

}  // namespace platform::target
