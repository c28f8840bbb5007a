#pragma once

#include <cstdint>
#include <string_view>

#include "platform/status.h"
#include "platform/target_system/target_system.h"

namespace setup {

using platform::Status;
using platform::target::TargetSystem;

// Registry and INI entries described by text, as the script's [Registry],
// [UnRegistry], [IniFile] and [UnIniFile] lists and the user-information
// targets give them. The results tell what happened and why; the engines
// carry on after a failure but keep its detail for the install log.

// The value name that stands for a key's unnamed default value.
inline constexpr std::string_view kDefaultValueName = "(標準)";

// key_text is a root name ("HKEY_LOCAL_MACHINE", … written exactly so),
// a backslash and the key path; any other root makes the entry do nothing
// (a failure saying so, which the engines pass over without a message). way 1 deletes the key tree and then
// its emptied parents; way 2 deletes the value; any other way writes it: type 1 as an integer parsed from
// data (malformed data gives 0), any other type as a string.
Status ApplyRegistryEntry(TargetSystem& system, std::int32_t way, std::string_view key_text,
                          std::string_view value_name, std::int32_t type, std::string_view data);

// way 1 erases the section, way 2 deletes the key, any other way writes the
// value.
Status ApplyIniEntry(TargetSystem& system, std::int32_t way, std::string_view file, std::string_view section,
                     std::string_view key, std::string_view value);

}  // namespace setup
