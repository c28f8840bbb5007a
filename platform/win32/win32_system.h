#pragma once

#include "platform/target_system/drive_map.h"
#include "platform/target_system/target_system.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"

namespace platform::win32 {

using platform::target::SystemSettings;

// The Windows machine the program runs on as the engines' target: its real
// registry, files, drives and recycle bin, and its settings as Windows
// reports them (RunningSystemSettings).
class Win32System final : public platform::target::TargetSystem {
 public:
  Win32System();

  const SystemSettings& settings() const override { return settings_; }
  platform::target::Registry& registry() override { return registry_; }
  const platform::target::DriveMap& drives() const override { return drives_; }
  const platform::target::SystemFiles& files() const override { return files_; }
  Status MoveToTrash(std::string_view windows_path) const override;

 private:
  SystemSettings settings_;
  Win32Registry registry_;
  Win32Files files_;
  platform::target::DriveMap drives_;
};

}  // namespace platform::win32
