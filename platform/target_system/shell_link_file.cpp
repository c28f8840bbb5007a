#include <string>

#include "platform/atomic_file.h"
#include "platform/file_facts.h"
#include "platform/target_system/shell_link.h"

// The shortcut file on the target system: our own encoder, written whole.
// The Windows build writes it through the shell instead
// (platform/win32/shell_link_file_win32.cpp).
namespace platform::target {

Status WriteShellLinkFile(const std::filesystem::path& host_path, const ShellLink& link) {
  // A read-only shortcut stays as it is, as the shell leaves it.
  if (platform::IsReadOnlyFile(host_path)) {
    return Status::AccessDenied(host_path.string() + " is read-only");
  }
  if (const Status written = WriteFileAtomically(host_path, EncodeShellLink(link)); !written.ok()) {
    return Status::IoError("cannot write " + host_path.string() + ": " + written.message());
  }
  return Status::Ok();
}

Status ReadShellLinkFile(const std::filesystem::path& host_path, ShellLink* link) {
  std::string bytes;
  if (const Status read = ReadWholeFile(host_path, bytes); !read.ok()) {
    return Status::NotFound("cannot read " + host_path.string() + ": " + read.message());
  }
  return DecodeShellLink(bytes, link);
}

}  // namespace platform::target
