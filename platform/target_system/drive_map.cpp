#include "platform/target_system/drive_map.h"

#include <limits.h>
#include <sys/statvfs.h>

#include <cctype>
#include <system_error>

#include "platform/ascii_text.h"
#include "platform/target_system/name_folding.h"

namespace platform::target {
namespace fs = std::filesystem;

namespace {

// The entry of folder that names component, compared as Windows compares
// names: the exact spelling when it exists, else the first entry (in byte
// order, for a stable choice) whose folded name matches; empty when none.
std::string FindEntry(const fs::path& folder, const std::string& component) {
  std::error_code ec;
  if (fs::symlink_status(folder / component, ec).type() != fs::file_type::not_found && !ec) {
    return component;
  }
  const std::string folded = FoldName(component);
  std::string best;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (FoldName(name) == folded && (best.empty() || name < best)) best = std::move(name);
  }
  return best;
}

bool IsPrefix(const fs::path& prefix, const fs::path& path) {
  auto p = prefix.begin();
  auto q = path.begin();
  for (; p != prefix.end(); ++p, ++q) {
    if (p->empty()) continue;  // a trailing separator of the prefix
    if (q == path.end() || *p != *q) return false;
  }
  return true;
}

std::size_t Depth(const fs::path& path) {
  std::size_t n = 0;
  for (const auto& part : path) n += part.empty() ? 0 : 1;
  return n;
}

}  // namespace

DriveMap::DriveMap(std::vector<Drive> drives) : drives_(std::move(drives)) {
  for (Drive& d : drives_) d.letter = platform::AsciiUpper(d.letter);
}

const Drive* DriveMap::FindDrive(char letter) const {
  const char upper = platform::AsciiUpper(letter);
  for (const Drive& d : drives_) {
    if (d.letter == upper) return &d;
  }
  return nullptr;
}

Status DriveMap::Add(Drive drive) {
  drive.letter = platform::AsciiUpper(drive.letter);
  if (FindDrive(drive.letter) != nullptr) {
    return Status::AlreadyExists(std::string(1, drive.letter) + ": is a drive already");
  }
  drives_.push_back(std::move(drive));
  return Status::Ok();
}

Status DriveMap::AllowChanges(char letter) {
  const char upper = AsciiUpper(letter);
  for (Drive& drive : drives_) {
    if (drive.letter != upper) continue;
    drive.read_only = false;
    return Status::Ok();
  }
  return Status::NotFound(std::string(1, upper) + ": is no drive");
}

Status DriveMap::ToHostPath(std::string_view windows_path, fs::path* host) const {
  WindowsPath path;
  Status s = WindowsPath::Parse(windows_path, &path);
  if (!s.ok()) return s;
  return ToHostPath(path, host);
}

Status DriveMap::ToHostPath(const WindowsPath& path, fs::path* host) const {
  const Drive* drive = FindDrive(path.drive());
  if (drive == nullptr) return Status::NotFound(path.RootString() + " is no drive of this system");
  fs::path result = drive->host_folder;
  bool searching = true;
  for (const std::string& component : path.components()) {
    if (searching) {
      std::string found = FindEntry(result, component);
      if (found.empty()) {
        searching = false;
        result /= component;
      } else {
        result /= found;
      }
    } else {
      result /= component;
    }
  }
  *host = std::move(result);
  return Status::Ok();
}

Status DriveMap::ToHostPathForChange(std::string_view windows_path, fs::path* host) const {
  WindowsPath path;
  Status s = WindowsPath::Parse(windows_path, &path);
  if (!s.ok()) return s;
  return ToHostPathForChange(path, host);
}

Status DriveMap::CheckWritable(const WindowsPath& path) const {
  const Drive* drive = FindDrive(path.drive());
  if (drive != nullptr && drive->read_only) {
    return Status::AccessDenied(path.ToString() + ": drive " + path.RootString() + " is read-only");
  }
  return Status::Ok();
}

Status DriveMap::ToHostPathForChange(const WindowsPath& path, fs::path* host) const {
  Status s = CheckWritable(path);
  if (!s.ok()) return s;
  for (const std::string& component : path.components()) {
    if (component.size() > NAME_MAX)
      return Status::InvalidArgument(path.ToString() + ": the name is too long");
  }
  fs::path mapped;
  s = ToHostPath(path, &mapped);
  if (!s.ok()) return s;
  // Every link on the way is resolved; what the path really names must lie
  // in the drive's own (resolved) folder.
  std::error_code ec;
  const fs::path root = fs::weakly_canonical(FindDrive(path.drive())->host_folder, ec);
  if (ec) return Status::IoError("cannot resolve the folder of drive " + path.RootString());
  const fs::path real = fs::weakly_canonical(mapped, ec);
  if (ec) return Status::IoError("cannot resolve " + path.ToString());
  if (!IsPrefix(root, real)) {
    return Status::AccessDenied(path.ToString() + " leads out of drive " + path.RootString() +
                                " through a symbolic link");
  }
  *host = std::move(mapped);
  return Status::Ok();
}

Status DriveMap::ToWindowsPath(const fs::path& host, std::string* windows_path) const {
  std::error_code ec;
  fs::path absolute = fs::absolute(host, ec).lexically_normal();
  if (ec) return Status::InvalidArgument("cannot make the path absolute: " + host.string());
  const Drive* best = nullptr;
  fs::path best_folder;
  for (const Drive& d : drives_) {
    fs::path folder = d.host_folder.lexically_normal();
    if (IsPrefix(folder, absolute) && (best == nullptr || Depth(folder) > Depth(best_folder))) {
      best = &d;
      best_folder = folder;
    }
  }
  if (best == nullptr) return Status::NotFound("no drive holds " + host.string());
  std::string text{best->letter, ':', '\\'};
  const fs::path rest = absolute.lexically_relative(best_folder);
  bool first = true;
  for (const auto& part : rest) {
    const std::string name = part.string();
    if (name.empty() || name == ".") continue;
    if (name.find_first_of("\\<>:\"|*?") != std::string::npos) {
      return Status::InvalidArgument("the host name cannot be a Windows name: " + name);
    }
    if (!first) text += '\\';
    text += name;
    first = false;
  }
  *windows_path = std::move(text);
  return Status::Ok();
}

DriveType DriveMap::TypeOf(std::string_view windows_path) const {
  if (windows_path.size() < 2 || windows_path[1] != ':') return DriveType::kNoRootDir;
  const Drive* drive = FindDrive(windows_path[0]);
  std::error_code ec;
  if (drive == nullptr || !fs::is_directory(drive->host_folder, ec)) return DriveType::kNoRootDir;
  return drive->type;
}

Status DriveMap::FreeSpace(std::string_view windows_path, std::uint64_t* free_bytes,
                           std::uint64_t* total_bytes) const {
  fs::path host;
  Status s = ToHostPath(windows_path, &host);
  if (!s.ok()) return s;
  // The folder itself may not exist yet; its nearest existing parent is on
  // the same file system.
  std::error_code ec;
  while (!fs::exists(host, ec) && host.has_relative_path()) host = host.parent_path();
  struct statvfs info {};
  if (::statvfs(host.c_str(), &info) != 0) return Status::IoError("statvfs failed for " + host.string());
  if (free_bytes) *free_bytes = static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
  if (total_bytes) *total_bytes = static_cast<std::uint64_t>(info.f_blocks) * info.f_frsize;
  return Status::Ok();
}

}  // namespace platform::target
