#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/target_system/target_system.h"

namespace setup::wizard {

// The name a user field goes by in messages: its label's caption up to the
// first "(" or ":".
std::string UserEntryName(std::string_view caption);

// The length and pattern rule of a user field: with size above 0 the entry
// must have exactly that many characters; an empty pattern or one equal to
// the entry accepts; a pattern without "*" refuses; otherwise the entry
// must begin with the text before the first "*" and end with the text after
// it. Characters, not bytes, are counted.
bool UserEntryMatches(std::string_view entry, std::int32_t size, std::string_view pattern);

// Whether a folder path holds one of * ? " < > |.
bool HasForbiddenFolderChar(std::string_view path);

// Whether a path lies on a drive given to this run only (the package folder
// that lies on no drive of the system): a source, never a destination, as
// the drive is gone when the uninstaller runs.
bool IsOnRunOnlyDrive(const platform::target::TargetSystem& system, std::string_view path);

// The refusal of CheckFolderEntry for the text of the edit box.
std::string FolderRefusalText(std::string_view path, std::string_view edit_text);

}  // namespace setup::wizard
