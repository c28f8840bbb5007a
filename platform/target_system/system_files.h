#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/target_system/status.h"

namespace platform::target {

// File attribute bits with their Windows numbers. On a target system's
// folder the host keeps only the read-only bit (as the owner's write
// permission on files); folders report kFileDirectory, files kFileArchive,
// plus kFileReadOnly when set.
enum FileAttribute : std::uint32_t {
  kFileReadOnly = 0x01,
  kFileHidden = 0x02,
  kFileSystem = 0x04,
  kFileDirectory = 0x10,
  kFileArchive = 0x20,
  kFileNormal = 0x80,
};

struct FileEntry {
  std::string name;  // as stored on the host
  bool is_folder = false;
  std::uint64_t size = 0;
  std::uint32_t attributes = 0;
  std::chrono::system_clock::time_point write_time;
};

// File operations on Windows paths, as the engines use them: TargetFiles on
// a target system's drive map, the Win32 file functions on Windows. Paths
// are the engines' text (UTF-8); drive roots are never removed.
class SystemFiles {
 public:
  SystemFiles() = default;
  SystemFiles(const SystemFiles&) = delete;
  SystemFiles& operator=(const SystemFiles&) = delete;
  virtual ~SystemFiles() = default;

  virtual bool Exists(std::string_view path) const = 0;
  virtual bool IsFolder(std::string_view path) const = 0;
  // Facts about one file or folder; NotFound when missing.
  virtual Status Stat(std::string_view path, FileEntry* entry) const = 0;

  // As CreateDirectory: the parent must exist; AlreadyExists when the name is
  // taken.
  virtual Status CreateFolder(std::string_view path) const = 0;
  // Creates the folder and every missing parent; Ok when it exists already.
  virtual Status CreateFolderTree(std::string_view path) const = 0;
  // As RemoveDirectory: NotEmpty when it holds anything, AccessDenied for a
  // drive root, NotFound when missing.
  virtual Status RemoveEmptyFolder(std::string_view path) const = 0;

  // Entries of a folder except "." and "..", in case-insensitive name order.
  virtual Status ListEntries(std::string_view folder, std::vector<FileEntry>* entries) const = 0;
  // Entries matching the wildcard pattern of the path's last component
  // ("C:\WINDOWS\*.ini"), in the same order; NotFound when none matches.
  virtual Status FindAll(std::string_view pattern, std::vector<FileEntry>* entries) const = 0;
  virtual Status FindFirst(std::string_view pattern, FileEntry* entry) const = 0;

  // Copies a file with its write time and read-only bit; the new file
  // appears whole. AlreadyExists when fail_if_exists and the target exists;
  // AccessDenied when the target is read-only.
  virtual Status CopyFile(std::string_view from, std::string_view to, bool fail_if_exists) const = 0;
  // Whether a copy is flushed to the disk before it takes its name. Either
  // way it appears whole; kUnflushed is for copying many files in a row (an
  // installation), as the system's own file copy does.
  enum class Flush { kFlushed, kUnflushed };
  virtual Status CopyFile(std::string_view from, std::string_view to, bool fail_if_exists,
                          Flush flush) const = 0;
  // Flushes to the disk what the unflushed copies since the last call wrote,
  // so a power loss after it loses none of them.
  virtual Status FlushWrites() const = 0;
  // Moves a file or folder; AlreadyExists when the target exists.
  virtual Status MoveFile(std::string_view from, std::string_view to) const = 0;
  // Deletes a file (not a folder); AccessDenied when it is read-only.
  virtual Status DeleteFile(std::string_view path) const = 0;

  virtual Status GetAttributes(std::string_view path, std::uint32_t* attributes) const = 0;
  virtual Status SetAttributes(std::string_view path, std::uint32_t attributes) const = 0;
  virtual Status SetWriteTime(std::string_view path, std::chrono::system_clock::time_point time) const = 0;

  // Reads a whole file / writes it whole (temporary file and rename).
  virtual Status ReadFile(std::string_view path, std::string* data) const = 0;
  virtual Status WriteFile(std::string_view path, std::string_view data) const = 0;

  // Copies a file of the machine the program runs on (a program of ours, say)
  // to the Windows path, whole, keeping a program runnable. AccessDenied when
  // the target is read-only.
  virtual Status CopyFromHost(const std::filesystem::path& host_source, std::string_view to) const = 0;
};

}  // namespace platform::target
