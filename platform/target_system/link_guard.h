#pragma once

#include <string_view>

#include "platform/target_system/drive_map.h"

namespace platform::target {

// Whether what the Windows path names, with every symbolic link on the way
// resolved (the named entry included), still lies in the host folder of the
// path's own drive. The deleting operations of the installer ask this first,
// so that a link inside the installed files never leads a deletion to a
// host file elsewhere. False for a path that cannot be mapped or resolved.
bool StaysInDrive(const DriveMap& drives, std::string_view windows_path);

}  // namespace platform::target
