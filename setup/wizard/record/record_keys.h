#pragma once

#include <string>
#include <string_view>

namespace setup::wizard {

// Registry places of the installer, all under HKEY_LOCAL_MACHINE unless said.
inline constexpr std::string_view kUninstallRecordRoot = "Software\\Tallowmere\\kestroSetup\\Uninstall";
inline constexpr std::string_view kSettingKey = "Software\\Tallowmere\\kestroSetup\\Setting";
inline constexpr std::string_view kOwnerListKey = "Software\\Tallowmere\\kestroSetup\\SharedDLLs";
inline constexpr std::string_view kSharedDllsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
inline constexpr std::string_view kSystemUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The uninstaller copy in the Windows folder and the version it records.
inline constexpr std::string_view kUninstallerName = "kestro.exe";
inline constexpr int kUninstallerVersion = 110;

// K: the product's record key.
inline std::string RecordKey(std::string_view app_key_name) {
  std::string key(kUninstallRecordRoot);
  key += '\\';
  key += app_key_name;
  return key;
}

// The owner mark of a product in the shared-file owner lists.
inline std::string OwnerMark(std::string_view app_key_name) {
  std::string mark = "\"";
  mark += app_key_name;
  mark += '"';
  return mark;
}

}  // namespace setup::wizard
