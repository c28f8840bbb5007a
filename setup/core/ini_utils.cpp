#include "setup/core/ini_utils.h"

#include <exception>
#include <filesystem>
#include <optional>

#include "platform/cp932.h"
#include "platform/private_profile.h"
#include "setup/core/install_paths.h"
#include "setup/core/path_text.h"
#include "setup/core/setup_script.h"

namespace setup {
namespace {

// The host file behind an INI path; a change never follows a link out of
// its drive.
std::optional<std::filesystem::path> HostFileOf(const TargetSystem& system, std::string_view file,
                                                bool for_change) {
  std::string windows_path(file);
  if (windows_path.find('\\') == std::string::npos && windows_path.find(':') == std::string::npos) {
    windows_path = JoinPath(GetWindowsFolder(system), windows_path);
  }
  std::filesystem::path host;
  const auto status = for_change ? system.drives().ToHostPathForChange(windows_path, &host)
                                 : system.drives().ToHostPath(windows_path, &host);
  if (!status.ok()) return std::nullopt;
  return host;
}

}  // namespace

std::string IniReadString(TargetSystem& system, std::string_view file, std::string_view section,
                          std::string_view key, std::string_view def) {
  try {
    const auto host = HostFileOf(system, file, false);
    if (!host) return std::string(def);
    return IniReadString(*host, section, key, def);
  } catch (const std::exception&) {
    return std::string(def);
  }
}

bool IniWriteString(TargetSystem& system, std::string_view file, std::string_view section,
                    std::string_view key, std::string_view value) {
  try {
    const auto host = HostFileOf(system, file, true);
    if (!host) return false;
    const std::string encoded = platform::Utf8ToCp932(value);
    return platform::WritePrivateProfileString(platform::Utf8ToCp932(section),
                                               platform::Utf8ToCp932(key), encoded, *host);
  } catch (const std::exception&) {
    return false;
  }
}

bool IniDeleteKey(TargetSystem& system, std::string_view file, std::string_view section,
                  std::string_view key) {
  try {
    if (const auto host = HostFileOf(system, file, true)) {
      platform::WritePrivateProfileString(platform::Utf8ToCp932(section),
                                          platform::Utf8ToCp932(key), std::nullopt, *host);
    }
  } catch (const std::exception&) {
  }
  return true;
}

bool IniEraseSection(TargetSystem& system, std::string_view file, std::string_view section) {
  try {
    const auto host = HostFileOf(system, file, true);
    if (!host) return false;
    return platform::DeletePrivateProfileSection(platform::Utf8ToCp932(section), *host);
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace setup
