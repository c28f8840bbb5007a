// Windows paths from scripts, with their folder and shortcut macros: a path
// that parses keeps its form through printing and parsing again, and its host
// path never leaves the folder of its drive.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "fuzz/scratch_system.h"
#include "platform/target_system/drive_map.h"
#include "platform/target_system/name_folding.h"
#include "platform/target_system/windows_path.h"
#include "setup/core/path_macros.h"

namespace {

namespace fs = std::filesystem;
using platform::target::Drive;
using platform::target::DriveMap;
using platform::target::DriveType;
using platform::target::TargetSystem;
using platform::target::WindowsPath;

TargetSystem& TheSystem() { return fuzzing::ScratchSystem(); }

// Drive C of the system and an empty drive D; no drive reaches the rest of
// the host, so the host folder of every path can be checked.
const DriveMap& TheDrives() {
  static const DriveMap drives = [] {
    const Drive* c = TheSystem().drives().FindDrive('C');
    FUZZ_CHECK(c != nullptr);
    const fs::path d = fuzzing::ScratchFolder() / "d";
    fs::create_directories(d);
    return DriveMap({*c, Drive{'D', d, DriveType::kRemovable}});
  }();
  return drives;
}

bool IsInside(const fs::path& folder, const fs::path& path) {
  const fs::path relative = path.lexically_normal().lexically_relative(folder.lexically_normal());
  return !relative.empty() && *relative.begin() != "..";
}

bool SamePath(const WindowsPath& a, const WindowsPath& b) {
  if (a.drive() != b.drive() || a.components().size() != b.components().size()) return false;
  for (std::size_t i = 0; i < a.components().size(); ++i) {
    if (!platform::target::NamesEqual(a.components()[i], b.components()[i])) return false;
  }
  return true;
}

void CheckPath(std::string_view text, bool wildcards) {
  WindowsPath path;
  if (!WindowsPath::Parse(text, &path, wildcards).ok()) return;
  for (const std::string& component : path.components()) {
    FUZZ_CHECK(!component.empty() && component != "." && component != "..");
    FUZZ_CHECK(component.find_first_of("\\/<>:\"|") == std::string::npos);
  }
  WindowsPath again;
  FUZZ_CHECK(WindowsPath::Parse(path.ToString(), &again, wildcards).ok());
  FUZZ_CHECK(SamePath(path, again));
  FUZZ_CHECK(SamePath(path.Parent().Child(path.Name()), path) || path.IsRoot());
  if (wildcards) return;

  const DriveMap& drives = TheDrives();
  const Drive* drive = drives.FindDrive(path.drive());
  fs::path host;
  if (drive == nullptr || !drives.ToHostPath(path, &host).ok()) return;
  FUZZ_CHECK(host.lexically_normal() == drive->host_folder.lexically_normal() ||
             IsInside(drive->host_folder, host));
  std::string back;
  FUZZ_CHECK(drives.ToWindowsPath(host, &back).ok());
  FUZZ_CHECK(WindowsPath::Parse(back, &again).ok());
  FUZZ_CHECK(SamePath(path, again));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool option = (data[0] & 1) != 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  TargetSystem& system = TheSystem();

  CheckPath(text, option);
  const std::string install = "C:\\Program Files\\Fuzz";
  CheckPath(setup::ExpandPathMacro(system, text, install), false);
  CheckPath(setup::ExpandShortcutMacro(system, text, "Fuzz Group", option), false);
  setup::ExpandMacrosInText(system, text, install);
  return 0;
}
