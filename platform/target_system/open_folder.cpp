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

std::string OpenFolder::OtherSpelling(std::string_view name) const {
  // The first stored name in byte order.
  const auto& index = FoldedIndex();
  const auto found = index.find(FoldName(name));
  if (found == index.end() || found->second.empty()) return {};
  return *std::min_element(found->second.begin(), found->second.end());
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

void OpenFolder::ForgetDeleted(const std::string& stored, bool index_was_current,
                               const struct timespec* now) const {
  if (!indexed_ || !index_was_current || now == nullptr) {
    indexed_ = false;
    by_folded_.clear();
    return;
  }
  const auto found = by_folded_.find(FoldName(stored));
  if (found != by_folded_.end()) std::erase(found->second, stored);
  index_time_ = *now;
}

bool OpenFolder::ChangeTime(struct timespec* time) const {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) return false;
  *time = info.st_ctim;
  return true;
}

Status OpenFolder::DeleteFileEntry(std::string_view name) const {
  const auto what = [&] { return windows_path_ + "\\" + std::string(name); };
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos) {
    return Status::InvalidArgument(what() + " is no entry name");
  }
  // The exact spelling is deleted without a look first: unlink takes a
  // file, a read-only one and a link itself alike, and refuses a folder.
  counted_just_now_ = false;
  std::string entry(name);
  struct timespec before {};
  bool timed = ChangeTime(&before);
  int deleted = ::unlinkat(fd_, entry.c_str(), 0);
  if (deleted != 0 && errno == ENOENT) {
    entry = OtherSpelling(name);
    if (entry.empty()) return Status::NotFound(what() + " does not exist");
    timed = ChangeTime(&before);
    deleted = ::unlinkat(fd_, entry.c_str(), 0);
  }
  if (deleted != 0) {
    const int error = errno;
    struct stat info {};
    if (::fstatat(fd_, entry.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode)) {
      return Status::InvalidArgument(what() + " is a folder");
    }
    if (error == ENOENT) return Status::NotFound(what() + " does not exist");
    return Status::FromErrno(error, "cannot delete " + what());
  }
  // The count and the index follow the deletion when nobody else changed
  // the folder since they were taken.
  const bool counted = known_entries_ > 0 && timed && SameTime(before, known_time_);
  const bool index_current = indexed_ && timed && SameTime(before, index_time_);
  struct timespec after {};
  const bool timed_after = ChangeTime(&after);
  ForgetDeleted(entry, index_current, timed_after ? &after : nullptr);
  if (counted && timed_after) {
    --known_entries_;
    known_time_ = after;
    counted_just_now_ = true;
  } else {
    known_entries_ = -1;
  }
  return Status::Ok();
}

bool OpenFolder::HasEntries() const {
  // Right after a deletion of ours the count stands as it was just taken:
  // another look would only narrow a race that no look closes.
  if (counted_just_now_) {
    counted_just_now_ = false;
    if (known_entries_ >= 0) return known_entries_ > 0;
  }
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
