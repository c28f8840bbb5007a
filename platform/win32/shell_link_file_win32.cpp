// Shortcut files in the Windows build: written and read by the shell itself
// (IShellLinkW and IPersistFile), so the link carries what Windows puts in
// its own links (the target's item list among them) and resolves like one.
#include <fstream>
#include <optional>
#include <string>

#include "platform/target_system/shell_link.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/windows_api.h"

namespace platform::target {
namespace {

// The show command as the link's header holds it. Wine's GetShowCmd reports
// a saved SW_SHOWMINNOACTIVE as SW_SHOWNORMAL, so the header decides.
std::optional<int> ShowCommandInHeader(const std::filesystem::path& host_path) {
  constexpr std::streamoff kShowCommandOffset = 0x3C;
  std::ifstream in(host_path, std::ios::binary);
  unsigned char bytes[4];
  if (!in.seekg(kShowCommandOffset) || !in.read(reinterpret_cast<char*>(bytes), sizeof bytes))
    return std::nullopt;
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24;
}

}  // namespace

Status WriteShellLinkFile(const std::filesystem::path& host_path, const ShellLink& link) {
  // A read-only shortcut stays as it is, as the shell leaves it.
  const DWORD attributes = GetFileAttributesW(host_path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return Status::AccessDenied(win32::WideToUtf8(host_path.wstring()) + " is read-only");
  }
  win32::ShellLinkFields fields;
  fields.target = link.target_path;
  fields.relative = !link.relative_path.empty();
  fields.description = link.description;
  fields.arguments = link.arguments;
  fields.working_folder = link.working_folder;
  fields.icon_file = link.icon_location;
  fields.icon_index = link.icon_index;
  fields.show_command = static_cast<int>(link.show_command);
  return win32::SaveShellLink(win32::WideToUtf8(host_path.wstring()), fields);
}

Status ReadShellLinkFile(const std::filesystem::path& host_path, ShellLink* link) {
  const std::string path = win32::WideToUtf8(host_path.wstring());
  win32::ShellLinkFields fields;
  Status s = win32::LoadShellLink(path, &fields);
  if (!s.ok()) return s;
  ShellLink result;
  result.target_path = fields.target;
  result.description = fields.description;
  // The relative path is the target as seen from the link's own folder
  // (IShellLinkW has no call that reads it back).
  result.relative_path = RelativeLinkPath(path, fields.target);
  result.arguments = fields.arguments;
  result.working_folder = fields.working_folder;
  result.icon_location = fields.icon_file;
  result.icon_index = result.icon_location.empty() ? 0 : fields.icon_index;
  const int show = ShowCommandInHeader(host_path).value_or(fields.show_command);
  result.show_command =
      (show == kShowMaximized || show == kShowMinNoActive) ? static_cast<std::uint32_t>(show) : kShowNormal;
  result.target_attributes = fields.target_attributes;
  result.target_size = fields.target_size;
  *link = std::move(result);
  return Status::Ok();
}

}  // namespace platform::target
