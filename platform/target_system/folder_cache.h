#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/target_system/drive_map.h"
#include "platform/target_system/folder_watch.h"
#include "platform/target_system/status.h"
#include "platform/target_system/windows_path.h"

namespace platform::target {

// One host folder of a drive, held open. Its entries are read once into an
// index by folded name and kept exact under this process's own changes; the
// folder's change time tells when someone else changed it, and then the
// index and the subfolders held below it are dropped and read again.
class CachedFolder {
 public:
  // With a watch, another process's changes are learnt from it instead of
  // from the change time.
  CachedFolder(int fd, std::filesystem::path host, std::shared_ptr<FolderWatch> watch = nullptr);
  ~CachedFolder();
  CachedFolder(const CachedFolder&) = delete;
  CachedFolder& operator=(const CachedFolder&) = delete;

  int fd() const { return fd_; }
  const std::filesystem::path& host() const { return host_; }

  // Drops what is known when someone else changed the folder since the
  // last look (as its watch or its change time tells).
  void Revalidate();
  // The entry that the Windows name names: the exact spelling when it exists,
  // else the first entry in byte order whose folded name matches; empty when
  // none does. info, when given, receives the entry's facts (a link not
  // followed).
  std::string Find(const std::string& name, struct stat* info = nullptr);
  // The stored name Find would most likely give, without a look at the
  // folder: from the index once it is read, else the name itself. For a
  // caller that opens the entry at once and looks closer only when that
  // fails.
  std::string Guess(const std::string& name) const;
  // Our own change of one entry: the index follows it, and the change it
  // caused is taken as known (the event it raises, or the change time).
  void Added(const std::string& stored);
  void Removed(const std::string& stored);

  // For the watch: whether the event of a name added or removed is one of
  // our own changes (taken once); that the entries are to be forgotten at
  // the next look (lost: events were lost, our own among them); that the
  // folder is watched no more.
  bool TakeAnnounced(bool added, const std::string& name);
  void MarkStale(bool lost);
  void Unwatched();
  // The held subfolder of that stored name, or nullptr.
  std::shared_ptr<CachedFolder> Child(const std::string& stored) const;
  void AdoptChild(const std::string& stored, std::shared_ptr<CachedFolder> child);

 private:
  void List();
  // The index's entry for the name: the exact spelling, else the first in
  // byte order; empty when none.
  std::string Indexed(const std::string& name) const;
  void TakeChangeTime();
  void Drop();

  int fd_;
  std::filesystem::path host_;
  std::shared_ptr<FolderWatch> watch_;
  int watch_id_ = -1;
  bool stale_ = false;
  // Our own changes whose events are still to come: "+name", "-name".
  std::unordered_multiset<std::string> announced_;
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
  struct stat info {};  // the entry itself, a link not followed; valid when exists

  // The host path, for the few path-based calls.
  std::filesystem::path Host() const { return folder->host() / name; }
};

// Resolves Windows paths of the drives to places without following a
// symbolic link out of a drive: every folder on the way is opened relative
// to its parent with O_NOFOLLOW; a link on the way is followed only when its
// real target lies in the drive's folder, and then the target is opened by
// the same no-follow walk from the drive's root. The folders stay open, so a
// parent is resolved once for all the files it receives.
class FolderCache {
 public:
  explicit FolderCache(const DriveMap& drives) : drives_(drives), watch_(FolderWatch::Create()) {}

  // NotFound when the parent folder does not exist, AccessDenied when a link
  // on the way leads out of the drive, InvalidArgument for a name that is
  // too long. A root has no place (InvalidArgument).
  Status Locate(const WindowsPath& path, Place* place);
  // The place Locate would most likely give, its entry not looked at
  // (exists stays false, info empty); NotFound only when the folder's index
  // lacks the name. The caller's open of it confirms it.
  Status Guess(const WindowsPath& path, Place* place);
  // The folder itself, held open (a root included).
  Status LocateFolder(const WindowsPath& path, std::shared_ptr<CachedFolder>* folder);
  // When the entry is a link: the place of its real target inside the drive,
  // AccessDenied when it leads out. Other entries stay as they are.
  Status FollowLinkInside(const WindowsPath& path, Place* place);
  // Forgets everything (a drive was mapped or unmapped).
  void Clear() { roots_.clear(); }

  // The lookups of one call of the file layer (a copy locates its source
  // and its target) see the folders as they were when it began: what others
  // changed is read once, at the start, instead of at every lookup.
  class Operation {
   public:
    explicit Operation(FolderCache& cache) : cache_(cache) {
      if (cache_.watch_ && cache_.operations_ == 0) cache_.watch_->Drain();
      ++cache_.operations_;
    }
    ~Operation() { --cache_.operations_; }
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;

   private:
    FolderCache& cache_;
  };

 private:
  Status Root(const Drive& drive, std::shared_ptr<CachedFolder>* root);
  // The folder of the path's first depth components, opened and held.
  Status Walk(const WindowsPath& path, std::size_t depth, std::shared_ptr<CachedFolder>* folder);
  // A fresh place whose folder is the path's parent, held; the name is not
  // looked at yet.
  Status WalkToParent(const WindowsPath& path, Place* place);
  Status OpenChild(const Drive& drive, CachedFolder& parent, const std::string& stored,
                   const WindowsPath& shown, std::shared_ptr<CachedFolder>* child);
  // Opens the folder at real (a path without links) by a no-follow walk from
  // the drive's root; AccessDenied when it lies outside the drive.
  Status WalkReal(const Drive& drive, const std::filesystem::path& real, const WindowsPath& path, int* fd);

  const DriveMap& drives_;
  std::shared_ptr<FolderWatch> watch_;
  std::map<char, std::shared_ptr<CachedFolder>> roots_;
  std::size_t held_ = 0;
  std::size_t operations_ = 0;
};

}  // namespace platform::target
