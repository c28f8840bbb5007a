#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/target_system/drive.h"
#include "platform/target_system/status.h"
#include "platform/target_system/windows_path.h"

namespace platform::target {

// Translates between the target system's Windows paths and host paths.
//
// Windows to host: the drive letter selects the host folder; each component
// is looked up without regard to case among the entries that exist (an
// existing "windows" folder is what "C:\WINDOWS" names), and from the first
// component that does not exist on, the names are used as written, so new
// files and folders keep the case they were created with.
//
// Host to Windows: the drive whose host folder is the longest prefix of the
// (absolute, lexically normal) host path names it.
class DriveMap {
 public:
  explicit DriveMap(std::vector<Drive> drives);

  const std::vector<Drive>& drives() const { return drives_; }
  // The drive of that letter (either case), or nullptr.
  const Drive* FindDrive(char letter) const;
  // Adds a drive; AlreadyExists when its letter is taken.
  Status Add(Drive drive);
  // Lets changes be made on a read-only drive; NotFound when the letter is no
  // drive.
  Status AllowChanges(char letter);

  Status ToHostPath(std::string_view windows_path, std::filesystem::path* host) const;
  Status ToHostPath(const WindowsPath& path, std::filesystem::path* host) const;
  Status ToWindowsPath(const std::filesystem::path& host, std::string* windows_path) const;

  // ToHostPath for an operation that writes, creates, removes or deletes:
  // AccessDenied when a symbolic link on the way (the named entry included)
  // leads out of the drive's host folder, so that no link inside a drive
  // reaches a host file for a change; AccessDenied on a read-only drive; and
  // InvalidArgument for a name too long for the host.
  Status ToHostPathForChange(std::string_view windows_path, std::filesystem::path* host) const;
  Status ToHostPathForChange(const WindowsPath& path, std::filesystem::path* host) const;

  // As GetDriveType: the type of the drive of the path's letter ("C:\" or any
  // path on it); kNoRootDir for an unknown letter or a drive whose host
  // folder is missing, and for text that is no drive path at all.
  DriveType TypeOf(std::string_view windows_path) const;

  // AccessDenied when the path's drive may not be changed.
  Status CheckWritable(const WindowsPath& path) const;

  // Free and total bytes of the file system that holds the drive's folder.
  Status FreeSpace(std::string_view windows_path, std::uint64_t* free_bytes,
                   std::uint64_t* total_bytes = nullptr) const;

 private:
  std::vector<Drive> drives_;
};

}  // namespace platform::target
