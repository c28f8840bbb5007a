#include "platform/target_system/trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <system_error>

namespace platform::target {
namespace fs = std::filesystem;

namespace {

// Percent-escapes every byte outside the unreserved set of URLs, keeping '/'.
std::string EscapePath(const std::string& path) {
  static const char* kHex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : path) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (alnum || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 0xF]);
    }
  }
  return out;
}

std::string LocalTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

// "name", then "name.2.ext", "name.3.ext" …
std::string CandidateName(const fs::path& name, int attempt) {
  if (attempt == 1) return name.string();
  const std::string stem = name.stem().string();
  const std::string extension = name.extension().string();
  return stem + "." + std::to_string(attempt) + extension;
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

Status Errno(const std::string& what) { return Status::FromErrno(errno, what); }

// Puts the item at destination: a rename when both lie on one file system,
// otherwise a copy followed by removal of the original.
Status MoveItem(const fs::path& source, const fs::path& destination) {
  if (::rename(source.c_str(), destination.c_str()) == 0) return Status::Ok();
  if (errno != EXDEV) return Errno("cannot move " + source.string() + " to the trash");
  std::error_code ec;
  fs::copy(source, destination, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove_all(destination, ignored);
    return Status::IoError("cannot copy " + source.string() + " to the trash: " + ec.message());
  }
  fs::remove_all(source, ec);
  if (ec) return Status::IoError("copied to the trash but cannot remove " + source.string());
  return Status::Ok();
}

}  // namespace

fs::path HomeTrashFolder() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg && fs::path(xdg).is_absolute()) {
    return fs::path(xdg) / "Trash";
  }
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : "/") / ".local" / "share" / "Trash";
}

Status MoveToTrash(const fs::path& host_path, fs::path* trashed_as) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(host_path, ec).lexically_normal();
  if (ec) return Status::InvalidArgument("cannot make the path absolute: " + host_path.string());
  fs::path item = absolute;
  if (!item.has_filename()) item = item.parent_path();  // "dir/" names dir
  if (!item.has_relative_path()) return Status::AccessDenied("the root folder cannot go to the trash");
  struct stat info {};
  if (::lstat(item.c_str(), &info) != 0) return Errno("cannot trash " + item.string());

  const fs::path trash = HomeTrashFolder();
  const fs::path files = trash / "files";
  const fs::path infos = trash / "info";
  fs::create_directories(files, ec);
  if (!ec) fs::create_directories(infos, ec);
  if (ec) return Status::IoError("cannot create the trash in " + trash.string() + ": " + ec.message());
  if (item == trash || trash.string().starts_with(item.string() + "/")) {
    return Status::InvalidArgument("the trash cannot go into itself");
  }

  const std::string info_text =
      "[Trash Info]\nPath=" + EscapePath(item.string()) + "\nDeletionDate=" + LocalTimeNow() + "\n";
  for (int attempt = 1; attempt < 10000; ++attempt) {
    const std::string name = CandidateName(item.filename(), attempt);
    const fs::path info_file = infos / (name + ".trashinfo");
    // The exclusive creation of the info file reserves the name.
    const int fd = ::open(info_file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return Errno("cannot write " + info_file.string());
    }
    const bool written = WriteAll(fd, info_text) && ::close(fd) == 0;
    if (!written) {
      ::unlink(info_file.c_str());
      return Status::IoError("cannot write " + info_file.string());
    }
    const fs::path destination = files / name;
    if (fs::symlink_status(destination, ec).type() != fs::file_type::not_found) {
      // A left-over item without its info file: keep it, try the next name.
      ::unlink(info_file.c_str());
      continue;
    }
    Status s = MoveItem(item, destination);
    if (!s.ok()) {
      ::unlink(info_file.c_str());
      return s;
    }
    if (trashed_as) *trashed_as = destination;
    return Status::Ok();
  }
  return Status::IoError("no free name in the trash for " + item.string());
}

}  // namespace platform::target
