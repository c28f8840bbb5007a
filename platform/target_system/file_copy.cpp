#include "platform/target_system/file_copy.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "platform/target_system/folder_cache.h"

namespace platform::target {
namespace {

// Big enough for a disk to stream, small enough to hold for any file.
constexpr std::size_t kBufferBytes = 256 * 1024;
// A reflink pays off only where there is data to share.
constexpr off_t kCloneFrom = 64 * 1024;

Status CopyByBuffer(int in, int out, const std::string& what) {
  const auto buffer = std::make_unique<char[]>(kBufferBytes);
  for (;;) {
    const ssize_t got = ::read(in, buffer.get(), kBufferBytes);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Status::FromErrno(errno, "cannot read " + what);
    if (got == 0) return Status::Ok();
    Status s = WriteAll(out, std::string_view(buffer.get(), static_cast<std::size_t>(got)), what);
    if (!s.ok()) return s;
  }
}

}  // namespace

Status CopyFileData(int in, int out, off_t size, const std::string& what) {
  if (size >= kCloneFrom && ::ioctl(out, FICLONE, in) == 0) return Status::Ok();
  bool copied_any = false;
  off_t copied = 0;
  for (;;) {
    const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, kBufferBytes * 16, 0);
    if (n > 0) {
      copied_any = true;
      copied += n;
      // The size the file had when opened is what is copied; asking again
      // only to hear "no more" costs a call per file.
      if (copied == size) return Status::Ok();
      continue;
    }
    if (n == 0) return Status::Ok();
    if (errno == EINTR) continue;
    // Another file system or one without the call: the plain way, from
    // where the kernel stopped.
    if (!copied_any &&
        (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP || errno == EBADF)) {
      return CopyByBuffer(in, out, what);
    }
    return Status::FromErrno(errno, "cannot copy " + what);
  }
}

Status ReadAll(int fd, std::string* data, const std::string& what) {
  data->clear();
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof(buffer));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Status::FromErrno(errno, "cannot read " + what);
    if (got == 0) return Status::Ok();
    data->append(buffer, static_cast<std::size_t>(got));
  }
}

Status WriteAll(int fd, std::string_view data, const std::string& what) {
  while (!data.empty()) {
    const ssize_t put = ::write(fd, data.data(), data.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return Status::FromErrno(errno, "cannot write " + what);
    data.remove_prefix(static_cast<std::size_t>(put));
  }
  return Status::Ok();
}

}  // namespace platform::target
