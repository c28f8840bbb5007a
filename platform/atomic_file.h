#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace platform {

// Writes data to a temporary file beside path and renames it over path, so a
// reader sees the old file or the new one, never a part. On failure nothing
// is left behind and the Status carries the system's error text.
// A symbolic link is written through: its target is replaced, the link
// stays. What stands at the path must be a regular file that may be written:
// a folder, pipe or device is refused ("not a regular file"), and so is a
// file without write permission ("read-only file"), as Windows refuses to
// replace a read-only file.
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view data);

// As WriteFileAtomically but without flushing the data to the disk before
// the rename: readers and a process killed at any point still see the old
// file or the new one whole; only a power loss may cost the new file. For
// copying many files in a row, where a flush per file costs more than the
// copy itself (as the system's own file copy does not flush either).
Status WriteFileAtomicallyUnflushed(const std::filesystem::path& path, std::string_view data);

// Reads a whole file into data; on failure data is empty and the Status
// carries the system's error text.
Status ReadWholeFile(const std::filesystem::path& path, std::string& data);

}  // namespace platform
