#include "platform/target_system/folder_cache.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/target_system/name_folding.h"

namespace platform::target {
namespace fs = std::filesystem;

namespace {

// Folders held open at most; past it the whole cache starts afresh, so a
// package of many folders never runs out of descriptors.
constexpr std::size_t kMaxHeldFolders = 256;

bool SameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

Status LeadsOut(const WindowsPath& path) {
  return Status::AccessDenied(path.ToString() + " leads out of drive " + path.RootString() +
                              " through a symbolic link");
}

}  // namespace

CachedFolder::CachedFolder(int fd, fs::path host, std::shared_ptr<FolderWatch> watch)
    : fd_(fd), host_(std::move(host)), watch_(std::move(watch)) {
  if (watch_) watch_id_ = watch_->Add(fd_, this);
  TakeChangeTime();
}

CachedFolder::~CachedFolder() {
  if (watch_id_ >= 0) watch_->Remove(watch_id_, this);
  ::close(fd_);
}

void CachedFolder::TakeChangeTime() {
  struct stat info {};
  if (::fstat(fd_, &info) == 0) known_time_ = info.st_ctim;
}

void CachedFolder::Drop() {
  stale_ = false;
  listed_ = false;
  by_folded_.clear();
  children_.clear();
}

void CachedFolder::Revalidate() {
  if (watch_id_ >= 0) {
    if (stale_) Drop();
    return;
  }
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || (SameTime(info.st_ctim, known_time_) && !stale_)) return;
  // Someone else changed the folder: what was read of it may be wrong, and
  // a held subfolder may have been replaced.
  known_time_ = info.st_ctim;
  Drop();
}

bool CachedFolder::TakeAnnounced(bool added, const std::string& name) {
  const auto found = announced_.find((added ? "+" : "-") + name);
  if (found == announced_.end()) return false;
  announced_.erase(found);
  return true;
}

void CachedFolder::MarkStale(bool lost) {
  stale_ = true;
  if (lost) announced_.clear();
}

void CachedFolder::Unwatched() {
  watch_id_ = -1;
  stale_ = true;
}

void CachedFolder::List() {
  by_folded_.clear();
  listed_ = false;
  const int copy = ::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (copy < 0) return;
  DIR* dir = ::fdopendir(copy);
  if (dir == nullptr) {
    ::close(copy);
    return;
  }
  errno = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    by_folded_[FoldName(name)].emplace_back(name);
  }
  const bool complete = errno == 0;
  ::closedir(dir);
  listed_ = complete;
  if (!complete) by_folded_.clear();
}

std::string CachedFolder::Indexed(const std::string& name) const {
  const auto found = by_folded_.find(FoldName(name));
  if (found == by_folded_.end()) return {};
  const std::vector<std::string>& spellings = found->second;
  return std::find(spellings.begin(), spellings.end(), name) != spellings.end()
             ? name
             : *std::min_element(spellings.begin(), spellings.end());
}

std::string CachedFolder::Find(const std::string& name, struct stat* info) {
  struct stat scratch {};
  if (info == nullptr) info = &scratch;
  // Until a name is missing the folder is not read: the exact spelling is
  // looked at alone.
  if (!listed_) {
    if (::fstatat(fd_, name.c_str(), info, AT_SYMLINK_NOFOLLOW) == 0) return name;
    if (errno != ENOENT) return {};
    List();
    if (!listed_) return {};
  }
  const std::string stored = Indexed(name);
  // The index may name an entry another process removed in the same moment.
  if (stored.empty() || ::fstatat(fd_, stored.c_str(), info, AT_SYMLINK_NOFOLLOW) != 0) return {};
  return stored;
}

std::string CachedFolder::Guess(const std::string& name) const { return listed_ ? Indexed(name) : name; }

void CachedFolder::Added(const std::string& stored) {
  if (listed_) {
    std::vector<std::string>& spellings = by_folded_[FoldName(stored)];
    if (std::find(spellings.begin(), spellings.end(), stored) == spellings.end()) spellings.push_back(stored);
  }
  if (watch_id_ >= 0) {
    announced_.insert("+" + stored);
  } else {
    TakeChangeTime();
  }
}

void CachedFolder::Removed(const std::string& stored) {
  children_.erase(stored);
  if (listed_) {
    const auto found = by_folded_.find(FoldName(stored));
    if (found != by_folded_.end()) {
      std::erase(found->second, stored);
      if (found->second.empty()) by_folded_.erase(found);
    }
  }
  if (watch_id_ >= 0) {
    announced_.insert("-" + stored);
  } else {
    TakeChangeTime();
  }
}

std::shared_ptr<CachedFolder> CachedFolder::Child(const std::string& stored) const {
  const auto found = children_.find(stored);
  return found == children_.end() ? nullptr : found->second;
}

void CachedFolder::AdoptChild(const std::string& stored, std::shared_ptr<CachedFolder> child) {
  children_[stored] = std::move(child);
}

