#include "platform/win32/win32_files.h"

#include <algorithm>
#include <cctype>

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {
namespace {

using platform::target::kFileReadOnly;

// 100-nanosecond intervals between 1601-01-01 (FILETIME) and 1970-01-01.
constexpr std::int64_t kUnixEpochInFileTime = 116444736000000000LL;

Status FromError(DWORD error, std::string_view path) {
  const std::string subject(path);
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_NO_MORE_FILES: return Status::NotFound(subject + " does not exist");
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return Status::AccessDenied(subject + ": access denied");
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return Status::AlreadyExists(subject + " exists already");
    case ERROR_DIR_NOT_EMPTY: return Status::NotEmpty(subject + " is not empty");
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return Status::InvalidArgument(subject + " is no valid path");
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return Status::IoError(subject + " is in use by another program");
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return Status::IoError(subject + ": the disk is full");
    default: return Status::IoError(subject + ": Windows error " + std::to_string(error));
  }
}

Status LastError(std::string_view path) { return FromError(GetLastError(), path); }

std::chrono::system_clock::time_point FromFileTime(const FILETIME& time) {
  const std::int64_t ticks =
      (static_cast<std::int64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime) - kUnixEpochInFileTime;
  return std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::nanoseconds(ticks * 100)));
}

FILETIME ToFileTime(std::chrono::system_clock::time_point time) {
  const std::int64_t ticks =
      std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count() / 100 +
      kUnixEpochInFileTime;
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
}

FileEntry EntryOf(std::wstring_view name, DWORD attributes, DWORD size_high, DWORD size_low,
                  const FILETIME& written) {
  FileEntry entry;
  entry.name = WideToUtf8(name);
  entry.is_folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.size = entry.is_folder ? 0 : (static_cast<std::uint64_t>(size_high) << 32 | size_low);
  entry.attributes = attributes;
  entry.write_time = FromFileTime(written);
  return entry;
}

