#include "platform/target_system/drive.h"

#include <array>
#include <utility>

namespace platform::target {
namespace {

constexpr std::array<std::pair<DriveType, std::string_view>, 5> kNames = {{
    {DriveType::kFixed, "fixed"},
    {DriveType::kRemovable, "removable"},
    {DriveType::kCdRom, "cdrom"},
    {DriveType::kRemote, "remote"},
    {DriveType::kRamDisk, "ramdisk"},
}};

}  // namespace

std::string_view DriveTypeName(DriveType type) {
  for (const auto& [t, name] : kNames) {
    if (t == type) return name;
  }
  return "unknown";
}

std::optional<DriveType> DriveTypeFromName(std::string_view name) {
  for (const auto& [t, n] : kNames) {
    if (n == name) return t;
  }
  return std::nullopt;
}

}  // namespace platform::target
