#include "platform/target_system/target_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <random>
#include <set>

#include "platform/target_system/background_flush.h"
#include "platform/target_system/file_copy.h"
#include "platform/target_system/folder_cache.h"
#include "platform/target_system/name_folding.h"
#include "platform/target_system/windows_path.h"

namespace platform::target {
namespace fs = std::filesystem;

// The folders held open for all calls, and the drives written without a
// flush since the last FlushWrites. One lock: the wizard's window may ask
// while the engine works.
struct TargetFiles::State {
  explicit State(const DriveMap& drives) : cache(drives) {}
  std::mutex lock;
  FolderCache cache;
  std::set<fs::path> unflushed;
  // What was copied since the last flush was asked of the background.
  std::uint64_t unflushed_bytes = 0;
  std::size_t unflushed_files = 0;
  BackgroundFlush flusher;
};

namespace {

constexpr mode_t kWritable = S_IWUSR | S_IWGRP | S_IWOTH;
// Unflushed copies past either amount are flushed in the background while
// the next ones are made.
constexpr std::uint64_t kBackgroundFlushBytes = 8 * 1024 * 1024;
constexpr std::size_t kBackgroundFlushFiles = 1024;
// New files up to this size are copied straight under their names.
constexpr off_t kInPlaceCopyLimit = 256 * 1024;

std::chrono::system_clock::time_point ToTimePoint(const struct timespec& ts) {
  return std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::seconds(ts.tv_sec) +
                                                                      std::chrono::nanoseconds(ts.tv_nsec)));
}

struct timespec ToTimespec(std::chrono::system_clock::time_point time) {
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
  struct timespec ts {};
  ts.tv_sec = static_cast<time_t>(ns / 1000000000);
  ts.tv_nsec = static_cast<long>(ns % 1000000000);
  if (ts.tv_nsec < 0) {
    ts.tv_nsec += 1000000000;
    --ts.tv_sec;
  }
  return ts;
}

void FillEntry(const std::string& name, const struct stat& info, FileEntry* entry) {
  entry->name = name;
  entry->is_folder = S_ISDIR(info.st_mode);
  entry->size = entry->is_folder ? 0 : static_cast<std::uint64_t>(info.st_size);
  entry->attributes = entry->is_folder ? kFileDirectory : kFileArchive;
  if (!entry->is_folder && (info.st_mode & S_IWUSR) == 0) entry->attributes |= kFileReadOnly;
  entry->write_time = ToTimePoint(info.st_mtim);
}

void SortByName(std::vector<FileEntry>* entries) {
  std::vector<std::pair<std::string, FileEntry>> keyed;
  keyed.reserve(entries->size());
  for (FileEntry& entry : *entries) keyed.emplace_back(FoldName(entry.name), std::move(entry));
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second.name < b.second.name;
  });
  entries->clear();
  for (auto& [key, entry] : keyed) entries->push_back(std::move(entry));
}

bool HasWildcard(std::string_view name) { return name.find_first_of("*?") != std::string_view::npos; }

// A name for the temporary file beside the target, hidden and unlikely to
// meet another.
std::string TemporaryName(const std::string& name) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  char suffix[20];
  std::snprintf(suffix, sizeof(suffix), ".%012llx",
                static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
  return "." + name.substr(0, 200) + suffix + ".kestro-tmp";
}

}  // namespace

TargetFiles::TargetFiles(const DriveMap& drives) : drives_(drives), state_(std::make_shared<State>(drives)) {}

TargetFiles::~TargetFiles() = default;