Status FolderCache::Root(const Drive& drive, std::shared_ptr<CachedFolder>* root) {
  auto& held = roots_[drive.letter];
  if (!held || held->host() != drive.host_folder) {
    held.reset();
    const int fd = ::open(drive.host_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Status::FromErrno(errno, std::string(1, drive.letter) + ":\\");
    held = std::make_shared<CachedFolder>(fd, drive.host_folder, watch_);
  }
  *root = held;
  return Status::Ok();
}

Status FolderCache::WalkReal(const Drive& drive, const fs::path& real, const WindowsPath& path, int* fd) {
  std::error_code ec;
  const fs::path root_real = fs::weakly_canonical(drive.host_folder, ec);
  if (ec) return Status::IoError("cannot resolve the folder of drive " + path.RootString());
  const fs::path rest = real.lexically_relative(root_real);
  if (rest.empty() || *rest.begin() == "..") return LeadsOut(path);
  int current = ::open(drive.host_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (current < 0) return Status::FromErrno(errno, path.RootString());
  for (const fs::path& part : rest) {
    if (part.empty() || part == ".") continue;
    const int next = ::openat(current, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int error = errno;
    ::close(current);
    // The real path holds no link; one found now was put there meanwhile.
    if (next < 0) return error == ELOOP ? LeadsOut(path) : Status::FromErrno(error, path.ToString());
    current = next;
  }
  *fd = current;
  return Status::Ok();
}

Status FolderCache::OpenChild(const Drive& drive, CachedFolder& parent, const std::string& stored,
                              const WindowsPath& shown, std::shared_ptr<CachedFolder>* child) {
  int fd = ::openat(parent.fd(), stored.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    struct stat info {};
    if (::fstatat(parent.fd(), stored.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISLNK(info.st_mode)) {
      return Status::FromErrno(error, shown.ToString());
    }
    // A link on the way is followed only to a folder inside the drive.
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(parent.host() / stored, ec);
    if (ec) return Status::FromErrno(ec.value(), shown.ToString());
    Status s = WalkReal(drive, real, shown, &fd);
    if (!s.ok()) return s;
  }
  if (held_ >= kMaxHeldFolders) {
    held_ = 0;
    for (auto& [letter, root] : roots_) root.reset();
  }
  ++held_;
  *child = std::make_shared<CachedFolder>(fd, parent.host() / stored, watch_);
  parent.AdoptChild(stored, *child);
  return Status::Ok();
}

Status FolderCache::Walk(const WindowsPath& path, std::size_t depth, std::shared_ptr<CachedFolder>* folder) {
  const Drive* drive = drives_.FindDrive(path.drive());
  if (drive == nullptr) return Status::NotFound(path.RootString() + " is no drive of this system");
  // What others changed since the last lookup, in one call for all folders.
  if (watch_ && operations_ == 0) watch_->Drain();
  std::shared_ptr<CachedFolder> current;
  Status s = Root(*drive, &current);
  if (!s.ok()) return s;
  for (std::size_t i = 0; i < depth; ++i) {
    const std::string& component = path.components()[i];
    if (component.size() > NAME_MAX) {
      return Status::InvalidArgument(path.Prefix(i + 1).ToString() + ": the name is too long");
    }
    current->Revalidate();
    // A subfolder held under the very name is still there while the folder
    // is unchanged (its entries are then known without a look).
    std::shared_ptr<CachedFolder> next = current->Child(component);
    const std::string stored = next ? component : current->Find(component);
    if (stored.empty()) return Status::NotFound(path.Prefix(i + 1).ToString() + " does not exist");
    if (!next) next = current->Child(stored);
    if (!next) {
      s = OpenChild(*drive, *current, stored, path.Prefix(i + 1), &next);
      if (!s.ok()) return s;
    }
    current = std::move(next);
  }
  current->Revalidate();
  *folder = std::move(current);
  return Status::Ok();
}

Status FolderCache::WalkToParent(const WindowsPath& path, Place* place) {
  *place = Place();
  if (path.IsRoot()) return Status::InvalidArgument(path.ToString() + " is a drive root");
  // A missing folder on the way is reported before a name too long.
  Status s = Walk(path, path.components().size() - 1, &place->folder);
  if (s.ok() && path.components().back().size() > NAME_MAX) {
    return Status::InvalidArgument(path.ToString() + ": the name is too long");
  }
  return s;
}

Status FolderCache::Locate(const WindowsPath& path, Place* place) {
  Status s = WalkToParent(path, place);
  if (!s.ok()) return s;
  const std::string& name = path.components().back();
  place->name = place->folder->Find(name, &place->info);
  place->exists = !place->name.empty();
  if (!place->exists) place->name = name;
  return Status::Ok();
}

Status FolderCache::Guess(const WindowsPath& path, Place* place) {
  Status s = WalkToParent(path, place);
  if (!s.ok()) return s;
  place->name = place->folder->Guess(path.components().back());
  if (place->name.empty()) return Status::NotFound(path.ToString() + " does not exist");
  return Status::Ok();
}

Status FolderCache::LocateFolder(const WindowsPath& path, std::shared_ptr<CachedFolder>* folder) {
  return Walk(path, path.components().size(), folder);
}

Status FolderCache::FollowLinkInside(const WindowsPath& path, Place* place) {
  if (!place->exists || !S_ISLNK(place->info.st_mode)) return Status::Ok();
  const Drive* drive = drives_.FindDrive(path.drive());
  if (drive == nullptr) return Status::NotFound(path.RootString() + " is no drive of this system");
  std::error_code ec;
  const fs::path real = fs::weakly_canonical(place->Host(), ec);
  if (ec) return Status::FromErrno(ec.value(), path.ToString());
  int fd = -1;
  Status s = WalkReal(*drive, real.parent_path(), path, &fd);
  if (!s.ok()) return s;
  place->folder = std::make_shared<CachedFolder>(fd, real.parent_path());
  place->name = real.filename().string();
  place->exists = ::fstatat(fd, place->name.c_str(), &place->info, AT_SYMLINK_NOFOLLOW) == 0;
  if (place->exists && S_ISLNK(place->info.st_mode)) return LeadsOut(path);  // swapped meanwhile
  return Status::Ok();
}

}  // namespace platform::target
