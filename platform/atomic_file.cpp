#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

namespace platform {
namespace {

std::string TemporaryName(const std::filesystem::path& path) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".%08llx~", static_cast<unsigned long long>(random() & 0xFFFFFFFF));
  return path.string() + suffix;
}

// The file a chain of symbolic links ends at (which need not exist yet);
// the path itself when it is no link.
bool FollowLinks(std::filesystem::path path, std::filesystem::path& target, int& err) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      target = path;
      return true;
    }
    std::error_code ec;
    const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
    if (ec) {
      err = ec.value();
      return false;
    }
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  err = ELOOP;
  return false;
}

// Writes all of data and, when asked, flushes it to the disk; the
// descriptor is always closed.
int WriteAndClose(int fd, std::string_view data, bool flush) {
  const char* p = data.data();
  size_t left = data.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      return err;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  const int synced = (!flush || ::fsync(fd) == 0) ? 0 : errno;
  const int closed = ::close(fd) == 0 ? 0 : errno;
  return synced != 0 ? synced : closed;
}

Status WriteThenRename(const std::filesystem::path& path, std::string_view data, bool flush) {
  std::filesystem::path target;
  int err = 0;
  if (!FollowLinks(path, target, err)) return Status::FromErrno(err);
  struct stat st;
  const bool replacing = ::stat(target.c_str(), &st) == 0;
  if (replacing && !S_ISREG(st.st_mode)) return Status::InvalidArgument("not a regular file");
  if (replacing && (st.st_mode & 0222) == 0) return Status::AccessDenied("read-only file");

  const std::string temp = TemporaryName(target);
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return Status::FromErrno(errno);
  // Keep the mode of a file that is being replaced.
  if (replacing) ::fchmod(fd, st.st_mode & 07777);
  if ((err = WriteAndClose(fd, data, flush)) != 0 ||
      (::rename(temp.c_str(), target.c_str()) != 0 && (err = errno) != 0)) {
    ::unlink(temp.c_str());
    return Status::FromErrno(err);
  }
  return Status::Ok();
}

}  // namespace

Status WriteFileAtomically(const std::filesystem::path& path, std::string_view data) {
  return WriteThenRename(path, data, true);
}

Status WriteFileAtomicallyUnflushed(const std::filesystem::path& path, std::string_view data) {
  return WriteThenRename(path, data, false);
}

Status ReadWholeFile(const std::filesystem::path& path, std::string& data) {
  data.clear();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::FromErrno(errno);
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;  // a folder, for one, cannot be read
      ::close(fd);
      data.clear();
      return Status::FromErrno(err);
    }
    data.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return Status::Ok();
}

}  // namespace platform
