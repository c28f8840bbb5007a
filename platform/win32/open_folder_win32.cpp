// An open folder in the Windows build: the folder is checked once, and each
// entry is then reached by its Windows path through the Win32 file layer.
#include "platform/target_system/open_folder.h"

#include "platform/win32/win32_files.h"
#include "platform/win32/windows_api.h"

namespace platform::target {
namespace {

std::string EntryPath(const std::string& folder, std::string_view name) {
  return folder.empty() || folder.back() == '\\' ? folder + std::string(name)
                                                 : folder + "\\" + std::string(name);
}

}  // namespace

Status OpenFolder::Open(const DriveMap& drives, std::string_view windows_folder,
                        std::unique_ptr<OpenFolder>* folder) {
  std::filesystem::path host;
  Status s = drives.ToHostPath(windows_folder, &host);
  if (!s.ok()) return s;
  if (!platform::win32::Win32Files().IsFolder(windows_folder)) {
    return Status::NotFound(std::string(windows_folder) + " is no folder");
  }
  folder->reset(new OpenFolder(0, std::string(windows_folder)));
  return Status::Ok();
}

OpenFolder::~OpenFolder() = default;

Status OpenFolder::DeleteFileEntry(std::string_view name) const {
  const platform::win32::Win32Files files;
  const std::string path = EntryPath(windows_path_, name);
  if (files.IsFolder(path)) return Status::InvalidArgument(path + " is a folder");
  if (!files.Exists(path)) return Status::NotFound(path + " does not exist");
  Status s = files.SetAttributes(path, 0);  // a read-only file is made writable first
  return s.ok() ? files.DeleteFile(path) : s;
}

bool OpenFolder::HasEntries() const {
  std::vector<FileEntry> entries;
  return platform::win32::Win32Files().ListEntries(windows_path_, &entries).ok() && !entries.empty();
}

}  // namespace platform::target
