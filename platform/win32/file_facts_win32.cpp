// File facts and the folder lock in the Windows build.
#include "platform/file_facts.h"

#include <algorithm>
#include <cwctype>

#include "platform/win32/windows_api.h"

namespace platform {
namespace {

// 100-nanosecond intervals between 1601-01-01 (FILETIME) and 1970-01-01.
constexpr std::int64_t kUnixEpochInFileTime = 116444736000000000LL;

std::int64_t Nanoseconds(const FILETIME& time) {
  const std::int64_t ticks = static_cast<std::int64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
  return (ticks - kUnixEpochInFileTime) * 100;
}

}  // namespace

bool ReadFileStamp(const std::filesystem::path& file, FileStamp* stamp) {
  HANDLE handle =
      CreateFileW(file.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const bool read = GetFileInformationByHandle(handle, &info) != FALSE;
  CloseHandle(handle);
  if (!read || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  *stamp = FileStamp{info.dwVolumeSerialNumber,
                     static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow,
                     static_cast<std::uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow,
                     Nanoseconds(info.ftLastWriteTime), Nanoseconds(info.ftCreationTime)};
  return true;
}

bool IsReadOnlyFile(const std::filesystem::path& file) {
  const DWORD attributes = GetFileAttributesW(file.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
         !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Windows cannot lock a folder itself: a named mutex for the folder's full
// path (in lower case) stands for it in every process of the session.
FolderLock::FolderLock(const std::filesystem::path& folder) {
  std::error_code ec;
  std::wstring name = std::filesystem::absolute(folder, ec).lexically_normal().wstring();
  if (ec) return;
  // "F\." normalises to "F\": one folder, one name.
  while (name.size() > 3 && (name.back() == L'\\' || name.back() == L'/')) name.pop_back();
  std::transform(name.begin(), name.end(), name.begin(),
                 [](wchar_t c) { return c == L'\\' ? L'/' : static_cast<wchar_t>(std::towlower(c)); });
  HANDLE mutex = CreateMutexW(nullptr, FALSE, (L"Local\\kestro-profile:" + name).c_str());
  if (!mutex) return;
  const DWORD waited = WaitForSingleObject(mutex, INFINITE);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    CloseHandle(mutex);
    return;
  }
  handle_ = reinterpret_cast<std::intptr_t>(mutex);
  held_ = true;
}

FolderLock::~FolderLock() {
  if (!held_) return;
  HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
  ReleaseMutex(mutex);
  CloseHandle(mutex);
}

}  // namespace platform
