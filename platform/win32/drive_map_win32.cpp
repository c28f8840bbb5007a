// The drive map of the Windows build: on Windows the machine is the target,
// so every drive is its own root and a Windows path names itself. Types and
// free space come from the real drives.
#include "platform/target_system/drive_map.h"

#include <cctype>

#include "platform/ascii_text.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace platform::target {
namespace {

namespace fs = std::filesystem;

char Upper(char letter) { return platform::AsciiUpper(letter); }

std::wstring RootOf(char letter) { return std::wstring{static_cast<wchar_t>(Upper(letter)), L':', L'\\'}; }

}  // namespace

DriveMap::DriveMap(std::vector<Drive> drives) : drives_(std::move(drives)) {
  for (Drive& d : drives_) d.letter = Upper(d.letter);
}

const Drive* DriveMap::FindDrive(char letter) const {
  for (const Drive& d : drives_) {
    if (d.letter == Upper(letter)) return &d;
  }
  return nullptr;
}

Status DriveMap::Add(Drive drive) {
  drive.letter = Upper(drive.letter);
  if (FindDrive(drive.letter) != nullptr) {
    return Status::AlreadyExists(std::string(1, drive.letter) + ": is a drive already");
  }
  drives_.push_back(std::move(drive));
  return Status::Ok();
}

Status DriveMap::ToHostPath(std::string_view windows_path, fs::path* host) const {
  WindowsPath parsed;
  Status s = WindowsPath::Parse(windows_path, &parsed);
  return s.ok() ? ToHostPath(parsed, host) : s;
}

Status DriveMap::ToHostPath(const WindowsPath& path, fs::path* host) const {
  if (!FindDrive(path.drive())) return Status::NotFound(std::string(1, path.drive()) + ": is no drive");
  *host = fs::path(platform::win32::Utf8ToWide(path.ToString()));
  return Status::Ok();
}

Status DriveMap::ToWindowsPath(const fs::path& host, std::string* windows_path) const {
  WindowsPath parsed;
  Status s = WindowsPath::Parse(platform::win32::WideToUtf8(host.wstring()), &parsed);
  if (s.ok() && !FindDrive(parsed.drive())) s = Status::NotFound("no drive holds " + host.string());
  if (s.ok()) *windows_path = parsed.ToString();
  return s;
}

Status DriveMap::ToHostPathForChange(std::string_view windows_path, fs::path* host) const {
  return ToHostPath(windows_path, host);
}

Status DriveMap::ToHostPathForChange(const WindowsPath& path, fs::path* host) const {
  return ToHostPath(path, host);
}

DriveType DriveMap::TypeOf(std::string_view windows_path) const {
  if (windows_path.size() < 2 || windows_path[1] != ':' ||
      !std::isalpha(static_cast<unsigned char>(windows_path[0]))) {
    return DriveType::kNoRootDir;
  }
  const UINT type = GetDriveTypeW(RootOf(windows_path[0]).c_str());
  return type <= DRIVE_RAMDISK ? static_cast<DriveType>(type) : DriveType::kUnknown;
}

Status DriveMap::FreeSpace(std::string_view windows_path, std::uint64_t* free_bytes,
                           std::uint64_t* total_bytes) const {
  if (TypeOf(windows_path) == DriveType::kNoRootDir) {
    return Status::NotFound(std::string(windows_path) + " is on no drive");
  }
  ULARGE_INTEGER available, total;
  if (!GetDiskFreeSpaceExW(RootOf(windows_path[0]).c_str(), &available, &total, nullptr)) {
    return Status::IoError(std::string(windows_path) + ": Windows error " + std::to_string(GetLastError()));
  }
  *free_bytes = available.QuadPart;
  if (total_bytes) *total_bytes = total.QuadPart;
  return Status::Ok();
}

}  // namespace platform::target
