#pragma once

#include <string_view>

namespace platform::target {

// Tells the machine's shell what the installer changed, so the Explorer
// shows new icons and opens files with their new programs without a
// restart. The target system has no shell to tell: there these do nothing.
void NotifyAssociationsChanged();
// A file (a shortcut) was made at path.
void NotifyItemCreated(std::string_view path);

}  // namespace platform::target