std::string_view LastName(std::string_view path) {
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.remove_suffix(1);
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view Parent(std::string_view path) {
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.remove_suffix(1);
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

// "C:", "C:\" and "\\server\share" are roots: never removed.
bool IsRoot(std::string_view path) {
  while (path.size() > 2 && (path.back() == '\\' || path.back() == '/')) path.remove_suffix(1);
  if (path.size() == 2 && path[1] == ':') return true;
  if (path.size() > 2 && path[0] == '\\' && path[1] == '\\') {
    const std::size_t server_end = path.find('\\', 2);
    return server_end == std::string_view::npos || path.find('\\', server_end + 1) == std::string_view::npos;
  }
  return false;
}

bool LessNoCase(const FileEntry& a, const FileEntry& b) {
  const std::wstring x = Utf8ToWide(a.name), y = Utf8ToWide(b.name);
  return CompareStringOrdinal(x.data(), static_cast<int>(x.size()), y.data(), static_cast<int>(y.size()),
                              TRUE) == CSTR_LESS_THAN;
}

Status Find(std::string_view pattern, std::vector<FileEntry>* entries) {
  entries->clear();
  WIN32_FIND_DATAW data;
  HANDLE find =
      FindFirstFileExW(LongPath(pattern).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return LastError(pattern);
  do {
    const std::wstring_view name(data.cFileName);
    if (name == L"." || name == L"..") continue;
    entries->push_back(
        EntryOf(name, data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime));
  } while (FindNextFileW(find, &data));
  const DWORD error = GetLastError();
  FindClose(find);
  if (error != ERROR_NO_MORE_FILES) return FromError(error, pattern);
  if (entries->empty()) return Status::NotFound("nothing matches " + std::string(pattern));
  std::sort(entries->begin(), entries->end(), LessNoCase);
  return Status::Ok();
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (ok()) CloseHandle(handle_);
  }
  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// A name beside target for the copy that takes target's name when whole.
std::wstring PassingName(const std::wstring& target) {
  return target + L".kestro-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
}

// Replaces target by the whole file at passing; a read-only target stays.
Status TakeName(const std::wstring& passing, const std::wstring& target, std::string_view to, bool flushed) {
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | (flushed ? MOVEFILE_WRITE_THROUGH : 0);
  if (MoveFileExW(passing.c_str(), target.c_str(), flags)) return Status::Ok();
  const Status failed = LastError(to);
  DeleteFileW(passing.c_str());
  return failed;
}

// A read-only target, or one another program holds open without sharing
// (the question Abort/Retry/Ignore follows; Retry works once it is closed).
Status RefuseToReplace(const std::wstring& target, std::string_view to) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Status::Ok();
  if (attributes & FILE_ATTRIBUTE_READONLY) return Status::AccessDenied(std::string(to) + " is read-only");
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Status::AccessDenied(std::string(to) + " is a folder");
  Handle probe(CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return probe.ok() ? Status::Ok() : LastError(to);
}

Status CopyWhole(const std::wstring& source, std::string_view from, const std::wstring& target,
                 std::string_view to, bool fail_if_exists, bool flushed) {
  if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES && fail_if_exists) {
    return Status::AlreadyExists(std::string(to) + " exists already");
  }
  Status s = RefuseToReplace(target, to);
  if (!s.ok()) return s;
  const std::wstring passing = PassingName(target);
  // CopyFileW keeps the write time and the attributes, the read-only bit too.
  if (!CopyFileW(source.c_str(), passing.c_str(), FALSE)) {
    const DWORD error = GetLastError();
    DeleteFileW(passing.c_str());
    return FromError(error, error == ERROR_FILE_NOT_FOUND ? from : to);
  }
  const DWORD attributes = GetFileAttributesW(passing.c_str());
  if (attributes & FILE_ATTRIBUTE_READONLY)
    SetFileAttributesW(passing.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  s = TakeName(passing, target, to, flushed);
  if (s.ok() && (attributes & FILE_ATTRIBUTE_READONLY)) SetFileAttributesW(target.c_str(), attributes);
  return s;
}

// Only whole drive paths ("C:\...") and UNC paths are taken: Windows would
// read "\d1" or "d1" against the current drive and folder, where the
// target system refuses them, and the engines must meet the same refusals.
bool IsDrivePath(std::string_view path) {
  const bool drive = path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                     path[1] == ':' && (path.size() == 2 || path[2] == '\\' || path[2] == '/');
  return drive || (path.size() > 2 && path[0] == '\\' && path[1] == '\\');
}

Status NotDrivePath(std::string_view path) {
  return Status::InvalidArgument("not a drive path: " + std::string(path));
}

}  // namespace

std::wstring LongPath(std::string_view path) {
  std::wstring wide = Utf8ToWide(path);
  std::replace(wide.begin(), wide.end(), L'/', L'\\');
  if (wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\') return L"\\\\?\\" + wide;
  if (wide.size() > 2 && wide.rfind(L"\\\\", 0) == 0 && wide.rfind(L"\\\\?\\", 0) != 0) {
    return L"\\\\?\\UNC\\" + wide.substr(2);
  }
  return wide;
}

bool Win32Files::Exists(std::string_view path) const {
  if (!IsDrivePath(path)) return false;
  return GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Files::IsFolder(std::string_view path) const {
  if (!IsDrivePath(path)) return false;
  const DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Status Win32Files::Stat(std::string_view path, FileEntry* entry) const {
  if (!IsDrivePath(path)) return NotDrivePath(path);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(LongPath(path).c_str(), GetFileExInfoStandard, &data)) return LastError(path);
  *entry = EntryOf(Utf8ToWide(LastName(path)), data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow,
                   data.ftLastWriteTime);
  return Status::Ok();
}

Status Win32Files::CreateFolder(std::string_view path) const {
  if (!IsDrivePath(path)) return NotDrivePath(path);
  return CreateDirectoryW(LongPath(path).c_str(), nullptr) ? Status::Ok() : LastError(path);
}

Status Win32Files::CreateFolderTree(std::string_view path) const {
  if (!IsDrivePath(path)) return NotDrivePath(path);
  if (IsFolder(path)) return Status::Ok();
  if (IsRoot(path)) return Status::NotFound(std::string(path) + " does not exist");
  const std::string_view parent = Parent(path);
  if (!parent.empty()) {
    Status s = CreateFolderTree(parent);
    if (!s.ok()) return s;
  }
  Status s = CreateFolder(path);
  return s.IsAlreadyExists() && IsFolder(path) ? Status::Ok() : s;
}

Status Win32Files::RemoveEmptyFolder(std::string_view path) const {
  if (!IsDrivePath(path)) return NotDrivePath(path);
  if (IsRoot(path)) return Status::AccessDenied("cannot remove the drive root " + std::string(path));
  return RemoveDirectoryW(LongPath(path).c_str()) ? Status::Ok() : LastError(path);
}

Status Win32Files::ListEntries(std::string_view folder, std::vector<FileEntry>* entries) const {
  if (!IsDrivePath(folder)) return NotDrivePath(folder);
  if (!IsFolder(folder)) {
    entries->clear();
    return Exists(folder) ? Status::InvalidArgument(std::string(folder) + " is no folder")
                          : Status::NotFound(std::string(folder) + " does not exist");
  }
  std::string pattern(folder);
  if (pattern.back() != '\\') pattern += '\\';
  Status s = Find(pattern + "*", entries);
  return s.IsNotFound() ? Status::Ok() : s;  // an empty folder
}

Status Win32Files::FindAll(std::string_view pattern, std::vector<FileEntry>* entries) const {
  if (!IsDrivePath(pattern)) return NotDrivePath(pattern);
  return Find(pattern, entries);
}

Status Win32Files::FindFirst(std::string_view pattern, FileEntry* entry) const {
  if (!IsDrivePath(pattern)) return NotDrivePath(pattern);
  std::vector<FileEntry> entries;
  Status s = Find(pattern, &entries);
  if (s.ok()) *entry = entries.front();
  return s;
}

Status Win32Files::CopyFile(std::string_view from, std::string_view to, bool fail_if_exists) const {
  return CopyFile(from, to, fail_if_exists, Flush::kFlushed);
}

Status Win32Files::CopyFile(std::string_view from, std::string_view to, bool fail_if_exists,
                            Flush flush) const {
  if (!IsDrivePath(from)) return NotDrivePath(from);
  if (!IsDrivePath(to)) return NotDrivePath(to);
  const std::wstring target = LongPath(to);
  Status s = CopyWhole(LongPath(from), from, target, to, fail_if_exists, flush == Flush::kFlushed);
  if (s.ok() && flush == Flush::kUnflushed) unflushed_.push_back(target);
  return s;
}

Status Win32Files::FlushWrites() const {
  Status first = Status::Ok();
  for (const std::wstring& path : unflushed_) {
    Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    // A copy that cannot be opened for writing (removed since, or kept
    // read-only) is left to the system's own write-back.
    if (!file.ok()) continue;
    if (!FlushFileBuffers(file.get()) && first.ok()) first = LastError(WideToUtf8(path));
  }
  unflushed_.clear();
  return first;
}

Status Win32Files::MoveFile(std::string_view from, std::string_view to) const {
  if (!IsDrivePath(from)) return NotDrivePath(from);
  if (!IsDrivePath(to)) return NotDrivePath(to);
  return MoveFileExW(LongPath(from).c_str(), LongPath(to).c_str(), 0) ? Status::Ok() : LastError(from);
}

Status Win32Files::DeleteFile(std::string_view path) const {
  if (!IsDrivePath(path)) return NotDrivePath(path);
  return DeleteFileW(LongPath(path).c_str()) ? Status::Ok() : LastError(path);
}

Status Win32Files::GetAttributes(std::string_view path, std::uint32_t* attributes) const {
  if (!IsDrivePath(path)) return NotDrivePath(path);
  const DWORD found = GetFileAttributesW(LongPath(path).c_str());
  if (found == INVALID_FILE_ATTRIBUTES) return LastError(path);
  *attributes = found;
  return Status::Ok();
}

Status Win32Files::SetAttributes(std::string_view path, std::uint32_t attributes) const {
  if (!IsDrivePath(path)) return NotDrivePath(path);
  const DWORD bits = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY);
  return SetFileAttributesW(LongPath(path).c_str(), bits == 0 ? FILE_ATTRIBUTE_NORMAL : bits)
             ? Status::Ok()
             : LastError(path);
}

Status Win32Files::SetWriteTime(std::string_view path, std::chrono::system_clock::time_point time) const {
  if (!IsDrivePath(path)) return NotDrivePath(path);
  Handle file(CreateFileW(LongPath(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.ok()) return LastError(path);
  const FILETIME written = ToFileTime(time);
  return SetFileTime(file.get(), nullptr, nullptr, &written) ? Status::Ok() : LastError(path);
}

Status Win32Files::ReadFile(std::string_view path, std::string* data) const {
  if (!IsDrivePath(path)) return NotDrivePath(path);
  Handle file(CreateFileW(LongPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.ok()) return LastError(path);
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return LastError(path);
  data->assign(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < data->size()) {
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data->size() - done, 1u << 30));
    if (!::ReadFile(file.get(), data->data() + done, chunk, &read, nullptr)) return LastError(path);
    if (read == 0) break;
    done += read;
  }
  data->resize(done);
  return Status::Ok();
}

Status Win32Files::WriteFile(std::string_view path, std::string_view data) const {
  if (!IsDrivePath(path)) return NotDrivePath(path);
  const std::wstring target = LongPath(path);
  Status s = RefuseToReplace(target, path);
  if (!s.ok()) return s;
  const std::wstring passing = PassingName(target);
  {
    Handle file(CreateFileW(passing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
    if (!file.ok()) return LastError(path);
    std::size_t done = 0;
    while (s.ok() && done < data.size()) {
      DWORD written = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 30));
      if (!::WriteFile(file.get(), data.data() + done, chunk, &written, nullptr)) s = LastError(path);
      done += written;
    }
    if (s.ok() && !FlushFileBuffers(file.get())) s = LastError(path);
  }
  if (!s.ok()) {
    DeleteFileW(passing.c_str());
    return s;
  }
  return TakeName(passing, target, path, true);
}

Status Win32Files::CopyFromHost(const std::filesystem::path& host_source, std::string_view to) const {
  if (!IsDrivePath(to)) return NotDrivePath(to);
  const std::wstring source = host_source.wstring();
  return CopyWhole(LongPath(WideToUtf8(source)), WideToUtf8(source), LongPath(to), to, false, true);
}

}  // namespace platform::win32
