#include "platform/target_system/system_location.h"

#include <cstdlib>
#include <system_error>

#include "platform/target_system/system_settings.h"

namespace platform::target {
namespace fs = std::filesystem;

fs::path ResolveSystemFolder(std::string_view command_line_folder) {
  if (!command_line_folder.empty()) return fs::path(command_line_folder);
  if (const char* env = std::getenv("KESTRO_SYSTEM"); env && *env) return fs::path(env);
  fs::path data;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg && fs::path(xdg).is_absolute()) {
    data = xdg;
  } else {
    const char* home = std::getenv("HOME");
    data = fs::path(home && *home ? home : "/") / ".local" / "share";
  }
  return data / "kestro" / "system";
}

std::optional<fs::path> FindEnclosingSystem(const fs::path& host_path) {
  std::error_code ec;
  fs::path current = fs::absolute(host_path, ec).lexically_normal();
  if (ec) return std::nullopt;
  while (true) {
    if (fs::is_regular_file(current / kSystemSettingsFileName, ec)) return current;
    if (!current.has_relative_path()) return std::nullopt;
    fs::path parent = current.parent_path();
    if (parent == current) return std::nullopt;
    current = std::move(parent);
  }
}

}  // namespace platform::target
