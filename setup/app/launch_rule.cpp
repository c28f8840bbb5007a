#include "setup/app/launch_rule.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <system_error>

#include "setup/core/path_text.h"

namespace setup::app {
namespace fs = std::filesystem;
using platform::target::TargetSystem;

namespace {

// Types that a desktop opener shows as a document and none runs as a
// program; desktop entries, scripts and archives of programs are not here.
constexpr std::array<std::string_view, 16> kDocumentExtensions = {
    ".txt", ".text", ".log", ".csv", ".htm",  ".html", ".pdf", ".rtf",
    ".doc", ".bmp",  ".png", ".jpg", ".jpeg", ".gif",  ".md",  ".xml"};

bool IsWithin(const fs::path& inner, const fs::path& outer) {
  auto i = inner.begin();
  for (auto o = outer.begin(); o != outer.end(); ++o, ++i) {
    if (o->empty() && std::next(o) == outer.end()) break;  // trailing separator
    if (i == inner.end() || *i != *o) return false;
  }
  return true;
}

// The first bytes of a file; empty when it cannot be read.
std::string Head(const fs::path& file, std::size_t size) {
  std::ifstream in(file, std::ios::binary);
  std::string head(size, '\0');
  in.read(head.data(), static_cast<std::streamsize>(size));
  head.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
  return head;
}

bool IsElf(const std::string& head) {
  return head.rfind(
             "\x7f"
             "ELF",
             0) == 0;
}

// The interpreter a "#!" line names (its first word), empty when none.
std::string Interpreter(const std::string& head) {
  const std::size_t end = head.find('\n');
  std::string line = head.substr(2, end == std::string::npos ? std::string::npos : end - 2);
  const std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos) return {};
  line = line.substr(start);
  return line.substr(0, line.find_first_of(" \t\r"));
}

bool IsRegularExecutable(const fs::path& file) {
  struct stat info {};
  return ::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(file.c_str(), X_OK) == 0;
}

LaunchTarget Refused(fs::path file, std::string reason) {
  return LaunchTarget{LaunchKind::kRefused, std::move(file), std::move(reason)};
}

}  // namespace

bool IsInsideSomeDrive(const platform::target::DriveMap& drives, const fs::path& host_path) {
  std::error_code ec;
  const fs::path real = fs::canonical(host_path, ec);
  if (ec) return false;
  return std::ranges::any_of(drives.drives(), [&](const platform::target::Drive& drive) {
    std::error_code drive_ec;
    const fs::path folder = fs::canonical(drive.host_folder, drive_ec);
    return !drive_ec && IsWithin(real, folder);
  });
}

LaunchTarget ClassifyLaunchTarget(const TargetSystem& system, std::string_view windows_path) {
  fs::path host;
  if (!system.drives().ToHostPath(windows_path, &host).ok())
    return Refused({}, "not on a drive of this system");
  std::error_code ec;
  const fs::path real = fs::canonical(host, ec);
  if (ec) return Refused(host, "not a program");
  if (!IsInsideSomeDrive(system.drives(), real)) return Refused(real, "a link that leads out of the drives");
  struct stat info {};
  if (::stat(real.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return Refused(real, "not a program");

  const std::string head = Head(real, 256);
  if (::access(real.c_str(), X_OK) == 0) {
    if (IsElf(head)) return LaunchTarget{LaunchKind::kProgram, real, {}};
    if (head.rfind("#!", 0) != 0) return Refused(real, "not a program");
    // The kernel would run the interpreter: it must be a program of the
    // system too, never a host program such as /bin/sh.
    const std::string interpreter = Interpreter(head);
    const fs::path interpreter_real = fs::canonical(interpreter, ec);
    if (interpreter.empty() || ec || !IsInsideSomeDrive(system.drives(), interpreter_real) ||
        !IsRegularExecutable(interpreter_real) || !IsElf(Head(interpreter_real, 4))) {
      return Refused(real, "a script for a program outside the drives");
    }
    return LaunchTarget{LaunchKind::kProgram, real, {}};
  }
  const std::string extension = AsciiLower(real.extension().string());
  if (head.rfind("#!", 0) == 0) return Refused(real, "not a program");
  if (std::ranges::find(kDocumentExtensions, extension) == kDocumentExtensions.end()) {
    return Refused(real, "not a program");
  }
  return LaunchTarget{LaunchKind::kDocument, real, {}};
}

}  // namespace setup::app
