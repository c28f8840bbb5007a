#include "platform/target_system/target_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/atomic_file.h"
#include "platform/target_system/name_folding.h"
#include "platform/target_system/windows_path.h"

namespace platform::target {
namespace fs = std::filesystem;

namespace {

Status FromErrno(int error, const std::string& what) { return Status::FromErrno(error, what); }

std::chrono::system_clock::time_point ToTimePoint(const struct timespec& ts) {
  return std::chrono::system_clock::time_point(std::chrono::duration_cast<std::chrono::system_clock::duration>(
      std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec)));
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

Status StatHost(const fs::path& host, FileEntry* entry) {
  struct stat info {};
  if (::stat(host.c_str(), &info) != 0) return FromErrno(errno, host.string());
  entry->name = host.filename().string();
  entry->is_folder = S_ISDIR(info.st_mode);
  entry->size = entry->is_folder ? 0 : static_cast<std::uint64_t>(info.st_size);
  entry->attributes = entry->is_folder ? kFileDirectory : kFileArchive;
  if (!entry->is_folder && (info.st_mode & S_IWUSR) == 0) entry->attributes |= kFileReadOnly;
  entry->write_time = ToTimePoint(info.st_mtim);
  return Status::Ok();
}

bool IsReadOnlyFile(const fs::path& host) {
  struct stat info {};
  return ::stat(host.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & S_IWUSR) == 0;
}

void SortByName(std::vector<FileEntry>* entries) {
  std::sort(entries->begin(), entries->end(), [](const FileEntry& a, const FileEntry& b) {
    const std::string fa = FoldName(a.name), fb = FoldName(b.name);
    return fa != fb ? fa < fb : a.name < b.name;
  });
}

}  // namespace

Status TargetFiles::Map(std::string_view path, fs::path* host) const {
  return drives_.ToHostPath(path, host);
}

Status TargetFiles::MapForChange(std::string_view path, fs::path* host) const {
  return drives_.ToHostPathForChange(path, host);
}

bool TargetFiles::Exists(std::string_view path) const {
  FileEntry entry;
  return Stat(path, &entry).ok();
}

bool TargetFiles::IsFolder(std::string_view path) const {
  FileEntry entry;
  return Stat(path, &entry).ok() && entry.is_folder;
}

Status TargetFiles::Stat(std::string_view path, FileEntry* entry) const {
  fs::path host;
  Status s = Map(path, &host);
  return s.ok() ? StatHost(host, entry) : s;
}

Status TargetFiles::CreateFolder(std::string_view path) const {
  fs::path host;
  Status s = MapForChange(path, &host);
  if (!s.ok()) return s;
  if (::mkdir(host.c_str(), 0777) != 0) return FromErrno(errno, "cannot create " + std::string(path));
  return Status::Ok();
}

Status TargetFiles::CreateFolderTree(std::string_view path) const {
  WindowsPath parsed;
  Status s = WindowsPath::Parse(path, &parsed);
  if (!s.ok()) return s;
  // Each level is mapped again, so an existing folder is reused in the case
  // it has, and new ones keep the case given.
  std::vector<WindowsPath> chain;
  for (WindowsPath p = parsed; !p.IsRoot(); p = p.Parent()) chain.push_back(p);
  std::reverse(chain.begin(), chain.end());
  for (const WindowsPath& level : chain) {
    fs::path host;
    s = drives_.ToHostPathForChange(level, &host);
    if (!s.ok()) return s;
    if (::mkdir(host.c_str(), 0777) != 0 && errno != EEXIST) {
      return FromErrno(errno, "cannot create " + level.ToString());
    }
    std::error_code ec;
    if (!fs::is_directory(host, ec)) return Status::AlreadyExists(level.ToString() + " is a file");
  }
  return Status::Ok();
}

Status TargetFiles::RemoveEmptyFolder(std::string_view path) const {
  WindowsPath parsed;
  Status s = WindowsPath::Parse(path, &parsed);
  if (!s.ok()) return s;
  if (parsed.IsRoot()) return Status::AccessDenied("a drive root is never removed");
  fs::path host;
  s = drives_.ToHostPathForChange(parsed, &host);
  if (!s.ok()) return s;
  // A host folder that is some drive's root is protected too (Z: maps "/").
  for (const Drive& drive : drives_.drives()) {
    std::error_code ec;
    if (fs::equivalent(drive.host_folder, host, ec)) return Status::AccessDenied("a drive root is never removed");
  }
  struct stat info {};
  if (::lstat(host.c_str(), &info) != 0) return FromErrno(errno, std::string(path));
  if (!S_ISDIR(info.st_mode)) return Status::InvalidArgument(std::string(path) + " is not a folder");
  if (::rmdir(host.c_str()) != 0) {
    return FromErrno(errno == EEXIST ? ENOTEMPTY : errno, "cannot remove " + std::string(path));
  }
  return Status::Ok();
}

Status TargetFiles::ListEntries(std::string_view folder, std::vector<FileEntry>* entries) const {
  entries->clear();
  fs::path host;
  Status s = Map(folder, &host);
  if (!s.ok()) return s;
  std::error_code ec;
  fs::directory_iterator it(host, ec);
  if (ec) return FromErrno(ec.value(), "cannot list " + std::string(folder));
  for (fs::directory_iterator end; it != end; it.increment(ec)) {
    FileEntry entry;
    if (StatHost(it->path(), &entry).ok()) entries->push_back(std::move(entry));
  }
  if (ec) return FromErrno(ec.value(), "cannot list " + std::string(folder));
  SortByName(entries);
  return Status::Ok();
}

Status TargetFiles::FindAll(std::string_view pattern, std::vector<FileEntry>* entries) const {
  entries->clear();
  WindowsPath parsed;
  Status s = WindowsPath::Parse(pattern, &parsed, true);
  if (!s.ok()) return s;
  if (parsed.IsRoot()) return Status::InvalidArgument("no name to find in " + std::string(pattern));
  std::vector<FileEntry> all;
  s = ListEntries(parsed.Parent().ToString(), &all);
  if (!s.ok()) return s;
  const std::string name = parsed.Name();
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
  fs::path source, target;
  Status s = Map(from, &source);
  if (s.ok()) s = MapForChange(to, &target);
  if (!s.ok()) return s;
  struct stat info {};
  if (::stat(source.c_str(), &info) != 0) return FromErrno(errno, std::string(from));
  if (!S_ISREG(info.st_mode)) return Status::InvalidArgument(std::string(from) + " is not a file");
  std::error_code ec;
  if (fs::exists(target, ec)) {
    if (fail_if_exists) return Status::AlreadyExists(std::string(to) + " exists");
    if (IsReadOnlyFile(target)) return Status::AccessDenied(std::string(to) + " is read-only");
    if (fs::is_directory(target, ec)) return Status::AlreadyExists(std::string(to) + " is a folder");
  }
  std::string data, error;
  if (!ReadWholeFile(source, data, &error)) return Status::IoError(error);
  const bool written = flush == Flush::kFlushed ? WriteFileAtomically(target, data, &error)
                                                : WriteFileAtomicallyUnflushed(target, data, &error);
  if (!written) return Status::IoError(error);
  // As on Windows the copy keeps the write time and the read-only bit; a
  // copy without them is not reported as done.
  const struct timespec times[2] = {info.st_atim, info.st_mtim};
  if (::utimensat(AT_FDCWD, target.c_str(), times, 0) != 0) {
    return FromErrno(errno, "cannot set the time of " + std::string(to));
  }
  struct stat made {};
  if (::stat(target.c_str(), &made) != 0) return FromErrno(errno, std::string(to));
  const mode_t writable = S_IWUSR | S_IWGRP | S_IWOTH;
  const mode_t mode = (info.st_mode & S_IWUSR) ? (made.st_mode & 07777) | S_IWUSR : (made.st_mode & 07777) & ~writable;
  if (::chmod(target.c_str(), mode) != 0) return FromErrno(errno, "cannot set the attributes of " + std::string(to));
  return Status::Ok();
}

Status TargetFiles::MoveFile(std::string_view from, std::string_view to) const {
  fs::path source, target;
  Status s = MapForChange(from, &source);
  if (s.ok()) s = MapForChange(to, &target);
  if (!s.ok()) return s;
  std::error_code ec;
  if (!fs::exists(source, ec)) return Status::NotFound(std::string(from) + " does not exist");
  if (fs::exists(target, ec)) {
    if (!fs::equivalent(source, target, ec)) return Status::AlreadyExists(std::string(to) + " exists");
    // A move onto itself under another letter case is a rename: the lookup
    // found the old spelling, the new one is what was asked for.
    WindowsPath parsed;
    Status p = WindowsPath::Parse(to, &parsed);
    if (!p.ok()) return p;
    target = target.parent_path() / parsed.Name();
  }
  if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), 0) != 0) {
    return FromErrno(errno, "cannot move " + std::string(from));
  }
  return Status::Ok();
}

