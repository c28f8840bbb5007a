#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/target_system/drive_map.h"
#include "platform/target_system/registry.h"
#include "platform/target_system/status.h"
#include "platform/target_system/system_settings.h"
#include "platform/target_system/target_files.h"
#include "platform/target_system/target_system.h"

namespace platform::target {

// Choices for a new target system; empty texts take the defaults. The
// system folder is the Windows folder's SYSTEM32 on the NT family (OsKind
// 200-299) and its SYSTEM otherwise; the temporary folder is its TEMP.
//
// A new system reaches nothing of the host beyond its own folder: drive C is
// its only drive. Each further drive maps a host folder explicitly (here or
// with MapDrive later), and then everything below that folder is open to the
// installer for reading, writing and deleting.
struct InitOptions {
  int os_kind = 202;
  std::string user_name;                  // default: the host user
  std::string windows_folder;             // default: C:\WINDOWS
  std::vector<Drive> mapped_drives = {};  // host folders to map besides drive C
};

// A folder that plays one Windows machine: its settings, its registry and
// the folder of drive C. The installer sees only Windows paths and registry
// keys; the host is reached through the drive mapping (and the user's trash).
class FolderSystem final : public TargetSystem {
 public:
  // Opens the system in folder. NotFound when the folder holds no settings
  // file.
  static Status Open(const std::filesystem::path& folder, std::unique_ptr<FolderSystem>* system);
  // Creates a new system in folder (made when missing): the settings file,
  // the folders of a fresh installation of that Windows and its registry.
  // AlreadyExists when the folder holds a system already.
  static Status Create(const std::filesystem::path& folder, const InitOptions& options,
                       std::unique_ptr<FolderSystem>* system);
  // Opens the system in folder, creating it with options when there is none.
  static Status OpenOrCreate(const std::filesystem::path& folder, const InitOptions& options,
                             std::unique_ptr<FolderSystem>* system);

  const std::filesystem::path& folder() const { return folder_; }
  const SystemSettings& settings() const override { return settings_; }
  Registry& registry() override { return *registry_; }
  const DriveMap& drives() const override { return drives_; }
  const SystemFiles& files() const override { return files_; }

  // A drive for this run only: the drive map sees it like the drives of the
  // settings, but it is never saved, and nothing on it is ever changed.
  // AlreadyExists when the letter is taken.
  Status AddRunOnlyDrive(const Drive& drive);
  // Opens a run-only drive for changes: only for a host folder the user
  // named on the command line to be emptied (the clean-up). NotFound when
  // the letter is no run-only drive.
  Status AllowChangesOnRunOnlyDrive(char letter);
  const std::vector<Drive>& run_only_drives() const override { return run_only_drives_; }

  // Moves the file or folder at the Windows path into the host user's trash.
  Status MoveToTrash(std::string_view windows_path) const override;

  // Maps an existing host folder (absolute, or relative to the current
  // folder) as a drive of the given letter and records it in the settings.
  // InvalidArgument for C (the system's own drive), a character that is no
  // letter, a folder that does not exist or holds the system folder;
  // AlreadyExists when the letter is taken.
  Status MapDrive(const Drive& drive);
  // Removes a mapped drive; NotFound when the letter is not mapped,
  // InvalidArgument for C. The host folder itself is left alone.
  Status UnmapDrive(char letter);

 private:
  FolderSystem(std::filesystem::path folder, SystemSettings settings, std::unique_ptr<Registry> registry);

  std::filesystem::path folder_;
  SystemSettings settings_;
  std::unique_ptr<Registry> registry_;
  DriveMap drives_;
  TargetFiles files_;
  std::vector<Drive> run_only_drives_;
};

}  // namespace platform::target
