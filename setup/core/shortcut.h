#pragma once

#include <cstdint>
#include <string_view>

#include "platform/status.h"
#include "platform/target_system/target_system.h"

namespace setup {

using platform::Status;
using platform::target::TargetSystem;

// The description every shortcut of the installer carries.
inline constexpr std::string_view kShortcutDescription = "Produced by Tallowmere Tools";

// Longest link path, in characters, that the shell's wide-character buffer
// holds.
inline constexpr std::size_t kMaxLinkPathChars = 259;

// Writes a shortcut file (Windows shell-link format) at link_path, creating
// its folder, and reads it back to confirm it. show_state 1 gives a
// minimised window, 2 a maximised one, anything else the normal one. An
// empty icon_file keeps the target's own icon; the icon index is taken as an
// unsigned 8-bit number. An empty working_folder is left out. Success only
// when the file was written and reads back as written; a link path longer
// than kMaxLinkPathChars is refused rather than shortened, and an existing
// read-only shortcut is kept and refused.
Status CreateShortcut(TargetSystem& system, std::string_view link_path, std::string_view target,
                      std::int32_t icon_index, std::string_view icon_file, std::int32_t show_state,
                      std::string_view working_folder);

}  // namespace setup
