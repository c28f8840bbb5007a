#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/target_system/registry.h"

namespace platform::target {

// The deepest a key may lie below root: kMaxKeyDepth levels below the top,
// and HKEY_CLASSES_ROOT itself lies two levels deep.
std::size_t MaxDepthBelow(RegistryRoot root);

// Splits a key path into its names (one trailing backslash tolerated);
// InvalidArgument for an empty name, a name longer than kMaxKeyNameChars or
// more than max_depth names. Every registry back end checks paths this way.
Status SplitKeyPath(std::string_view path, std::vector<std::string>* parts,
                    std::size_t max_depth = kMaxKeyDepth);

}  // namespace platform::target
