#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace platform::target {

// The folder of the target system to use: the folder given on the command
// line (--system DIR) when not empty, else the environment variable
// KESTRO_SYSTEM when set and not empty, else $XDG_DATA_HOME/kestro/system
// ($HOME/.local/share when XDG_DATA_HOME is unset or not absolute).
std::filesystem::path ResolveSystemFolder(std::string_view command_line_folder);

// The target system that holds the host path: the nearest folder at or above
// it with a settings file. Used by a program started later from inside a
// system (the uninstaller copy in its Windows folder) to find that system.
std::optional<std::filesystem::path> FindEnclosingSystem(const std::filesystem::path& host_path);

}  // namespace platform::target
