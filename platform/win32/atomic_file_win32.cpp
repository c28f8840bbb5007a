// Whole-file writes and reads in the Windows build, through the Win32 file
// layer: the new file is written beside the old one and renamed over it.
#include "platform/atomic_file.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_files.h"

namespace platform {
namespace {

std::string Utf8Path(const std::filesystem::path& path) { return win32::WideToUtf8(path.wstring()); }

bool Report(const target::Status& status, std::string* error) {
  if (!status.ok() && error) *error = status.message();
  return status.ok();
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view data, std::string* error) {
  return Report(win32::Win32Files().WriteFile(Utf8Path(path), data), error);
}

// Windows' own file copy does not flush either; the Win32 layer flushes
// every whole-file write, which costs little next to the rename.
bool WriteFileAtomicallyUnflushed(const std::filesystem::path& path, std::string_view data, std::string* error) {
  return WriteFileAtomically(path, data, error);
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& data, std::string* error) {
  return Report(win32::Win32Files().ReadFile(Utf8Path(path), &data), error);
}

}  // namespace platform
