#pragma once

#include <filesystem>

#include "platform/target_system/status.h"

namespace platform::target {

// The user's home trash: $XDG_DATA_HOME/Trash, with $HOME/.local/share when
// XDG_DATA_HOME is unset or not absolute.
std::filesystem::path HomeTrashFolder();

// Moves a file or folder into the home trash as the freedesktop.org trash
// layout has it: the item under files/ and beside it
// info/<name>.trashinfo with Path= (the absolute path, percent-escaped) and
// DeletionDate= (local time), so a file manager can restore it. A name
// already in the trash gets ".2", ".3" … before its extension. The info file
// is made first (with exclusive creation, which reserves the name) and is
// removed again when the move fails.
//
// An item on another file system than the trash is copied into the home
// trash and then removed from its place (rather than using a per-volume
// .Trash-$uid folder, which not every mount allows); when the copy fails
// nothing is removed.
//
// trashed_as (when given) receives the item's path inside files/.
Status MoveToTrash(const std::filesystem::path& host_path, std::filesystem::path* trashed_as = nullptr);

}  // namespace platform::target