Status TargetFiles::DeleteFile(std::string_view path) const {
  fs::path host;
  Status s = MapForChange(path, &host);
  if (!s.ok()) return s;
  struct stat info {};
  if (::lstat(host.c_str(), &info) != 0) return FromErrno(errno, std::string(path));
  if (S_ISDIR(info.st_mode)) return Status::InvalidArgument(std::string(path) + " is a folder");
  if (IsReadOnlyFile(host)) return Status::AccessDenied(std::string(path) + " is read-only");
  if (::unlink(host.c_str()) != 0) return FromErrno(errno, "cannot delete " + std::string(path));
  return Status::Ok();
}

Status TargetFiles::GetAttributes(std::string_view path, std::uint32_t* attributes) const {
  FileEntry entry;
  Status s = Stat(path, &entry);
  if (s.ok()) *attributes = entry.attributes;
  return s;
}

Status TargetFiles::SetAttributes(std::string_view path, std::uint32_t attributes) const {
  fs::path host;
  Status s = MapForChange(path, &host);
  if (!s.ok()) return s;
  struct stat info {};
  if (::stat(host.c_str(), &info) != 0) return FromErrno(errno, std::string(path));
  if (S_ISDIR(info.st_mode)) return Status::Ok();  // folders keep their permissions
  mode_t mode = info.st_mode & 07777;
  if (attributes & kFileReadOnly) {
    mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  } else {
    mode |= S_IWUSR;
  }
  if (::chmod(host.c_str(), mode) != 0) return FromErrno(errno, "cannot set attributes of " + std::string(path));
  return Status::Ok();
}

