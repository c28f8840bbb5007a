#include "platform/target_system/link_guard.h"

#include <system_error>

namespace platform::target {
namespace fs = std::filesystem;

bool StaysInDrive(const DriveMap& drives, std::string_view windows_path) {
  WindowsPath path;
  if (!WindowsPath::Parse(windows_path, &path).ok()) return false;
  fs::path host;
  if (!drives.ToHostPath(path, &host).ok()) return false;
  std::error_code ec;
  const fs::path root = fs::weakly_canonical(drives.FindDrive(path.drive())->host_folder, ec);
  if (ec) return false;
  const fs::path real = fs::weakly_canonical(host, ec);
  if (ec) return false;
  const fs::path rest = real.lexically_relative(root);
  return !rest.empty() && *rest.begin() != "..";
}

}  // namespace platform::target
