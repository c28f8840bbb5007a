#pragma once

#include <cstdint>
#include <filesystem>

namespace platform {

// What tells one version of a file from another without reading it.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modified_ns = 0;
  std::int64_t changed_ns = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of a regular file; false when the path names none.
bool ReadFileStamp(const std::filesystem::path& file, FileStamp* stamp);

// A file that exists and may not be written: without its owner's write
// permission on Linux, with the read-only attribute on Windows.
bool IsReadOnlyFile(const std::filesystem::path& file);

// Holds an exclusive lock on a folder, across processes, for as long as the
// object lives: the changes of profile files in it follow one another. The
// folder is locked, not the file: the file is replaced by rename, and a lock
// on the old file would not keep out a process that opened the new one.
class FolderLock {
 public:
  explicit FolderLock(const std::filesystem::path& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  bool held() const { return held_; }

 private:
  std::intptr_t handle_ = -1;  // a descriptor on Linux, a mutex on Windows
  bool held_ = false;
};

}  // namespace platform
