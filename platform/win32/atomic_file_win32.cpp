// Whole-file writes and reads in the Windows build, through the Win32 file
// layer: the new file is written beside the old one and renamed over it.
#include "platform/atomic_file.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_files.h"

namespace platform {
namespace {

std::string Utf8Path(const std::filesystem::path& path) { return win32::WideToUtf8(path.wstring()); }

}  // namespace

Status WriteFileAtomically(const std::filesystem::path& path, std::string_view data) {
  return win32::Win32Files().WriteFile(Utf8Path(path), data);
}

// Windows' own file copy does not flush either; the Win32 layer flushes
// every whole-file write, which costs little next to the rename.
Status WriteFileAtomicallyUnflushed(const std::filesystem::path& path, std::string_view data) {
  return WriteFileAtomically(path, data);
}

Status ReadWholeFile(const std::filesystem::path& path, std::string& data) {
  return win32::Win32Files().ReadFile(Utf8Path(path), &data);
}

}  // namespace platform
