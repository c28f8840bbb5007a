#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/status.h"
#include "platform/target_system/registry_value.h"
#include "platform/target_system/target_system.h"

namespace setup {

using platform::Status;
using platform::target::RegistryRoot;
using platform::target::TargetSystem;

// Registry operations: each one does its work on the
// target system's registry within the call. Reads turn every failure into
// the caller's default; changes give a Status that tells the reason on
// failure. "Full path" means parent path, backslash, last component,
// relative to the root.

// The string value (a plain or an expand-string, unexpanded), or def when
// the key or value is missing, the value has another type, or anything
// fails. Never creates the key.
std::string RegReadString(TargetSystem& system, RegistryRoot root, std::string_view key,
                          std::string_view name, std::string_view def);
// Writes a string value, creating the key and its missing parents.
Status RegWriteString(TargetSystem& system, RegistryRoot root, std::string_view key, std::string_view name,
                      std::string_view text);
// The 32-bit integer value, or def as RegReadString.
std::int32_t RegReadInteger(TargetSystem& system, RegistryRoot root, std::string_view key,
                            std::string_view name, std::int32_t def);
Status RegWriteInteger(TargetSystem& system, RegistryRoot root, std::string_view key, std::string_view name,
                       std::int32_t number);

// Whether the key exists; false for an empty path and for "\".
bool RegKeyExists(TargetSystem& system, RegistryRoot root, std::string_view full_path);
// Moves the key with its values and subkeys; a failure when either path is
// empty or anything fails.
Status RegMoveKey(TargetSystem& system, RegistryRoot root, std::string_view old_path,
                  std::string_view new_path);
// Deletes one value; a missing value or key is not a failure.
Status RegDeleteValue(TargetSystem& system, RegistryRoot root, std::string_view key, std::string_view name);
// Deletes a key that has no subkeys (a missing key is not a failure); a
// failure for a key with subkeys, a root and the empty path.
Status RegDeleteKey(TargetSystem& system, RegistryRoot root, std::string_view full_path);
// Deletes the key and everything below it, depth first in list order; stops
// descending at the first subkey that fails and then still tries the key
// itself (which fails while subkeys remain). A failure for an empty path.
Status RegDeleteTree(TargetSystem& system, RegistryRoot root, std::string_view full_path);
// Deletes the key when it has neither values nor subkeys, then its parent
// under the same rule, and so on up to (not including) the root. A missing
// key counts as empty; a key that cannot be inspected as not empty.
void RegDeleteEmptyKeys(TargetSystem& system, RegistryRoot root, std::string_view full_path);

}  // namespace setup
