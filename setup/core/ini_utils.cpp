#include "setup/core/ini_utils.h"

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
Status HostFileOf(const TargetSystem& system, std::string_view file, bool for_change,
                  std::filesystem::path* host) {
  std::string windows_path(file);
  if (windows_path.find('\\') == std::string::npos && windows_path.find(':') == std::string::npos) {
    windows_path = JoinPath(GetWindowsFolder(system), windows_path);
  }
  return for_change ? system.drives().ToHostPathForChange(windows_path, host)
                    : system.drives().ToHostPath(windows_path, host);
}

// Runs one change of the INI file: the platform's profile writer, given the
// host file.
template <typename Operation>
Status ChangeIni(const TargetSystem& system, std::string_view file, Operation operation) {
  std::filesystem::path host;
  const Status mapped = HostFileOf(system, file, true, &host);
  if (!mapped.ok()) return mapped;
  return operation(host);
}

}  // namespace

std::string IniReadString(TargetSystem& system, std::string_view file, std::string_view section,
                          std::string_view key, std::string_view def) {
  std::filesystem::path host;
  if (!HostFileOf(system, file, false, &host).ok()) return std::string(def);
  return IniReadString(host, section, key, def);
}

Status IniWriteString(TargetSystem& system, std::string_view file, std::string_view section,
                      std::string_view key, std::string_view value) {
  return ChangeIni(system, file, [&](const std::filesystem::path& host) {
    return platform::WritePrivateProfileString(platform::Utf8ToCp932(section), platform::Utf8ToCp932(key),
                                               platform::Utf8ToCp932(value), host);
  });
}

Status IniDeleteKey(TargetSystem& system, std::string_view file, std::string_view section,
                    std::string_view key) {
  return ChangeIni(system, file, [&](const std::filesystem::path& host) {
    return platform::WritePrivateProfileString(platform::Utf8ToCp932(section), platform::Utf8ToCp932(key),
                                               std::nullopt, host);
  });
}

Status IniEraseSection(TargetSystem& system, std::string_view file, std::string_view section) {
  return ChangeIni(system, file, [&](const std::filesystem::path& host) {
    return platform::DeletePrivateProfileSection(platform::Utf8ToCp932(section), host);
  });
}

}  // namespace setup
