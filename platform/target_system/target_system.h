#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/target_system/drive_map.h"
#include "platform/target_system/registry.h"
#include "platform/target_system/status.h"
#include "platform/target_system/system_files.h"
#include "platform/target_system/system_settings.h"

namespace platform::target {

// The Windows machine the installer works on, as the engines see it: its
// settings, its registry, its files and its recycle bin. A FolderSystem plays
// one in a folder of the host; on Windows the machine itself is the target.
class TargetSystem {
 public:
  TargetSystem() = default;
  TargetSystem(const TargetSystem&) = delete;
  TargetSystem& operator=(const TargetSystem&) = delete;
  virtual ~TargetSystem() = default;

  virtual const SystemSettings& settings() const = 0;
  int os_kind() const { return settings().os_kind; }
  const std::string& user_name() const { return settings().user_name; }
  const std::string& windows_folder() const { return settings().windows_folder; }
  const std::string& system_folder() const { return settings().system_folder; }
  const std::string& temp_folder() const { return settings().temp_folder; }

  virtual Registry& registry() = 0;
  virtual const DriveMap& drives() const = 0;
  virtual const SystemFiles& files() const = 0;
  // Drives that exist for this run only (a package folder that lies on no
  // drive); they are sources, never destinations. A real machine has none.
  virtual const std::vector<Drive>& run_only_drives() const { return kNoDrives; }

  // Moves the file or folder at the Windows path into the recycle bin (the
  // host user's trash for a FolderSystem).
  virtual Status MoveToTrash(std::string_view windows_path) const = 0;

 private:
  static inline const std::vector<Drive> kNoDrives;
};

}  // namespace platform::target
