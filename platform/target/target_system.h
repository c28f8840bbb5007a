#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/target/drive_map.h"
#include "platform/target/registry.h"
#include "platform/target/status.h"
#include "platform/target/system_settings.h"
#include "platform/target/target_files.h"

namespace platform::target {

// Choices for a new target system; empty texts take the defaults. The
// system folder is the Windows folder's SYSTEM32 on the NT family (OsKind
// 200-299) and its SYSTEM otherwise; the temporary folder is its TEMP.
struct InitOptions {
  int os_kind = 202;
  std::string user_name;       // default: the host user
  std::string windows_folder;  // default: C:\WINDOWS
};

// A folder that plays one Windows machine: its settings, its registry and
// the folder of drive C. The installer sees only Windows paths and registry
// keys; the host is reached through the drive mapping (and the user's trash).
class TargetSystem {
 public:
  // Opens the system in folder. NotFound when the folder holds no settings
  // file.
  static Status Open(const std::filesystem::path& folder, std::unique_ptr<TargetSystem>* system);
  // Creates a new system in folder (made when missing): the settings file,
  // the folders of a fresh installation of that Windows and its registry.
  // AlreadyExists when the folder holds a system already.
  static Status Create(const std::filesystem::path& folder, const InitOptions& options,
                       std::unique_ptr<TargetSystem>* system);
  // Opens the system in folder, creating it with options when there is none.
  static Status OpenOrCreate(const std::filesystem::path& folder, const InitOptions& options,
                             std::unique_ptr<TargetSystem>* system);

  const std::filesystem::path& folder() const { return folder_; }
  const SystemSettings& settings() const { return settings_; }
  int os_kind() const { return settings_.os_kind; }
  const std::string& user_name() const { return settings_.user_name; }
  const std::string& windows_folder() const { return settings_.windows_folder; }
  const std::string& system_folder() const { return settings_.system_folder; }
  const std::string& temp_folder() const { return settings_.temp_folder; }

  Registry& registry() { return *registry_; }
  const DriveMap& drives() const { return drives_; }
  const TargetFiles& files() const { return files_; }

  // A drive for this run only: the drive map sees it like the drives of the
  // settings, but it is never saved. AlreadyExists when the letter is taken.
  Status AddRunOnlyDrive(const Drive& drive);
  const std::vector<Drive>& run_only_drives() const { return run_only_drives_; }

  // Moves the file or folder at the Windows path into the host user's trash.
  Status MoveToTrash(std::string_view windows_path) const;

 private:
  TargetSystem(std::filesystem::path folder, SystemSettings settings,
               std::unique_ptr<Registry> registry);

  std::filesystem::path folder_;
  SystemSettings settings_;
  std::unique_ptr<Registry> registry_;
  DriveMap drives_;
  TargetFiles files_;
  std::vector<Drive> run_only_drives_;
};

}  // namespace platform::target
