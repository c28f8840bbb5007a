#include "platform/target_system/folder_system.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "platform/ascii_text.h"
#include "platform/target_system/fresh_layout.h"
#include "platform/target_system/trash.h"
#include "platform/target_system/windows_path.h"

namespace platform::target {
namespace fs = std::filesystem;

namespace {

Status SettingsFor(const fs::path& folder, const InitOptions& options, SystemSettings* settings) {
  SystemSettings s;
  s.os_kind = options.os_kind;
  s.user_name = options.user_name.empty() ? HostUserName() : options.user_name;
  if (s.user_name.find_first_of("\\/<>:\"|*?") != std::string::npos) {
    return Status::InvalidArgument("the user name cannot be part of a path: " + s.user_name);
  }
  WindowsPath windows;
  const std::string requested = options.windows_folder.empty() ? "C:\\WINDOWS" : options.windows_folder;
  Status status = WindowsPath::Parse(requested, &windows);
  if (!status.ok()) return status;
  // Only drive C lives inside the system; a Windows folder elsewhere would
  // put the system's files on the host.
  if (windows.IsRoot() || windows.drive() != 'C') {
    return Status::InvalidArgument("the Windows folder must be a folder on drive C: " + requested);
  }
  s.windows_folder = windows.ToString();
  // The 9x family keeps its system files in SYSTEM, the NT family in SYSTEM32.
  s.system_folder = windows.Child(IsNtFamily(s.os_kind) ? "SYSTEM32" : "SYSTEM").ToString();
  s.temp_folder = windows.Child("TEMP").ToString();
  s.drives = {Drive{'C', folder / kDriveCFolderName, DriveType::kFixed}};
  *settings = std::move(s);
  return Status::Ok();
}

// A drive to add to settings of the system in folder: a free letter other
// than C and an existing host folder that does not hold the system.
Status CheckNewDrive(const fs::path& folder, const SystemSettings& settings, Drive* drive) {
  const char letter = AsciiUpper(drive->letter);
  if (letter < 'A' || letter > 'Z')
    return Status::InvalidArgument("not a drive letter: " + std::string(1, drive->letter));
  if (letter == 'C') return Status::InvalidArgument("drive C is the system's own drive");
  for (const Drive& d : settings.drives) {
    if (d.letter == letter)
      return Status::AlreadyExists("drive " + std::string(1, letter) + " is mapped already");
  }
  std::error_code ec;
  const fs::path host = fs::weakly_canonical(fs::absolute(drive->host_folder, ec), ec);
  if (ec || !fs::is_directory(host, ec)) {
    return Status::InvalidArgument("no such host folder: " + drive->host_folder.string());
  }
  const fs::path rest = fs::weakly_canonical(folder, ec).lexically_relative(host);
  if (!rest.empty() && *rest.begin() != "..") {
    return Status::InvalidArgument(host.string() + " holds the target system itself");
  }
  drive->letter = letter;
  drive->host_folder = host;
  return Status::Ok();
}

}  // namespace

FolderSystem::FolderSystem(fs::path folder, SystemSettings settings, std::unique_ptr<Registry> registry)
    : folder_(std::move(folder)),
      settings_(std::move(settings)),
      registry_(std::move(registry)),
      drives_(settings_.drives),
      files_(drives_) {}

Status FolderSystem::Open(const fs::path& folder, std::unique_ptr<FolderSystem>* system) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(folder, ec).lexically_normal();
  if (ec) return Status::InvalidArgument("cannot make the folder absolute: " + folder.string());
  SystemSettings settings;
  Status s = LoadSystemSettings(absolute, &settings);
  if (!s.ok()) return s;
  std::unique_ptr<Registry> registry;
  s = Registry::Open(absolute / kRegistryFileName, &registry);
  // Only init makes a registry: a system without its database is broken,
  // not new.
  if (s.IsNotFound()) return Status::Corruption(s.message() + " (only init creates one)");
  if (!s.ok()) return s;
  system->reset(new FolderSystem(absolute, std::move(settings), std::move(registry)));
  return Status::Ok();
}

