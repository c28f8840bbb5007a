#include "setup/core/shortcut.h"

#include <filesystem>

#include "platform/target_system/shell_link.h"
#include "setup/core/folder_utils.h"
#include "setup/core/path_text.h"

namespace setup {
namespace {

using platform::target::FileEntry;
using platform::target::ShellLink;

std::uint32_t ShowCommandOf(std::int32_t show_state) {
  if (show_state == 1) return platform::target::kShowMinNoActive;
  if (show_state == 2) return platform::target::kShowMaximized;
  return platform::target::kShowNormal;
}

}  // namespace

Status CreateShortcut(TargetSystem& system, std::string_view link_path, std::string_view target,
                      std::int32_t icon_index, std::string_view icon_file, std::int32_t show_state,
                      std::string_view working_folder) {
  if (link_path.empty()) return Status::InvalidArgument("a shortcut needs a path");
  if (CharCount(link_path) > kMaxLinkPathChars) {
    return Status::InvalidArgument("the shortcut path is longer than " + std::to_string(kMaxLinkPathChars) +
                                   " characters: " + std::string(link_path));
  }

  ShellLink link;
  link.target_path = std::string(target);
  link.relative_path = platform::target::RelativeLinkPath(link_path, target);
  link.working_folder = std::string(working_folder);
  link.show_command = ShowCommandOf(show_state);
  if (!icon_file.empty()) {
    link.icon_location = std::string(icon_file);
    link.icon_index = static_cast<std::uint8_t>(icon_index);
  }
  link.description = std::string(kShortcutDescription);
  FileEntry target_entry;
  if (system.files().Stat(target, &target_entry).ok()) {
    link.target_attributes = target_entry.attributes;
    link.target_size = static_cast<std::uint32_t>(target_entry.size);
  }

  std::filesystem::path host;
  Status s = system.drives().ToHostPathForChange(link_path, &host);
  if (!s.ok()) return s;
  const std::size_t last_separator = LastPos("\\", link_path);
  if (last_separator > 0) {
    s = ForceFolders(system, FirstChars(link_path, last_separator - 1));
    if (!s.ok()) return s;
  }
  s = platform::target::WriteShellLinkFile(host, link);
  if (!s.ok()) return s;

  // The read-back stands in for the shell's resolve step: the shortcut
  // counts only when it decodes to what was written.
  ShellLink written;
  s = platform::target::ReadShellLinkFile(host, &written);
  if (!s.ok()) return s;
  if (!(written == link))
    return Status::Corruption("the shortcut does not read back as written: " + host.string());
  return Status::Ok();
}

}  // namespace setup
