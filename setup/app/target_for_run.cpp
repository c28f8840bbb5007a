#include "setup/app/target_for_run.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "platform/target_system/run_only_drives.h"
#include "platform/target_system/system_location.h"

namespace setup::app {
namespace fs = std::filesystem;
using platform::target::Status;
using platform::target::FolderSystem;

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
  } else if (const auto enclosing = platform::target::FindEnclosingSystem(program_path.parent_path())) {
    folder = *enclosing;
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
    err << "Setup: no target system in " << folder.string()
        << " (create one with: kestro-system --system " << folder.string() << " init)\n";
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