Status FolderSystem::Create(const fs::path& folder, const InitOptions& options,
                            std::unique_ptr<FolderSystem>* system) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(folder, ec).lexically_normal();
  if (ec) return Status::InvalidArgument("cannot make the folder absolute: " + folder.string());
  if (fs::exists(absolute / kSystemSettingsFileName, ec)) {
    return Status::AlreadyExists("a target system exists in " + absolute.string());
  }
  SystemSettings settings;
  Status s = SettingsFor(absolute, options, &settings);
  if (!s.ok()) return s;
  for (Drive drive : options.mapped_drives) {
    s = CheckNewDrive(absolute, settings, &drive);
    if (!s.ok()) return s;
    settings.drives.push_back(std::move(drive));
  }
  fs::create_directories(absolute / kDriveCFolderName, ec);
  if (ec)
    return Status::IoError("cannot create " + (absolute / kDriveCFolderName).string() + ": " + ec.message());

  std::unique_ptr<Registry> registry;
  s = Registry::OpenOrCreate(absolute / kRegistryFileName, &registry);
  if (s.ok()) s = SeedFreshRegistry(*registry, settings);
  if (!s.ok()) return s;
  std::unique_ptr<FolderSystem> made(new FolderSystem(absolute, settings, std::move(registry)));
  for (const std::string& path : FreshInstallFolders(settings)) {
    s = made->files().CreateFolderTree(path);
    if (!s.ok()) return s;
  }
  // The settings file marks the folder as a system, so it comes last: an
  // interrupted creation is simply done again.
  s = SaveSystemSettings(absolute, settings);
  if (!s.ok()) return s;
  *system = std::move(made);
  return Status::Ok();
}

Status FolderSystem::OpenOrCreate(const fs::path& folder, const InitOptions& options,
                                  std::unique_ptr<FolderSystem>* system) {
  Status s = Open(folder, system);
  if (!s.IsNotFound()) return s;
  s = Create(folder, options, system);
  // Another process may have created it in the meantime.
  return s.IsAlreadyExists() ? Open(folder, system) : s;
}

Status FolderSystem::AddRunOnlyDrive(const Drive& drive) {
  Drive read_only = drive;
  read_only.read_only = true;
  Status s = drives_.Add(read_only);
  if (s.ok()) run_only_drives_.push_back(*drives_.FindDrive(drive.letter));
  return s;
}

Status FolderSystem::AllowChangesOnRunOnlyDrive(char letter) {
  const char upper = AsciiUpper(letter);
  for (Drive& drive : run_only_drives_) {
    if (drive.letter != upper) continue;
    drive.read_only = false;
    return drives_.AllowChanges(upper);
  }
  return Status::NotFound(std::string(1, upper) + ": is no drive of this run");
}

Status FolderSystem::MoveToTrash(std::string_view windows_path) const {
  WindowsPath path;
  Status s = WindowsPath::Parse(windows_path, &path);
  if (!s.ok()) return s;
  if (path.IsRoot()) return Status::AccessDenied("a drive root cannot go to the trash");
  fs::path host;
  s = drives_.ToHostPathForChange(path, &host);
  if (!s.ok()) return s;
  // Neither a drive's folder nor a folder holding one (reachable through a
  // mapped host folder) may go: that would take a whole drive with it.
  const fs::path item = host.lexically_normal();
  for (const Drive& drive : drives_.drives()) {
    const fs::path root = drive.host_folder.lexically_normal();
    const fs::path rest = root.lexically_relative(item);
    if (!rest.empty() && *rest.begin() != "..") {
      return Status::AccessDenied(std::string(windows_path) + " holds drive " + std::string(1, drive.letter));
    }
  }
  return platform::target::MoveToTrash(host);
}

Status FolderSystem::MapDrive(const Drive& drive) {
  Drive added = drive;
  SystemSettings changed = settings_;
  Status s = CheckNewDrive(folder_, changed, &added);
  if (!s.ok()) return s;
  changed.drives.push_back(std::move(added));
  s = SaveSystemSettings(folder_, changed);
  if (!s.ok()) return s;
  settings_ = std::move(changed);
  drives_ = DriveMap(settings_.drives);
  return Status::Ok();
}

Status FolderSystem::UnmapDrive(char letter) {
  const char upper = AsciiUpper(letter);
  if (upper == 'C') return Status::InvalidArgument("drive C is the system's own drive");
  SystemSettings changed = settings_;
  const auto it = std::find_if(changed.drives.begin(), changed.drives.end(),
                               [upper](const Drive& d) { return d.letter == upper; });
  if (it == changed.drives.end())
    return Status::NotFound("drive " + std::string(1, upper) + " is not mapped");
  changed.drives.erase(it);
  Status s = SaveSystemSettings(folder_, changed);
  if (!s.ok()) return s;
  settings_ = std::move(changed);
  drives_ = DriveMap(settings_.drives);
  return Status::Ok();
}

}  // namespace platform::target
