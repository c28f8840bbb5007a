#include "platform/target_system/system_settings.h"

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <system_error>

#include "platform/ascii_text.h"
#include "platform/atomic_file.h"
#include "platform/private_profile.h"
#include "platform/target_system/windows_path.h"

namespace platform::target {
namespace fs = std::filesystem;

namespace {

constexpr const char* kSystemSection = "System";
constexpr const char* kDrivesSection = "Drives";

std::vector<Drive> DefaultDrives(const fs::path& folder) {
  return {Drive{'C', folder / kDriveCFolderName, DriveType::kFixed}};
}

Status ReadFolder(const fs::path& file, const char* key, std::string* folder) {
  std::string text = GetPrivateProfileString(kSystemSection, key, *folder, file);
  WindowsPath path;
  if (!WindowsPath::Parse(text, &path).ok() || path.IsRoot()) {
    return Status::Corruption(std::string(key) + " is not a Windows folder: " + text);
  }
  *folder = path.ToString();
  return Status::Ok();
}

}  // namespace

std::string HostUserName() {
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_name && *entry->pw_name) {
    return entry->pw_name;
  }
  if (const char* user = std::getenv("USER"); user && *user) return user;
  return "user";
}

Status LoadSystemSettings(const fs::path& folder, SystemSettings* settings) {
  const fs::path file = folder / kSystemSettingsFileName;
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) return Status::NotFound("no target system in " + folder.string());

  SystemSettings result;
  const std::string kind = GetPrivateProfileString(kSystemSection, "OsKind", "202", file);
  auto [end, err] = std::from_chars(kind.data(), kind.data() + kind.size(), result.os_kind);
  if (err != std::errc() || end != kind.data() + kind.size()) {
    return Status::Corruption("OsKind is not a number: " + kind);
  }
  result.user_name = GetPrivateProfileString(kSystemSection, "UserName", "", file);
  if (result.user_name.empty()) result.user_name = HostUserName();
  result.restart_command = GetPrivateProfileString(kSystemSection, "RestartCommand", "", file);
  for (auto [key, target] :
       {std::pair{"WindowsFolder", &result.windows_folder}, std::pair{"SystemFolder", &result.system_folder},
        std::pair{"TempFolder", &result.temp_folder}}) {
    Status s = ReadFolder(file, key, target);
    if (!s.ok()) return s;
  }

  const std::vector<std::string> letters = GetPrivateProfileKeys(kDrivesSection, file);
  const std::vector<std::string> sections = GetPrivateProfileSections(file);
  bool has_drive_section = false;
  for (const std::string& name : sections) {
    if (AsciiEqualsIgnoringCase(name, "Drives")) {
      has_drive_section = true;
    }
  }
  if (!has_drive_section) result.drives = DefaultDrives(folder);
  for (const std::string& letter : letters) {
    if (letter.size() != 1 || !std::isalpha(static_cast<unsigned char>(letter[0]))) {
      return Status::Corruption("not a drive letter: " + letter);
    }
    const std::string line = GetPrivateProfileString(kDrivesSection, letter, "", file);
    const std::size_t comma = line.find(',');
    const std::optional<DriveType> type =
        DriveTypeFromName(comma == std::string::npos ? line : line.substr(0, comma));
    if (!type || comma == std::string::npos || comma + 1 == line.size()) {
      return Status::Corruption("drive " + letter + " needs a type and a folder: " + line);
    }
    fs::path host = line.substr(comma + 1);
    if (host.is_relative()) host = folder / host;
    result.drives.push_back(Drive{AsciiUpper(letter[0]), host, *type});
  }
  *settings = std::move(result);
  return Status::Ok();
}

Status SaveSystemSettings(const fs::path& folder, const SystemSettings& settings) {
  std::string text;
  text += "; A target system: one Windows machine for the installer.\n";
  text += "[System]\n";
  text += "OsKind=" + std::to_string(settings.os_kind) + "\n";
  text += "UserName=" + settings.user_name + "\n";
  text += "WindowsFolder=" + settings.windows_folder + "\n";
  text += "SystemFolder=" + settings.system_folder + "\n";
  text += "TempFolder=" + settings.temp_folder + "\n";
  if (!settings.restart_command.empty()) text += "RestartCommand=" + settings.restart_command + "\n";
  text += "[Drives]\n";
  text += "; letter=type,host folder (relative to this folder or absolute);\n";
  text += "; types: fixed, removable, cdrom, remote, ramdisk\n";
  const fs::path base = folder.lexically_normal();
  for (const Drive& drive : settings.drives) {
    fs::path host = drive.host_folder.lexically_normal();
    const fs::path relative = host.lexically_relative(base);
    if (!relative.empty() && *relative.begin() != "..") host = relative;
    text += std::string(1, drive.letter) + "=" + std::string(DriveTypeName(drive.type)) + "," +
            host.string() + "\n";
  }
  if (const Status written = WriteFileAtomically(folder / kSystemSettingsFileName, text); !written.ok()) {
    return Status::IoError("cannot write the settings: " + written.message());
  }
  return Status::Ok();
}

}  // namespace platform::target
