#pragma once

#include <string>
#include <string_view>

#include "platform/target_system/drive.h"

namespace setup::wizard {

// [Define] CDCheck against the type of the program's drive: "1" accepts a
// CD-ROM or network drive, "2" a CD-ROM only; undetermined types and missing
// roots pass; any other value checks nothing.
bool PassesCdCheck(std::string_view cd_check, platform::target::DriveType type);

// [Define] OSCheck: its first character is the mode ("1" warn, "2"
// refuse, else no check); characters 2-7 allow Windows 95, 98, ME, NT 4,
// 2000 and any other system.
bool OsCheckApplies(std::string_view os_check);
// Whether the running system (OsKind) is allowed.
bool OsAllowed(std::string_view os_check, int os_kind);
// The allowed systems as the messages list them: "「Windows 95」" ... for
// each of characters 2-6 that is "1", without separators.
std::string AllowedOsList(std::string_view os_check);
// The message for a system that is not allowed: the continue question
// (mode "1") or the refusal (mode "2").
std::string OsCheckText(std::string_view os_check);

}  // namespace setup::wizard
