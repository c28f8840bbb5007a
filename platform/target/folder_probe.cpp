#include "platform/target/folder_probe.h"

#include <system_error>

namespace platform::target {

bool FolderHasEntries(const DriveMap& drives, std::string_view folder) {
  std::filesystem::path host;
  if (!drives.ToHostPath(folder, &host).ok()) return false;
  std::error_code ec;
  const std::filesystem::directory_iterator it(host, ec);
  return !ec && it != std::filesystem::directory_iterator();
}

}  // namespace platform::target
