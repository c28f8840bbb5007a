#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/target_system/drive_map.h"

namespace setup::app {

// The largest picture the background window reads (a 4K screen as a 32-bit
// bitmap is about 33 MB).
inline constexpr std::uint64_t kMaxBackgroundPictureBytes = 64u << 20;

// The whole of a file that a script names for reading into memory (the
// background picture): only a regular file, reached by no link out of the
// system's drives (the run's package drive is one of them), of at most
// max_bytes. nullopt for anything else: a host file, a FIFO or a device
// (never waited on), a folder, a larger file.
std::optional<std::string> ReadConfinedFile(const platform::target::DriveMap& drives,
                                            const std::filesystem::path& host_file, std::uint64_t max_bytes);

}  // namespace setup::app
