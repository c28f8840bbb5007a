#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/target_system/system_files.h"

namespace platform::win32 {

using platform::target::FileEntry;
using platform::target::Status;

// A Windows path as the wide file functions take it: backslashes, and the
// "\\?\" prefix on absolute paths, so paths longer than MAX_PATH work
// (the ANSI functions and fixed 260-character buffers would cut them).
std::wstring LongPath(std::string_view path);

// The files of the Windows machine the program runs on, through the wide
// Win32 functions. Failures keep Windows' reason: a file held open by
// another program is an IoError that says so (the engines ask Abort, Retry
// or Ignore), a read-only file or a folder we may not write AccessDenied, a
// full disk an IoError naming it.
class Win32Files final : public platform::target::SystemFiles {
 public:
  Win32Files() = default;

  bool Exists(std::string_view path) const override;
  bool IsFolder(std::string_view path) const override;
  Status Stat(std::string_view path, FileEntry* entry) const override;
  Status CreateFolder(std::string_view path) const override;
  Status CreateFolderTree(std::string_view path) const override;
  Status RemoveEmptyFolder(std::string_view path) const override;
  Status ListEntries(std::string_view folder, std::vector<FileEntry>* entries) const override;
  Status FindAll(std::string_view pattern, std::vector<FileEntry>* entries) const override;
  Status FindFirst(std::string_view pattern, FileEntry* entry) const override;
  Status CopyFile(std::string_view from, std::string_view to, bool fail_if_exists) const override;
  Status CopyFile(std::string_view from, std::string_view to, bool fail_if_exists,
                  Flush flush) const override;
  Status FlushWrites() const override;
  Status MoveFile(std::string_view from, std::string_view to) const override;
  Status DeleteFile(std::string_view path) const override;
  Status GetAttributes(std::string_view path, std::uint32_t* attributes) const override;
  Status SetAttributes(std::string_view path, std::uint32_t attributes) const override;
  Status SetWriteTime(std::string_view path, std::chrono::system_clock::time_point time) const override;
  Status ReadFile(std::string_view path, std::string* data) const override;
  Status WriteFile(std::string_view path, std::string_view data) const override;
  Status CopyFromHost(const std::filesystem::path& host_source, std::string_view to) const override;

 private:
  // The copies made without a flush since the last FlushWrites.
  mutable std::vector<std::wstring> unflushed_;
};

}  // namespace platform::win32
