#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
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

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view data, std::string* error) {
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
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    SetError(error, err);
    return false;
  }
  // Keep the mode of a file that is being replaced.
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) ::chmod(temp.c_str(), st.st_mode & 07777);
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    SetError(error, err);
    return false;
  }
  return true;
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& data, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    SetError(error, errno ? errno : ENOENT);
    return false;
  }
  data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    SetError(error, EIO);
    return false;
  }
  return true;
}

}  // namespace platform