Status TargetFiles::SetWriteTime(std::string_view path, std::chrono::system_clock::time_point time) const {
  fs::path host;
  Status s = MapForChange(path, &host);
  if (!s.ok()) return s;
  const struct timespec times[2] = {{0, UTIME_OMIT}, ToTimespec(time)};
  if (::utimensat(AT_FDCWD, host.c_str(), times, 0) != 0) {
    return FromErrno(errno, "cannot set the time of " + std::string(path));
  }
  return Status::Ok();
}

Status TargetFiles::ReadFile(std::string_view path, std::string* data) const {
  fs::path host;
  Status s = Map(path, &host);
  if (!s.ok()) return s;
  std::error_code ec;
  if (!fs::is_regular_file(host, ec)) return Status::NotFound(std::string(path) + " is no file");
  std::string error;
  if (!ReadWholeFile(host, *data, &error)) return Status::IoError(error);
  return Status::Ok();
}

Status TargetFiles::WriteFile(std::string_view path, std::string_view data) const {
  fs::path host;
  Status s = MapForChange(path, &host);
  if (!s.ok()) return s;
  if (IsReadOnlyFile(host)) return Status::AccessDenied(std::string(path) + " is read-only");
  std::string error;
  if (!WriteFileAtomically(host, data, &error)) return Status::IoError(error);
  return Status::Ok();
}

Status TargetFiles::CopyFromHost(const fs::path& host_source, std::string_view to) const {
  fs::path target;
  Status s = Map(to, &target);
  if (!s.ok()) return s;
  struct stat info {};
  if (::stat(host_source.c_str(), &info) != 0) return FromErrno(errno, host_source.string());
  if (!S_ISREG(info.st_mode)) return Status::InvalidArgument(host_source.string() + " is not a file");
  std::error_code ec;
  if (fs::is_directory(target, ec)) return Status::AlreadyExists(std::string(to) + " is a folder");
  if (IsReadOnlyFile(target)) return Status::AccessDenied(std::string(to) + " is read-only");
  std::string data, error;
  if (!ReadWholeFile(host_source, data, &error)) return Status::IoError(error);
  if (!WriteFileAtomically(target, data, &error)) return Status::IoError(error);
  if (::chmod(target.c_str(), (info.st_mode & 0777) | S_IWUSR) != 0) {
    return FromErrno(errno, "cannot set the mode of " + std::string(to));
  }
  return Status::Ok();
}

}  // namespace platform::target
