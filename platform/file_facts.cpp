#include "platform/file_facts.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {
namespace {

std::int64_t Nanoseconds(const struct timespec& ts) {
  return static_cast<std::int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

}  // namespace

bool ReadFileStamp(const std::filesystem::path& file, FileStamp* stamp) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  *stamp = FileStamp{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                     static_cast<std::uint64_t>(info.st_size), Nanoseconds(info.st_mtim),
                     Nanoseconds(info.st_ctim)};
  return true;
}

bool IsReadOnlyFile(const std::filesystem::path& file) {
  struct stat info {};
  return ::stat(file.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0;
}

FolderLock::FolderLock(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  int rc;
  do {
    rc = ::flock(fd, LOCK_EX);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    ::close(fd);
    return;
  }
  handle_ = fd;
  held_ = true;
}

FolderLock::~FolderLock() {
  if (held_) ::close(static_cast<int>(handle_));  // closing releases the lock
}

}  // namespace platform
