#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/target_system/drive_map.h"
#include "platform/target_system/status.h"
#include "platform/target_system/windows_path.h"

namespace platform::target {

// One host folder of a drive, held open. Its entries are read once into an
// index by folded name and kept exact under this process's own changes; the
// folder's change time tells when someone else changed it, and then the
// index and the subfolders held below it are dropped and read again.
class CachedFolder {
 public:
  CachedFolder(int fd, std::filesystem::path host);
  ~CachedFolder();
  CachedFolder(const CachedFolder&) = delete;
  CachedFolder& operator=(const CachedFolder&) = delete;

  int fd() const { return fd_; }
  const std::filesystem::path& host() const { return host_; }

  // Drops what is known when the change time moved since the last look.
  void Revalidate();
  // The entry that the Windows name names: the exact spelling when it exists,
  // else the first entry in byte order whose folded name matches; empty when
  // none does. info, when given, receives the entry's facts (a link not
  // followed).
  std::string Find(const std::string& name, struct stat* info = nullptr);
  // Our own change of one entry: the index follows it, and the change time
  // it caused is taken as known.
  void Added(const std::string& stored);
  void Removed(const std::string& stored);
  // The held subfolder of that stored name, or nullptr.
  std::shared_ptr<CachedFolder> Child(const std::string& stored) const;
  void AdoptChild(const std::string& stored, std::shared_ptr<CachedFolder> child);

 private:
  void List();
  void TakeChangeTime();

  int fd_;
  std::filesystem::path host_;
  struct timespec known_time_ {};
  bool listed_ = false;
  std::unordered_map<std::string, std::vector<std::string>> by_folded_;
  std::unordered_map<std::string, std::shared_ptr<CachedFolder>> children_;
};

// Where a Windows path leads: its parent folder held open and the entry's
// name in it (as stored when it exists, as written otherwise).
struct Place {
  std::shared_ptr<CachedFolder> folder;
  std::string name;
  bool exists = false;
  struct stat info {};         // the entry itself, a link not followed; valid when exists
  std::filesystem::path host;  // for messages and for the few path-based calls
};

// Resolves Windows paths of the drives to places without following a
// symbolic link out of a drive: every folder on the way is opened relative
// to its parent with O_NOFOLLOW; a link on the way is followed only when its
// real target lies in the drive's folder, and then the target is opened by
// the same no-follow walk from the drive's root. The folders stay open, so a
// parent is resolved once for all the files it receives.
class FolderCache {
 public:
  explicit FolderCache(const DriveMap& drives) : drives_(drives) {}

  // NotFound when the parent folder does not exist, AccessDenied when a link
  // on the way leads out of the drive, InvalidArgument for a name that is
  // too long. A root has no place (InvalidArgument).
  Status Locate(const WindowsPath& path, Place* place);
  // The folder itself, held open (a root included).
  Status LocateFolder(const WindowsPath& path, std::shared_ptr<CachedFolder>* folder);
  // When the entry is a link: the place of its real target inside the drive,
  // AccessDenied when it leads out. Other entries stay as they are.
  Status FollowLinkInside(const WindowsPath& path, Place* place);
  // Forgets everything (a drive was mapped or unmapped).
  void Clear() { roots_.clear(); }

 private:
  Status Root(const Drive& drive, std::shared_ptr<CachedFolder>* root);
  // The folder of the path's first depth components, opened and held.
  Status Walk(const WindowsPath& path, std::size_t depth, std::shared_ptr<CachedFolder>* folder,
              std::filesystem::path* host);
  Status OpenChild(const Drive& drive, CachedFolder& parent, const std::string& stored,
                   const WindowsPath& shown, std::shared_ptr<CachedFolder>* child);
  // Opens the folder at real (a path without links) by a no-follow walk from
  // the drive's root; AccessDenied when it lies outside the drive.
  Status WalkReal(const Drive& drive, const std::filesystem::path& real, const WindowsPath& path, int* fd);

  const DriveMap& drives_;
  std::map<char, std::shared_ptr<CachedFolder>> roots_;
  std::size_t held_ = 0;
};

}  // namespace platform::target
