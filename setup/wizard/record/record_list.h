#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/target_system/registry_value.h"
#include "platform/target_system/target_system.h"

namespace setup::wizard {

// One list of the uninstall record (UnFile, UnFolder, UnLink, UnRegistry,
// UnIniFile, UnExtension, UnOutline: a subkey with an integer Count and the
// items' values Field1, Field2, ...), read whole in one registry call.
// Values read as the registry utilities read them: a missing value or one of
// another type gives the default.
class RecordList {
 public:
  RecordList(platform::target::TargetSystem& system, std::string_view list_key);

  // The recorded Count, bounded by the highest item number that any value
  // carries: items above it hold nothing, so a damaged Count far larger than
  // the list costs nothing. 0 for a missing list or a negative Count.
  std::int32_t Count() const { return count_; }

  std::string Text(std::string_view field, std::int32_t n) const;
  std::int32_t Integer(std::string_view field, std::int32_t n, std::int32_t def) const;

 private:
  const platform::target::RegistryValue* Find(std::string_view field, std::int32_t n) const;

  std::unordered_map<std::string, platform::target::RegistryValue> values_;  // by folded name
  std::int32_t count_ = 0;
};

}  // namespace setup::wizard
