#include "setup/core/recycle_bin.h"

namespace setup {

Status DeleteToRecycleBin(const TargetSystem& system, std::string_view paths, bool /*silent*/) {
  bool any = false;
  while (!paths.empty()) {
    const std::size_t end = paths.find('\0');
    const std::string_view path = paths.substr(0, end);
    if (path.empty()) break;  // the double NUL ends the list
    if (Status moved = system.MoveToTrash(path); !moved.ok()) return moved;
    any = true;
    if (end == std::string_view::npos) break;
    paths.remove_prefix(end + 1);
  }
  return any ? Status::Ok() : Status::InvalidArgument("no path to move to the trash");
}

}  // namespace setup
