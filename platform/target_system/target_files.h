#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/target_system/drive_map.h"
#include "platform/target_system/status.h"
#include "platform/target_system/system_files.h"

namespace platform::target {

// File operations on Windows paths of the target system. Every call maps its
// paths through the DriveMap and acts on the host relative to folders held
// open (see FolderCache), so the cost of a call does not grow with the size
// of its folder, and a folder swapped for a link between a check and a use
// is never followed. Drive roots are never removed; no change follows a
// symbolic link out of its drive's folder, nor does a copy read through
// one (such a path is AccessDenied); a read-only drive (the package folder
// given a letter for one run) is never changed.
class TargetFiles : public SystemFiles {
 public:
  explicit TargetFiles(const DriveMap& drives);
  ~TargetFiles();

  bool Exists(std::string_view path) const;
  bool IsFolder(std::string_view path) const;
  // Facts about one file or folder; NotFound when missing.
  Status Stat(std::string_view path, FileEntry* entry) const;

  // As CreateDirectory: the parent must exist; AlreadyExists when the name is
  // taken.
  Status CreateFolder(std::string_view path) const;
  // Creates the folder and every missing parent; Ok when it exists already.
  Status CreateFolderTree(std::string_view path) const;
  // As RemoveDirectory: NotEmpty when it holds anything, AccessDenied for a
  // drive root, NotFound when missing.
  Status RemoveEmptyFolder(std::string_view path) const;

  // Entries of a folder except "." and "..", in case-insensitive name order.
  Status ListEntries(std::string_view folder, std::vector<FileEntry>* entries) const;
  // Entries matching the wildcard pattern of the path's last component
  // ("C:\WINDOWS\*.ini"), in the same order; NotFound when none matches.
  Status FindAll(std::string_view pattern, std::vector<FileEntry>* entries) const;
  Status FindFirst(std::string_view pattern, FileEntry* entry) const;

  // Copies a file with its write time and read-only bit, by the kernel (a
  // reflink where the file system offers one) in bounded memory; the new
  // file appears whole (temporary file and rename). AlreadyExists when
  // fail_if_exists and the target exists; AccessDenied when the target is
  // read-only.
  Status CopyFile(std::string_view from, std::string_view to, bool fail_if_exists) const;
  // With Flush (SystemFiles::Flush) kUnflushed the copy is not flushed to
  // the disk before it takes its name; as such copies add up, a thread of
  // their own flushes them while the next ones are made.
  Status CopyFile(std::string_view from, std::string_view to, bool fail_if_exists, Flush flush) const;
  // Flushes to the disk what the unflushed copies since the last call wrote
  // (the file systems of their drives), so a power loss after it loses none;
  // a failure of a flush in the background is reported here.
  Status FlushWrites() const;
  // Moves a file or folder; AlreadyExists when the target exists.
  Status MoveFile(std::string_view from, std::string_view to) const;
  // Deletes a file (not a folder); AccessDenied when it is read-only.
  Status DeleteFile(std::string_view path) const;

  Status GetAttributes(std::string_view path, std::uint32_t* attributes) const;
  // Only kFileReadOnly has an effect on the host; other bits are accepted.
  Status SetAttributes(std::string_view path, std::uint32_t attributes) const;
  Status SetWriteTime(std::string_view path, std::chrono::system_clock::time_point time) const;

  // Reads a whole file / writes it whole (temporary file and rename).
  Status ReadFile(std::string_view path, std::string* data) const;
  Status WriteFile(std::string_view path, std::string_view data) const;

  // Copies a file of the host (a program of ours, say) to the Windows path,
  // whole (temporary file and rename), with the host file's permission bits
  // so a program stays runnable. AccessDenied when the target is read-only.
  Status CopyFromHost(const std::filesystem::path& host_source, std::string_view to) const;

 private:
  struct State;

  const DriveMap& drives_;
  std::shared_ptr<State> state_;
};

}  // namespace platform::target
