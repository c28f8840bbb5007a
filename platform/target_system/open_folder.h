#pragma once

#include <sys/stat.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/target_system/drive_map.h"
#include "platform/target_system/status.h"

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
  // link on the way leads out of the folder's drive; InvalidArgument for a
  // name too long for the host.
  static Status Open(const DriveMap& drives, std::string_view windows_folder,
                     std::unique_ptr<OpenFolder>* folder);
  ~OpenFolder();
  OpenFolder(const OpenFolder&) = delete;
  OpenFolder& operator=(const OpenFolder&) = delete;

  const std::string& windows_path() const { return windows_path_; }

  // Deletes the file (or the link itself) named name, as TargetFiles'
  // DeleteFile with the attributes cleared first: a read-only file is
  // deleted too. NotFound when there is no such entry, InvalidArgument for a
  // folder.
  Status DeleteFileEntry(std::string_view name) const;

  // Whether the folder holds at least one entry. The folder is read once;
  // after that its entries are counted down as this object deletes them, and
  // read again only when the folder's change time says someone else changed
  // it; right after one of its deletions the count just taken stands. (A
  // change by someone else within the same clock tick as one of ours
  // can go unseen: a folder then wrongly thought empty is only tried, and
  // its removal fails while it holds anything; one wrongly thought in use
  // stays.)
  bool HasEntries() const;

  // How often the folder's entries were read whole (to find a name spelt
  // in another case, or to count them): a few times for a whole uninstall,
  // whatever the number of files.
  int listings() const { return listings_; }

 private:
  OpenFolder(int fd, std::string windows_path) : fd_(fd), windows_path_(std::move(windows_path)) {}
  // The stored name of another spelling of name, or empty when none.
  std::string OtherSpelling(std::string_view name) const;
  // The stored names by folded name, read once and then kept exact under
  // this object's own deletions; read again when the folder's change time
  // says someone else changed it.
  const std::unordered_map<std::string, std::vector<std::string>>& FoldedIndex() const;
  // now: the folder's change time after the deletion (nullptr: unknown).
  void ForgetDeleted(const std::string& stored, bool index_was_current, const struct timespec* now) const;
  // The folder's change time; false when it cannot be read.
  bool ChangeTime(struct timespec* time) const;

  int fd_;
  std::string windows_path_;
  // Entries counted at known_time_; -1 when not counted.
  mutable long known_entries_ = -1;
  mutable struct timespec known_time_ {};
  // The count was taken by the last deletion, and not asked for since.
  mutable bool counted_just_now_ = false;
  mutable bool indexed_ = false;
  mutable struct timespec index_time_ {};
  mutable std::unordered_map<std::string, std::vector<std::string>> by_folded_;
  mutable int listings_ = 0;
};

}  // namespace platform::target
