#pragma once

#include <string_view>

#include "platform/target/drive_map.h"

namespace platform::target {

// Whether the folder at the Windows path holds at least one entry. Reads no
// further than the first entry, so it costs the same for a folder of ten
// thousand files as for one. False for a missing or unreadable folder.
bool FolderHasEntries(const DriveMap& drives, std::string_view folder);

}  // namespace platform::target
