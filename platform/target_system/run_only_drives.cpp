#include "platform/target_system/run_only_drives.h"

#include <cctype>

#include "platform/ascii_text.h"

namespace platform::target {
namespace fs = std::filesystem;

namespace {

// The folder without "." parts or a trailing separator, so that one folder
// always compares equal to itself.
fs::path Normalized(const fs::path& folder) {
  fs::path normal = folder.lexically_normal();
  if (!normal.has_filename() && normal != normal.root_path()) normal = normal.parent_path();
  return normal;
}

Status AddLine(FolderSystem& system, std::string_view line) {
  const std::size_t comma = line.find(',');
  const bool shaped = line.size() > 2 && line[1] == '=' &&
                      std::isalpha(static_cast<unsigned char>(line[0])) && comma != std::string_view::npos;
  const auto type = shaped ? DriveTypeFromName(line.substr(2, comma - 2)) : std::nullopt;
  const fs::path folder = shaped ? fs::path(std::string(line.substr(comma + 1))) : fs::path();
  if (!type || !folder.is_absolute()) {
    return Status::InvalidArgument("not a run-only drive: " + std::string(line));
  }
  const Drive drive{AsciiUpper(line[0]), Normalized(folder), *type};
  if (const Drive* present = system.drives().FindDrive(drive.letter)) {
    if (Normalized(present->host_folder) == drive.host_folder) return Status::Ok();
    return Status::AlreadyExists(std::string(1, drive.letter) + ": is another folder on this system");
  }
  return system.AddRunOnlyDrive(drive);
}

}  // namespace

Status MapFolderForThisRun(FolderSystem& system, const fs::path& host_folder, char* letter) {
  std::error_code ec;
  const fs::path folder = Normalized(fs::absolute(host_folder, ec));
  if (ec) return Status::InvalidArgument("cannot make the folder absolute: " + host_folder.string());
  // The variable holds one drive per line.
  if (folder.string().find('\n') != std::string::npos) {
    return Status::InvalidArgument("a folder name with a line break cannot be a drive: " + folder.string());
  }
  for (const Drive& drive : system.run_only_drives()) {
    if (Normalized(drive.host_folder) == folder) {
      *letter = drive.letter;
      return Status::Ok();
    }
  }
  for (char candidate = 'D'; candidate <= 'Z'; ++candidate) {
    if (system.drives().FindDrive(candidate) != nullptr) continue;
    Status s = system.AddRunOnlyDrive(Drive{candidate, folder, DriveType::kFixed});
    if (s.ok()) *letter = candidate;
    return s;
  }
  return Status::NotFound("no free drive letter for " + folder.string());
}

std::string RunOnlyDrivesText(const FolderSystem& system) {
  std::string text;
  for (const Drive& drive : system.run_only_drives()) {
    if (!text.empty()) text += '\n';
    text += std::string(1, drive.letter) + "=" + std::string(DriveTypeName(drive.type)) + "," +
            drive.host_folder.string();
  }
  return text;
}

Status AddRunOnlyDrivesFromText(FolderSystem& system, std::string_view text) {
  Status first_failure;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty()) continue;
    Status s = AddLine(system, line);
    if (!s.ok() && first_failure.ok()) first_failure = s;
  }
  return first_failure;
}

}  // namespace platform::target
