#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace platform {
namespace {

void SetError(std::string* error, int err) {
  if (error) *error = std::strerror(err);
}

std::string TemporaryName(const std::filesystem::path& path) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".%08llx~", static_cast<unsigned long long>(random() & 0xFFFFFFFF));
  return path.string() + suffix;
}

bool WriteThenRename(const std::filesystem::path& path, std::string_view data, std::string* error,
                     bool flush) {
  const std::string temp = TemporaryName(path);
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    SetError(error, errno);
    return false;
  }
  const char* p = data.data();
  size_t left = data.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      ::unlink(temp.c_str());
      SetError(error, err);
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  int err = (flush && ::fsync(fd) != 0) ? errno : 0;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) {
    ::unlink(temp.c_str());
    SetError(error, err);
    return false;
  }
  // Keep the mode of a file that is being replaced.
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) ::chmod(temp.c_str(), st.st_mode & 07777);
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    err = errno;
    ::unlink(temp.c_str());
    SetError(error, err);
    return false;
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view data, std::string* error) {
  return WriteThenRename(path, data, error, true);
}

bool WriteFileAtomicallyUnflushed(const std::filesystem::path& path, std::string_view data,
                                  std::string* error) {
  return WriteThenRename(path, data, error, false);
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& data, std::string* error) {
  data.clear();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    SetError(error, errno);
    return false;
  }
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;  // a folder, for one, cannot be read
      ::close(fd);
      data.clear();
      SetError(error, err);
      return false;
    }
    data.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return true;
}

}  // namespace platform
