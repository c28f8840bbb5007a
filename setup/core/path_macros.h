#pragma once

#include <string>
#include <string_view>

#include "platform/target_system/target_system.h"

namespace setup {

using platform::target::TargetSystem;

// Script paths name well-known folders by macros such as "<Program>" at
// their start. Macros match case-sensitively and only as written.

// Expands one folder macro ("<Setup>", "<Program>", "<Common>", "<Windows>",
// "<System>", "<Media>", "<Font>", "<Config>", "<Device>", "<Document>",
// "<Boot>") at the start of the path: the rest is joined to the folder, so
// "<Setup>\a" and "<Setup>a" give the same. "<Setup>" stands for
// install_folder. Any other path is returned unchanged.
std::string ExpandPathMacro(TargetSystem& system, std::string_view path, std::string_view install_folder);

// Expands every folder macro anywhere in a command text. After each token
// in angle brackets, replaced or not, a backslash is inserted unless the
// text ends there or goes on with a backslash, a blank or a double quote.
std::string ExpandMacrosInText(TargetSystem& system, std::string_view text, std::string_view install_folder);

// Expands one shortcut macro ("<SSetup>", "<SProgram>", "<Start>",
// "<Startup>", "<Desktop>", "<Sendto>", "<Quick>") at the start of the path.
// "<SSetup>" adds the Start-menu group below Programs. With all_users the
// Start menu, Programs, Startup and desktop are the all-users folders.
std::string ExpandShortcutMacro(TargetSystem& system, std::string_view path, std::string_view group_name,
                                bool all_users);

}  // namespace setup
