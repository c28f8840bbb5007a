#include "setup/app/target_for_run.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "platform/target_system/run_only_drives.h"
#include "platform/target_system/system_location.h"
#include "platform/target_system/system_settings.h"
#include "setup/app/invocation.h"

namespace setup::app {
namespace fs = std::filesystem;
using platform::target::FolderSystem;
using platform::target::Status;

namespace {

bool IsWithin(const fs::path& inner, const fs::path& outer) {
  const auto [o, i] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
  return o == outer.end();
}

fs::path RealPath(const fs::path& path) {
  std::error_code ec;
  fs::path real = fs::weakly_canonical(path, ec);
  return ec ? fs::path() : real;
}

// Whether some system in a folder above candidate has candidate inside one
// of its drives: a system's files inside a drive are data, not a system.
bool LiesInsideADrive(const fs::path& candidate) {
  for (fs::path above = candidate.parent_path(); !above.empty(); above = above.parent_path()) {
    platform::target::SystemSettings settings;
    if (platform::target::LoadSystemSettings(above, &settings).ok()) {
      for (const platform::target::Drive& drive : settings.drives) {
        const fs::path folder = RealPath(drive.host_folder);
        if (!folder.empty() && IsWithin(candidate, folder)) return true;
      }
    }
    if (above == above.parent_path()) break;
  }
  return false;
}

// Whether the system in folder is a real one whose Windows folder is
// program_folder: it holds its own drive C and lies in no other system's
// drive.
bool IsOwnSystem(const fs::path& folder, const fs::path& program_folder) {
  platform::target::SystemSettings settings;
  if (!platform::target::LoadSystemSettings(folder, &settings).ok()) return false;
  const platform::target::DriveMap drives(settings.drives);
  const platform::target::Drive* c = drives.FindDrive('C');
  const fs::path drive_c = c != nullptr ? RealPath(c->host_folder) : fs::path();
  // Inside its own folder, drive C cannot also hold the system.
  if (drive_c.empty() || drive_c == folder || !IsWithin(drive_c, folder)) return false;
  fs::path windows;
  if (!drives.ToHostPath(settings.windows_folder, &windows).ok()) return false;
  return RealPath(windows) == program_folder && !LiesInsideADrive(folder);
}

}  // namespace

std::optional<fs::path> SystemOfUninstallerCopy(const fs::path& program_path) {
  if (!IsUninstallerName(program_path.filename().string())) return std::nullopt;
  const fs::path program_folder = RealPath(program_path.parent_path());
  if (program_folder.empty()) return std::nullopt;
  for (fs::path folder = program_folder.parent_path(); !folder.empty(); folder = folder.parent_path()) {
    if (IsOwnSystem(folder, program_folder)) return folder;
    if (folder == folder.parent_path()) break;
  }
  return std::nullopt;
}

fs::path OwnProgramPath(const char* argv0) {
  std::error_code ec;
  if (argv0 != nullptr && std::string_view(argv0).find('/') != std::string_view::npos) {
    const fs::path absolute = fs::absolute(argv0, ec);
    if (!ec) return absolute.lexically_normal();
  }
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path(argv0 ? argv0 : "Setup") : self;
}

bool OpenTargetForRun(const fs::path& program_path, std::ostream& err,
                      std::unique_ptr<FolderSystem>* system) {
  const char* env = std::getenv("KESTRO_SYSTEM");
  fs::path folder;
  bool may_create = false;
  if (env != nullptr && *env != '\0') {
    folder = env;
  } else if (const auto own = SystemOfUninstallerCopy(program_path)) {
    folder = *own;
  } else {
    folder = platform::target::ResolveSystemFolder("");
    may_create = true;
  }
  Status s = FolderSystem::Open(folder, system);
  if (s.IsNotFound() && may_create) {
    s = FolderSystem::Create(folder, platform::target::InitOptions{}, system);
    if (s.ok()) err << "Setup: created a new target system in " << folder.string() << "\n";
  }
  if (s.IsNotFound()) {
    err << "Setup: no target system in " << folder.string() << " (create one with: kestro-system --system "
        << folder.string() << " init)\n";
    return false;
  }
  if (!s.ok()) {
    err << "Setup: cannot open the target system in " << folder.string() << ": " << s.ToString() << "\n";
    return false;
  }
  if (const char* drives = std::getenv(platform::target::kRunOnlyDrivesVariable)) {
    const Status added = platform::target::AddRunOnlyDrivesFromText(**system, drives);
    if (!added.ok()) err << "Setup: " << added.ToString() << "\n";
  }
  return true;
}

std::string WindowsFolderFor(FolderSystem& system, const fs::path& host_folder) {
  std::string windows;
  if (system.drives().ToWindowsPath(host_folder, &windows).ok()) return windows;
  char letter = 0;
  if (!platform::target::MapFolderForThisRun(system, host_folder, &letter).ok()) return {};
  return std::string{letter, ':', '\\'};
}

std::string SourceFolderFor(FolderSystem& system, const fs::path& program_path) {
  std::string folder = WindowsFolderFor(system, program_path.parent_path());
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace setup::app
