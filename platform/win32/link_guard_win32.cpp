// On Windows the machine is the target: there is no host folder a path could
// leave, so every path of an existing drive stays in its drive.
#include "platform/target_system/link_guard.h"

namespace platform::target {

bool StaysInDrive(const DriveMap& drives, std::string_view windows_path) {
  std::filesystem::path host;
  return drives.ToHostPath(windows_path, &host).ok();
}

}  // namespace platform::target
