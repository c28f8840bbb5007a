#pragma once

#include <chrono>
#include <cstdint>
#include <string_view>

#include "platform/target_system/target_system.h"

namespace setup::wizard {

// The age of a file as the overwrite rule compares it: its last-write time
// as a packed local DOS date and time (date in the high 16 bits, time in the
// low 16, two-second resolution), compared as a signed number. -1 for a
// missing file, a folder, and a time the packed form cannot hold (before
// 1980 or after 2107).
std::int32_t PackDosDateTime(std::chrono::system_clock::time_point time);
std::int32_t FileAge(const platform::target::TargetSystem& system, std::string_view path);
// The age of a file already looked up (-1 for a folder).
std::int32_t FileAge(const platform::target::FileEntry& entry);

}  // namespace setup::wizard
