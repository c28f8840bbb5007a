#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/target/drive_map.h"
#include "platform/target/status.h"

namespace platform::target {

// A folder of the target system held open for many operations on its
// entries, such as the uninstaller deleting thousands of files from one
// folder: the Windows path is mapped and checked once, and each entry is
// then reached by name relative to the open folder, with no symbolic link
// followed at the entry itself. Entry names are compared as Windows compares
// them (the exact spelling first, else without regard to case).
class OpenFolder {
 public:
  // NotFound when the folder does not exist; AccessDenied when a symbolic
  // link on the way leads out of the folder's drive.
  static Status Open(const DriveMap& drives, std::string_view windows_folder,
                     std::unique_ptr<OpenFolder>* folder);
  ~OpenFolder();
  OpenFolder(const OpenFolder&) = delete;
  OpenFolder& operator=(const OpenFolder&) = delete;

  const std::string& windows_path() const { return windows_path_; }

  // Deletes the file (or the link itself) named name, as TargetFiles'
  // DeleteFile with the attributes cleared first: a read-only file is made
  // writable and deleted. NotFound when there is no such entry,
  // InvalidArgument for a folder.
  Status DeleteFileEntry(std::string_view name) const;

  // Whether the folder holds at least one entry (reads no further).
  bool HasEntries() const;

 private:
  OpenFolder(int fd, std::string windows_path) : fd_(fd), windows_path_(std::move(windows_path)) {}
  // The entry's name as stored, or empty when none matches.
  std::string FindEntry(std::string_view name) const;

  int fd_;
  std::string windows_path_;
};

}  // namespace platform::target
