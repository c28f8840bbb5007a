#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace platform::target {

// Drive types with the numbers GetDriveType gives.
enum class DriveType : unsigned {
  kUnknown = 0,    // the type cannot be determined
  kNoRootDir = 1,  // no such drive, or the path is not usable
  kRemovable = 2,
  kFixed = 3,
  kRemote = 4,
  kCdRom = 5,
  kRamDisk = 6,
};

// "fixed", "removable", "cdrom", "remote", "ramdisk" (the settings file form).
std::string_view DriveTypeName(DriveType type);
std::optional<DriveType> DriveTypeFromName(std::string_view name);

// One drive letter of the target system and the host folder behind it.
struct Drive {
  char letter = 'C';                  // upper case
  std::filesystem::path host_folder;  // absolute
  DriveType type = DriveType::kFixed;
  // A drive the engines may read but never change (the package folder
  // given a letter for one run).
  bool read_only = false;
};

}  // namespace platform::target
