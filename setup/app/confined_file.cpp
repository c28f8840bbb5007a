#include "setup/app/confined_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

#include "setup/app/launch_rule.h"

namespace setup::app {
namespace fs = std::filesystem;

std::optional<std::string> ReadConfinedFile(const platform::target::DriveMap& drives,
                                            const fs::path& host_file, std::uint64_t max_bytes) {
  std::error_code ec;
  const fs::path real = fs::canonical(host_file, ec);
  if (ec || !IsInsideSomeDrive(drives, real)) return std::nullopt;
  // Opened without waiting and without following a link swapped in since,
  // then checked on what was opened.
  const int fd = ::open(real.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  std::optional<std::string> bytes;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
      static_cast<std::uint64_t>(info.st_size) <= max_bytes) {
    std::string data(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    while (done < data.size()) {
      const ssize_t n = ::read(fd, data.data() + done, data.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    data.resize(done);
    bytes = std::move(data);
  }
  ::close(fd);
  return bytes;
}

}  // namespace setup::app
