#include "setup/core/registry_entry.h"

#include "setup/core/ini_utils.h"
#include "setup/core/registry_utils.h"
#include "setup/core/script_values.h"

namespace setup {

Status ApplyRegistryEntry(TargetSystem& system, std::int32_t way, std::string_view key_text,
                          std::string_view value_name, std::int32_t type, std::string_view data) {
  const std::size_t backslash = key_text.find('\\');
  const auto root = platform::target::RegistryRootFromName(key_text.substr(0, backslash));
  if (!root)
    return Status::InvalidArgument("no registry root in " + std::string(key_text) + "; entry ignored");
  const std::string_view key =
      backslash == std::string_view::npos ? std::string_view() : key_text.substr(backslash + 1);
  const std::string_view name = value_name == kDefaultValueName ? std::string_view() : value_name;
  switch (way) {
    case 1: {
      // A key that is not there is left as it is: nothing was deleted, so no
      // parent was emptied by this entry and none is removed.
      if (!key.empty() && system.registry().OpenKey(*root, key).IsNotFound()) return Status::Ok();
      const Status deleted = RegDeleteTree(system, *root, key);
      if (deleted.ok()) RegDeleteEmptyKeys(system, *root, key);
      return deleted;
    }
    case 2: return RegDeleteValue(system, *root, key, name);
    default:
      if (type == 1) return RegWriteInteger(system, *root, key, name, ToInteger(data, 0));
      return RegWriteString(system, *root, key, name, data);
  }
}

Status ApplyIniEntry(TargetSystem& system, std::int32_t way, std::string_view file, std::string_view section,
                     std::string_view key, std::string_view value) {
  switch (way) {
    case 1: return IniEraseSection(system, file, section);
    case 2: return IniDeleteKey(system, file, section, key);
    default: return IniWriteString(system, file, section, key, value);
  }
}

}  // namespace setup
