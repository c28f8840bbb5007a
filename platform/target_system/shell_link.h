#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/target_system/status.h"

namespace platform::target {

// Show commands a shortcut may carry.
enum ShowCommand : std::uint32_t {
  kShowNormal = 1,
  kShowMaximized = 3,
  kShowMinNoActive = 7,
};

// The contents of a Windows shortcut (.lnk) file. Paths are Windows paths in
// UTF-8; an empty text means the field is absent.
struct ShellLink {
  std::string target_path;  // stored in the LinkInfo as the local base path
  std::string description;
  std::string relative_path;  // target relative to the link's folder
  std::string working_folder;
  std::string arguments;
  std::string icon_location;
  std::int32_t icon_index = 0;
  std::uint32_t show_command = kShowNormal;
  std::uint32_t target_attributes = 0;  // FileAttribute bits of the target
  std::uint32_t target_size = 0;

  bool operator==(const ShellLink&) const = default;
};

// The shell-link binary form: the 76-byte header with the class identifier
// 00021401-0000-0000-C000-000000000046, a LinkInfo with the volume and the
// local base path (code page 932 and UTF-16), the string data in UTF-16 and
// an empty extra-data block. No item-id list is written.
std::string EncodeShellLink(const ShellLink& link);
// Reads the form back; Corruption for anything that is not a shell link or
// whose parts run past the end. A show command other than 3 and 7 reads as 1.
Status DecodeShellLink(std::string_view bytes, ShellLink* link);

// Writes the file whole (temporary file and rename) / reads it.
// AccessDenied for an existing read-only file (no owner write permission).
Status WriteShellLinkFile(const std::filesystem::path& host_path, const ShellLink& link);
Status ReadShellLinkFile(const std::filesystem::path& host_path, ShellLink* link);

// The target as seen from the link's folder (".\App.exe", "..\Maker\App.exe");
// empty when the two are on different drives or either is no drive path.
std::string RelativeLinkPath(std::string_view link_path, std::string_view target_path);

}  // namespace platform::target
