#include "platform/target_system/open_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/target_system/link_guard.h"
#include "platform/target_system/name_folding.h"

namespace platform::target {
namespace {

bool SameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

Status OpenFolder::Open(const DriveMap& drives, std::string_view windows_folder,
                        std::unique_ptr<OpenFolder>* folder) {
  WindowsPath parsed;
  Status s = WindowsPath::Parse(windows_folder, &parsed);
  if (!s.ok()) return s;
  for (const std::string& component : parsed.components()) {
    if (component.size() > NAME_MAX) {
      return Status::InvalidArgument(std::string(windows_folder) + ": the name is too long");
    }
  }
  std::filesystem::path host;
  s = drives.ToHostPath(parsed, &host);
  if (!s.ok()) return s;
  if (!StaysInDrive(drives, windows_folder)) {
    return Status::AccessDenied(std::string(windows_folder) +
                                " leads out of its drive through a symbolic link");
  }
  const int fd = ::open(host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Status::FromErrno(errno, windows_folder);
  folder->reset(new OpenFolder(fd, std::string(windows_folder)));
  return Status::Ok();
}

OpenFolder::~OpenFolder() { ::close(fd_); }

std::string OpenFolder::FindEntry(std::string_view name, struct stat* info) const {
  const std::string exact(name);
  if (::fstatat(fd_, exact.c_str(), info, AT_SYMLINK_NOFOLLOW) == 0) return exact;
  // Another spelling of the name: the first stored name in byte order.
  const auto& index = FoldedIndex();
  const auto found = index.find(FoldName(name));
  if (found == index.end() || found->second.empty()) return {};
  const std::string best = *std::min_element(found->second.begin(), found->second.end());
  if (::fstatat(fd_, best.c_str(), info, AT_SYMLINK_NOFOLLOW) != 0) return {};
  return best;
}

const std::unordered_map<std::string, std::vector<std::string>>& OpenFolder::FoldedIndex() const {
  struct timespec now {};
  const bool timed = ChangeTime(&now);
  if (indexed_ && timed && SameTime(now, index_time_)) return by_folded_;
  by_folded_.clear();
  indexed_ = false;
  ++listings_;
  const int copy = ::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (copy < 0) return by_folded_;
  DIR* dir = ::fdopendir(copy);
  if (dir == nullptr) {
    ::close(copy);
    return by_folded_;
  }
  while (const dirent* entry = ::readdir(dir)) {
    const std::string stored = entry->d_name;
    if (stored == "." || stored == "..") continue;
    by_folded_[FoldName(stored)].push_back(stored);
  }
  ::closedir(dir);
  indexed_ = timed;
  index_time_ = now;
  return by_folded_;
}

void OpenFolder::ForgetDeleted(const std::string& stored, bool index_was_current) const {
  struct timespec now {};
  if (!indexed_ || !index_was_current || !ChangeTime(&now)) {
    indexed_ = false;
    by_folded_.clear();
    return;
  }
  const auto found = by_folded_.find(FoldName(stored));
  if (found != by_folded_.end()) std::erase(found->second, stored);
  index_time_ = now;
}

bool OpenFolder::ChangeTime(struct timespec* time) const {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) return false;
  *time = info.st_ctim;
  return true;
}

Status OpenFolder::DeleteFileEntry(std::string_view name) const {
  const std::string what = windows_path_ + "\\" + std::string(name);
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos) {
    return Status::InvalidArgument(what + " is no entry name");
  }
  struct stat info {};
  const std::string entry = FindEntry(name, &info);
  if (entry.empty()) return Status::NotFound(what + " does not exist");
  if (S_ISDIR(info.st_mode)) return Status::InvalidArgument(what + " is a folder");
  // A link is deleted itself; only a real file has its read-only bit cleared.
  if (S_ISREG(info.st_mode) && (info.st_mode & S_IWUSR) == 0 &&
      ::fchmodat(fd_, entry.c_str(), (info.st_mode & 07777) | S_IWUSR, 0) != 0) {
    return Status::FromErrno(errno, "cannot clear the attributes of " + what);
  }
  struct timespec before {};
  const bool timed = ChangeTime(&before);
  const bool counted = known_entries_ > 0 && timed && SameTime(before, known_time_);
  const bool index_current = indexed_ && timed && SameTime(before, index_time_);
  if (::unlinkat(fd_, entry.c_str(), 0) != 0) return Status::FromErrno(errno, "cannot delete " + what);
  ForgetDeleted(entry, index_current);
  if (counted && ChangeTime(&known_time_)) {
    --known_entries_;
  } else {
    known_entries_ = -1;
  }
  return Status::Ok();
}

bool OpenFolder::HasEntries() const {
  struct timespec now {};
  if (!ChangeTime(&now)) return false;
  if (known_entries_ >= 0 && SameTime(now, known_time_)) return known_entries_ > 0;
  if (::lseek(fd_, 0, SEEK_SET) != 0) return false;
  ++listings_;
  long entries = 0;
  alignas(8) char buffer[8192];
  for (;;) {
    const long bytes = ::syscall(SYS_getdents64, fd_, buffer, sizeof(buffer));
    if (bytes < 0) return false;
    if (bytes == 0) break;
    for (long offset = 0; offset < bytes;) {
      const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + offset);
      const std::string_view entry_name = entry->d_name;
      if (entry_name != "." && entry_name != "..") ++entries;
      offset += entry->d_reclen;
    }
  }
  known_entries_ = entries;
  known_time_ = now;
  return entries > 0;
}

}  // namespace platform::target