namespace {

// Parses and locates a path, the lock held by the caller.
Status LocatePath(FolderCache& cache, std::string_view text, WindowsPath* path, Place* place) {
  Status s = WindowsPath::Parse(text, path);
  if (!s.ok()) return s;
  return cache.Locate(*path, place);
}

// Locates a path for a change: refused on a read-only drive; a link as the
// entry itself stands for its target, which must lie in the drive.
Status LocateForChange(const DriveMap& drives, FolderCache& cache, std::string_view text, WindowsPath* path,
                       Place* place) {
  Status s = WindowsPath::Parse(text, path);
  if (s.ok()) s = drives.CheckWritable(*path);
  if (s.ok()) s = cache.Locate(*path, place);
  if (s.ok()) s = cache.FollowLinkInside(*path, place);
  return s;
}

// Where a new file is written before it takes its name, and what stands in
// its way: a folder, a read-only file or anything that is not a file.
Status CheckTarget(const Place& place, std::string_view to, bool fail_if_exists) {
  if (!place.exists) return Status::Ok();
  if (fail_if_exists) return Status::AlreadyExists(std::string(to) + " exists");
  if (S_ISDIR(place.info.st_mode)) return Status::AlreadyExists(std::string(to) + " is a folder");
  if (!S_ISREG(place.info.st_mode)) return Status::AccessDenied(std::string(to) + " is not a regular file");
  if ((place.info.st_mode & S_IWUSR) == 0) return Status::AccessDenied(std::string(to) + " is read-only");
  return Status::Ok();
}

// Writes a new file beside the place by fill, gives it mode and times, and
// renames it over the place; nothing is left behind on failure.
// A new name gets an unnamed file that is linked in when whole: one entry
// made in the folder instead of a temporary one made, renamed and removed.
// False when the file system has no unnamed files (the caller goes the
// usual way).
template <typename Fill>
bool WriteUnnamedThenLink(Place& place, std::string_view to, bool flush, mode_t mode, Fill& fill,
                          Status* result) {
  const int dir = place.folder->fd();
  const int fd = ::openat(dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  if (fd < 0) return false;
  Status s = fill(fd);
  if (s.ok() && flush && ::fdatasync(fd) != 0)
    s = Status::FromErrno(errno, "cannot flush " + std::string(to));
  // Linking an open file by its descriptor needs a recent kernel (or a
  // privilege); older ones take it by its name in /proc.
  if (s.ok() && ::linkat(fd, "", dir, place.name.c_str(), AT_EMPTY_PATH) != 0) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (errno != ENOENT ||
        ::linkat(AT_FDCWD, self.c_str(), dir, place.name.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      s = Status::FromErrno(errno, "cannot write " + std::string(to));
    }
  }
  if (::close(fd) != 0 && s.ok()) s = Status::FromErrno(errno, "cannot write " + std::string(to));
  if (s.ok()) {
    place.folder->Added(place.name);
    if (flush) ::fsync(dir);
  }
  *result = s;
  return true;
}

// Writes a new file straight under its name, as CopyFileA does: one entry
// made, and none of the bookkeeping an unnamed file costs the file system
// (which, for a small file, is a fifth of the whole copy). A failed write
// takes the file away again; only a process killed in the middle of it
// leaves the part written.
template <typename Fill>
Status WriteInPlace(Place& place, std::string_view to, mode_t mode, Fill& fill) {
  const int dir = place.folder->fd();
  const int fd =
      ::openat(dir, place.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
  if (fd < 0) return Status::FromErrno(errno, "cannot write " + std::string(to));
  place.folder->Added(place.name);
  Status s = fill(fd);
  if (::close(fd) != 0 && s.ok()) s = Status::FromErrno(errno, "cannot write " + std::string(to));
  if (!s.ok() && ::unlinkat(dir, place.name.c_str(), 0) == 0) place.folder->Removed(place.name);
  return s;
}

// mode is the new file's mode before the umask.
template <typename Fill>
Status WriteAtPlace(Place& place, std::string_view to, bool flush, Fill fill, mode_t mode = 0644) {
  Status linked;
  if (!place.exists && WriteUnnamedThenLink(place, to, flush, mode, fill, &linked)) return linked;
  const int dir = place.folder->fd();
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temp = TemporaryName(place.name);
    fd = ::openat(dir, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return Status::FromErrno(errno, "cannot write " + std::string(to));
  place.folder->Added(temp);
  Status s = fill(fd);
  if (s.ok() && flush && ::fdatasync(fd) != 0)
    s = Status::FromErrno(errno, "cannot flush " + std::string(to));
  if (::close(fd) != 0 && s.ok()) s = Status::FromErrno(errno, "cannot write " + std::string(to));
  if (s.ok() && ::renameat(dir, temp.c_str(), dir, place.name.c_str()) != 0) {
    s = Status::FromErrno(errno, "cannot write " + std::string(to));
  }
  if (!s.ok()) {
    if (::unlinkat(dir, temp.c_str(), 0) == 0) place.folder->Removed(temp);
    return s;
  }
  // The temporary name goes, the file's name stays (replaced, when it was
  // there).
  place.folder->Removed(temp);
  place.folder->Added(place.name);
  if (flush) ::fsync(dir);
  return Status::Ok();
}

// The mode a copy is made with: a new file's, read-only when the source is
// (the read-only attribute).
mode_t CopyMode(mode_t source_mode) { return (source_mode & S_IWUSR) ? 0644 : 0444; }

// The process's umask, read once without changing it.
mode_t ProcessUmask() {
  static const mode_t mask = [] {
    std::string status;
    const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
      ReadAll(fd, &status, "status").ok();
      ::close(fd);
    }
    const std::size_t at = status.find("Umask:");
    return at == std::string::npos ? mode_t{0777}
                                   : static_cast<mode_t>(std::strtoul(status.c_str() + at + 6, nullptr, 8));
  }();
  return mask;
}

// Makes sure the owner's write bit is as the source has it, whatever the
// umask took away.
Status KeepWriteBit(int fd, mode_t source_mode, std::string_view to) {
  struct stat made {};
  if (::fstat(fd, &made) != 0)
    return Status::FromErrno(errno, "cannot set the attributes of " + std::string(to));
  const mode_t mode = made.st_mode & 07777;
  const mode_t wanted = (source_mode & S_IWUSR) ? mode | S_IWUSR : mode & ~kWritable;
  if (wanted != mode && ::fchmod(fd, wanted) != 0) {
    return Status::FromErrno(errno, "cannot set the attributes of " + std::string(to));
  }
  return Status::Ok();
}

}  // namespace

bool TargetFiles::Exists(std::string_view path) const {
  FileEntry entry;
  return Stat(path, &entry).ok();
}

bool TargetFiles::IsFolder(std::string_view path) const {
  FileEntry entry;
  return Stat(path, &entry).ok() && entry.is_folder;
}

Status TargetFiles::Stat(std::string_view path, FileEntry* entry) const {
  std::lock_guard guard(state_->lock);
  FolderCache::Operation operation(state_->cache);
  WindowsPath parsed;
  Status s = WindowsPath::Parse(path, &parsed);
  if (!s.ok()) return s;
  struct stat info {};
  if (parsed.IsRoot()) {
    std::shared_ptr<CachedFolder> root;
    s = state_->cache.LocateFolder(parsed, &root);
    if (!s.ok()) return s;
    if (::fstat(root->fd(), &info) != 0) return Status::FromErrno(errno, std::string(path));
    FillEntry(root->host().filename().string(), info, entry);
    return Status::Ok();
  }
  Place place;
  s = state_->cache.Locate(parsed, &place);
  // Facts harm nothing: a link is described by what it names, wherever that
  // lies (the engines then refuse to change it).
  if (s.IsAccessDenied()) {
    fs::path host;
    if (!drives_.ToHostPath(parsed, &host).ok() || ::stat(host.c_str(), &info) != 0) return s;
    FillEntry(host.filename().string(), info, entry);
    return Status::Ok();
  }
  if (!s.ok()) return s;
  if (!place.exists) return Status::NotFound(std::string(path) + " does not exist");
  info = place.info;
  if (S_ISLNK(info.st_mode) && ::fstatat(place.folder->fd(), place.name.c_str(), &info, 0) != 0) {
    return Status::NotFound(std::string(path) + " names a dangling link");
  }
  FillEntry(place.name, info, entry);
  return Status::Ok();
}

Status TargetFiles::CreateFolder(std::string_view path) const {
  std::lock_guard guard(state_->lock);
  FolderCache::Operation operation(state_->cache);
  WindowsPath parsed;
  Place place;
  Status s = LocateForChange(drives_, state_->cache, path, &parsed, &place);
  if (!s.ok()) return s;
  if (place.exists) return Status::AlreadyExists("cannot create " + std::string(path) + ": it exists");
  if (::mkdirat(place.folder->fd(), place.name.c_str(), 0777) != 0) {
    return Status::FromErrno(errno, "cannot create " + std::string(path));
  }
  place.folder->Added(place.name);
  return Status::Ok();
}

Status TargetFiles::CreateFolderTree(std::string_view path) const {
  WindowsPath parsed;
  Status s = WindowsPath::Parse(path, &parsed);
  if (!s.ok()) return s;
  std::vector<WindowsPath> chain;
  for (WindowsPath p = parsed; !p.IsRoot(); p = p.Parent()) chain.push_back(p);
  std::reverse(chain.begin(), chain.end());
  std::lock_guard guard(state_->lock);
  FolderCache::Operation operation(state_->cache);
  // An existing level keeps the case it has; new ones get the case given.
  for (const WindowsPath& level : chain) {
    Place place;
    s = drives_.CheckWritable(level);
    if (s.ok()) s = state_->cache.Locate(level, &place);
    if (s.ok()) s = state_->cache.FollowLinkInside(level, &place);
    if (!s.ok()) return s;
    if (place.exists) {
      if (!S_ISDIR(place.info.st_mode)) return Status::AlreadyExists(level.ToString() + " is a file");
      continue;
    }
    if (::mkdirat(place.folder->fd(), place.name.c_str(), 0777) != 0 && errno != EEXIST) {
      return Status::FromErrno(errno, "cannot create " + level.ToString());
    }
    place.folder->Added(place.name);
  }
  return Status::Ok();
}

Status TargetFiles::RemoveEmptyFolder(std::string_view path) const {
  std::lock_guard guard(state_->lock);
  FolderCache::Operation operation(state_->cache);
  WindowsPath parsed;
  Status s = WindowsPath::Parse(path, &parsed);
  if (!s.ok()) return s;
  if (parsed.IsRoot()) return Status::AccessDenied("a drive root is never removed");
  Place place;
  s = LocateForChange(drives_, state_->cache, path, &parsed, &place);
  if (!s.ok()) return s;
  if (!place.exists) return Status::NotFound(std::string(path) + " does not exist");
  if (!S_ISDIR(place.info.st_mode)) return Status::InvalidArgument(std::string(path) + " is not a folder");
  // A host folder that is some drive's root is protected too (Z: maps "/").
  for (const Drive& drive : drives_.drives()) {
    struct stat root {};
    if (::stat(drive.host_folder.c_str(), &root) == 0 && root.st_dev == place.info.st_dev &&
        root.st_ino == place.info.st_ino) {
      return Status::AccessDenied("a drive root is never removed");
    }
  }
  if (::unlinkat(place.folder->fd(), place.name.c_str(), AT_REMOVEDIR) != 0) {
    return Status::FromErrno(errno == EEXIST ? ENOTEMPTY : errno, "cannot remove " + std::string(path));
  }
  place.folder->Removed(place.name);
  return Status::Ok();
}

Status TargetFiles::ListEntries(std::string_view folder, std::vector<FileEntry>* entries) const {
  entries->clear();
  std::lock_guard guard(state_->lock);
  FolderCache::Operation operation(state_->cache);
  WindowsPath parsed;
  Status s = WindowsPath::Parse(folder, &parsed);
  if (!s.ok()) return s;
  std::shared_ptr<CachedFolder> held;
  s = state_->cache.LocateFolder(parsed, &held);
  if (!s.ok()) return s.Prefixed("cannot list " + std::string(folder) + ": ");
  const int copy = ::openat(held->fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (copy < 0) return Status::FromErrno(errno, "cannot list " + std::string(folder));
  DIR* dir = ::fdopendir(copy);
  if (dir == nullptr) {
    ::close(copy);
    return Status::FromErrno(errno, "cannot list " + std::string(folder));
  }
  errno = 0;
  while (const dirent* found = ::readdir(dir)) {
    const std::string name = found->d_name;
    if (name == "." || name == "..") continue;
    struct stat info {};
    // Facts as the entry's target gives them; an entry that cannot be
    // examined (a dangling link) is left out.
    if (::fstatat(held->fd(), name.c_str(), &info, 0) != 0) continue;
    FileEntry entry;
    FillEntry(name, info, &entry);
    entries->push_back(std::move(entry));
    errno = 0;
  }
  const int error = errno;
  ::closedir(dir);
  if (error != 0) return Status::FromErrno(error, "cannot list " + std::string(folder));
  SortByName(entries);
  return Status::Ok();
}

Status TargetFiles::FindAll(std::string_view pattern, std::vector<FileEntry>* entries) const {
  entries->clear();
  WindowsPath parsed;
  Status s = WindowsPath::Parse(pattern, &parsed, true);
  if (!s.ok()) return s;
  if (parsed.IsRoot()) return Status::InvalidArgument("no name to find in " + std::string(pattern));
  const std::string name = parsed.Name();
  // A plain name is one lookup, not a listing of the whole folder.
  if (!HasWildcard(name)) {
    FileEntry entry;
    s = Stat(parsed.ToString(), &entry);
    if (s.IsNotFound()) return Status::NotFound("nothing matches " + std::string(pattern));
    if (!s.ok()) return s;
    entries->push_back(std::move(entry));
    return Status::Ok();
  }
  std::vector<FileEntry> all;
  s = ListEntries(parsed.Parent().ToString(), &all);
  if (!s.ok()) return s;
  for (FileEntry& entry : all) {
    if (WildcardMatch(name, entry.name)) entries->push_back(std::move(entry));
  }
  return entries->empty() ? Status::NotFound("nothing matches " + std::string(pattern)) : Status::Ok();
}

Status TargetFiles::FindFirst(std::string_view pattern, FileEntry* entry) const {
  std::vector<FileEntry> entries;
  Status s = FindAll(pattern, &entries);
  if (s.ok()) *entry = std::move(entries.front());
  return s;
}

Status TargetFiles::CopyFile(std::string_view from, std::string_view to, bool fail_if_exists) const {
  return CopyFile(from, to, fail_if_exists, Flush::kFlushed);
}

Status TargetFiles::CopyFile(std::string_view from, std::string_view to, bool fail_if_exists,
                             Flush flush) const {
  std::lock_guard guard(state_->lock);
  FolderCache::Operation operation(state_->cache);
  WindowsPath source_path, target_path;
  Place source, target;
  Status s = LocateForChange(drives_, state_->cache, to, &target_path, &target);
  if (s.ok()) s = WindowsPath::Parse(from, &source_path);
  if (!s.ok()) return s;
  // The source is opened under the name it most likely has; another
  // spelling in a folder not yet read, or a link, takes the full lookup.
  constexpr int kReading = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  int in = -1;
  if (state_->cache.Guess(source_path, &source).ok())
    in = ::openat(source.folder->fd(), source.name.c_str(), kReading);
  if (in < 0) {
    s = state_->cache.Locate(source_path, &source);
    if (!s.ok()) return s;
    if (!source.exists) return Status::NotFound(std::string(from) + " does not exist");
    // A package file that is a link is read only when it stays in its drive.
    s = state_->cache.FollowLinkInside(source_path, &source);
    if (!s.ok()) return s;
    in = ::openat(source.folder->fd(), source.name.c_str(), kReading);
  }
  if (in < 0) return Status::FromErrno(errno, std::string(from));
  struct stat info {};
  if (::fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(in);
    return Status::InvalidArgument(std::string(from) + " is not a file");
  }
  s = CheckTarget(target, to, fail_if_exists);
  if (s.ok()) {
    auto fill = [&](int out) {
      Status copied = CopyFileData(in, out, info.st_size, std::string(from));
      // As on Windows the copy keeps the write time and the read-only bit;
      // a copy without them is not reported as done.
      const struct timespec times[2] = {info.st_atim, info.st_mtim};
      if (copied.ok() && ::futimens(out, times) != 0) {
        copied = Status::FromErrno(errno, "cannot set the time of " + std::string(to));
      }
      // The umask can only take bits away: only a file that should be
      // writable needs a look.
      if (copied.ok() && (info.st_mode & S_IWUSR) && (ProcessUmask() & S_IWUSR))
        copied = KeepWriteBit(out, info.st_mode, to);
      return copied;
    };
    // A new small file of an unflushed step is written in place: the step's
    // flush makes it durable, and its copy takes too short a time for a
    // partly written file to be likely. A large one, or one replaced, is
    // written whole before it takes the name.
    const bool in_place = !target.exists && flush == Flush::kUnflushed && info.st_size <= kInPlaceCopyLimit;
    s = in_place ? WriteInPlace(target, to, CopyMode(info.st_mode), fill)
                 : WriteAtPlace(target, to, flush == Flush::kFlushed, fill, CopyMode(info.st_mode));
  }
  ::close(in);
  if (s.ok() && flush == Flush::kUnflushed) {
    if (const Drive* drive = drives_.FindDrive(target_path.drive()))
      state_->unflushed.insert(drive->host_folder);
    state_->unflushed_bytes += static_cast<std::uint64_t>(info.st_size);
    if (++state_->unflushed_files >= kBackgroundFlushFiles ||
        state_->unflushed_bytes >= kBackgroundFlushBytes) {
      state_->flusher.Request(state_->unflushed);
      state_->unflushed_bytes = 0;
      state_->unflushed_files = 0;
    }
  }
  return s;
}

Status TargetFiles::FlushWrites() const {
  std::lock_guard guard(state_->lock);
  FolderCache::Operation operation(state_->cache);
  // The background passes wrote most of it; one more pass commits the rest.
  Status result = state_->flusher.Wait();
  for (const fs::path& folder : state_->unflushed) {
    Status s = FlushFileSystemOf(folder);
    if (result.ok()) result = s;
  }
  state_->unflushed.clear();
  state_->unflushed_bytes = 0;
  state_->unflushed_files = 0;
  return result;
}

Status TargetFiles::MoveFile(std::string_view from, std::string_view to) const {
  std::lock_guard guard(state_->lock);
  FolderCache::Operation operation(state_->cache);
  WindowsPath source_path, target_path;
  Place source, target;
  Status s = WindowsPath::Parse(from, &source_path);
  if (s.ok()) s = drives_.CheckWritable(source_path);
  if (s.ok()) s = state_->cache.Locate(source_path, &source);
  if (!s.ok()) return s;
  if (!source.exists) return Status::NotFound(std::string(from) + " does not exist");
  // A link is moved itself, but only one that stays in its drive.
  Place followed = source;
  s = state_->cache.FollowLinkInside(source_path, &followed);
  if (!s.ok()) return s;
  s = LocateForChange(drives_, state_->cache, to, &target_path, &target);
  if (!s.ok()) return s;
  if (target.exists) {
    const bool same = source.info.st_dev == target.info.st_dev && source.info.st_ino == target.info.st_ino;
    if (!same) return Status::AlreadyExists(std::string(to) + " exists");
    // A move onto itself under another letter case is a rename: the lookup
    // found the old spelling, the new one is what was asked for.
    target.name = target_path.Name();
    if (target.name == source.name) return Status::Ok();
  }
  int moved = ::renameat2(source.folder->fd(), source.name.c_str(), target.folder->fd(), target.name.c_str(),
                          RENAME_NOREPLACE);
  // A file system without the flag: the target was seen missing above.
  if (moved != 0 && errno == EINVAL) {
    moved = ::renameat(source.folder->fd(), source.name.c_str(), target.folder->fd(), target.name.c_str());
  }
  if (moved != 0) return Status::FromErrno(errno, "cannot move " + std::string(from));
  source.folder->Removed(source.name);
  target.folder->Added(target.name);
  return Status::Ok();
}

Status TargetFiles::DeleteFile(std::string_view path) const {
  std::lock_guard guard(state_->lock);
  FolderCache::Operation operation(state_->cache);
  WindowsPath parsed;
  Place place;
  Status s = WindowsPath::Parse(path, &parsed);
  if (s.ok()) s = drives_.CheckWritable(parsed);
  if (s.ok()) s = state_->cache.Locate(parsed, &place);
  if (!s.ok()) return s;
  if (!place.exists) return Status::NotFound(std::string(path) + " does not exist");
  if (S_ISDIR(place.info.st_mode)) return Status::InvalidArgument(std::string(path) + " is a folder");
  // A link is deleted itself, but only one that stays in its drive, and
  // not while it names a read-only file.
  Place followed = place;
  s = state_->cache.FollowLinkInside(parsed, &followed);
  if (!s.ok()) return s;
  if (followed.exists && S_ISREG(followed.info.st_mode) && (followed.info.st_mode & S_IWUSR) == 0) {
    return Status::AccessDenied(std::string(path) + " is read-only");
  }
  if (::unlinkat(place.folder->fd(), place.name.c_str(), 0) != 0) {
    return Status::FromErrno(errno, "cannot delete " + std::string(path));
  }
  place.folder->Removed(place.name);
  return Status::Ok();
}

Status TargetFiles::GetAttributes(std::string_view path, std::uint32_t* attributes) const {
  FileEntry entry;
  Status s = Stat(path, &entry);
  if (s.ok()) *attributes = entry.attributes;
  return s;
}

Status TargetFiles::SetAttributes(std::string_view path, std::uint32_t attributes) const {
  std::lock_guard guard(state_->lock);
  FolderCache::Operation operation(state_->cache);
  WindowsPath parsed;
  Place place;
  Status s = LocateForChange(drives_, state_->cache, path, &parsed, &place);
  if (!s.ok()) return s;
  if (!place.exists) return Status::NotFound(std::string(path) + " does not exist");
  if (S_ISDIR(place.info.st_mode)) return Status::Ok();  // folders keep their permissions
  mode_t mode = place.info.st_mode & 07777;
  if (attributes & kFileReadOnly) {
    mode &= ~kWritable;
  } else {
    mode |= S_IWUSR;
  }
  if (mode == (place.info.st_mode & 07777)) return Status::Ok();
  if (::fchmodat(place.folder->fd(), place.name.c_str(), mode, 0) != 0) {
    return Status::FromErrno(errno, "cannot set attributes of " + std::string(path));
  }
  return Status::Ok();
}

Status TargetFiles::SetWriteTime(std::string_view path, std::chrono::system_clock::time_point time) const {
  std::lock_guard guard(state_->lock);
  FolderCache::Operation operation(state_->cache);
  WindowsPath parsed;
  Place place;
  Status s = LocateForChange(drives_, state_->cache, path, &parsed, &place);
  if (!s.ok()) return s;
  if (!place.exists) return Status::NotFound(std::string(path) + " does not exist");
  const struct timespec times[2] = {{0, UTIME_OMIT}, ToTimespec(time)};
  if (::utimensat(place.folder->fd(), place.name.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) {
    return Status::FromErrno(errno, "cannot set the time of " + std::string(path));
  }
  return Status::Ok();
}

Status TargetFiles::ReadFile(std::string_view path, std::string* data) const {
  std::lock_guard guard(state_->lock);
  FolderCache::Operation operation(state_->cache);
  WindowsPath parsed;
  Place place;
  Status s = LocatePath(state_->cache, path, &parsed, &place);
  // Reading harms nothing, so a link on the way may lead anywhere; only a
  // regular file is read (a pipe would never end).
  int fd = -1;
  if (s.IsAccessDenied()) {
    fs::path host;
    if (drives_.ToHostPath(parsed, &host).ok()) fd = ::open(host.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  } else if (!s.ok()) {
    return s;
  } else if (place.exists) {
    fd = ::openat(place.folder->fd(), place.name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  }
  if (fd < 0) return Status::NotFound(std::string(path) + " is no file");
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return Status::NotFound(std::string(path) + " is no file");
  }
  s = ReadAll(fd, data, std::string(path));
  ::close(fd);
  return s;
}

Status TargetFiles::WriteFile(std::string_view path, std::string_view data) const {
  std::lock_guard guard(state_->lock);
  FolderCache::Operation operation(state_->cache);
  WindowsPath parsed;
  Place place;
  Status s = LocateForChange(drives_, state_->cache, path, &parsed, &place);
  if (s.ok()) s = CheckTarget(place, path, false);
  if (!s.ok()) return s;
  const mode_t kept = place.exists ? (place.info.st_mode & 07777) : 0;
  return WriteAtPlace(place, path, true, [&](int out) {
    Status written = WriteAll(out, data, std::string(path));
    // A file that is replaced keeps its mode.
    if (written.ok() && kept != 0 && ::fchmod(out, kept) != 0) {
      written = Status::FromErrno(errno, "cannot set the mode of " + std::string(path));
    }
    return written;
  });
}

Status TargetFiles::CopyFromHost(const fs::path& host_source, std::string_view to) const {
  std::lock_guard guard(state_->lock);
  FolderCache::Operation operation(state_->cache);
  // The source is one of our own programs; only the target is the system's.
  const int in = ::open(host_source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (in < 0) return Status::FromErrno(errno, host_source.string());
  struct stat info {};
  if (::fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(in);
    return Status::InvalidArgument(host_source.string() + " is not a file");
  }
  WindowsPath parsed;
  Place place;
  Status s = LocateForChange(drives_, state_->cache, to, &parsed, &place);
  if (s.ok()) s = CheckTarget(place, to, false);
  if (s.ok()) {
    s = WriteAtPlace(place, to, true, [&](int out) {
      Status copied = CopyFileData(in, out, info.st_size, host_source.string());
      if (copied.ok() && ::fchmod(out, (info.st_mode & 0777) | S_IWUSR) != 0) {
        copied = Status::FromErrno(errno, "cannot set the mode of " + std::string(to));
      }
      return copied;
    });
  }
  ::close(in);
  return s;
}

}  // namespace platform::target
