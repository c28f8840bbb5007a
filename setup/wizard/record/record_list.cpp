#include "setup/wizard/record/record_list.h"

#include <algorithm>
#include <vector>

#include "platform/target_system/name_folding.h"

namespace setup::wizard {
namespace {

using platform::target::RegistryRoot;
using platform::target::RegistryValue;

// The item number that ends a value name ("File12" gives 12), 0 when none.
std::int64_t TrailingNumber(std::string_view name) {
  std::size_t digits = 0;
  while (digits < name.size() && digits < 10 && name[name.size() - 1 - digits] >= '0' &&
         name[name.size() - 1 - digits] <= '9') {
    ++digits;
  }
  if (digits == 0 || digits == name.size()) return 0;
  std::int64_t n = 0;
  for (char c : name.substr(name.size() - digits)) n = n * 10 + (c - '0');
  return n;
}

}  // namespace

RecordList::RecordList(platform::target::TargetSystem& system, std::string_view list_key) {
  std::vector<RegistryValue> values;
  try {
    if (!system.registry().ListValues(RegistryRoot::kLocalMachine, list_key, &values).ok()) return;
  } catch (const std::exception&) {
    return;
  }
  std::int64_t highest = 0;
  std::int64_t recorded = 0;
  for (RegistryValue& value : values) {
    const std::string folded = platform::target::FoldName(value.name);
    if (folded == "COUNT") {
      recorded = static_cast<std::int32_t>(value.AsDword().value_or(0));
    } else {
      highest = std::max(highest, TrailingNumber(value.name));
    }
    values_.emplace(folded, std::move(value));
  }
  count_ = static_cast<std::int32_t>(std::clamp<std::int64_t>(std::min(recorded, highest), 0, INT32_MAX));
}

const RegistryValue* RecordList::Find(std::string_view field, std::int32_t n) const {
  const auto it = values_.find(platform::target::FoldName(std::string(field) + std::to_string(n)));
  return it == values_.end() ? nullptr : &it->second;
}

std::string RecordList::Text(std::string_view field, std::int32_t n) const {
  const RegistryValue* value = Find(field, n);
  return value ? value->AsString().value_or(std::string()) : std::string();
}

std::int32_t RecordList::Integer(std::string_view field, std::int32_t n, std::int32_t def) const {
  const RegistryValue* value = Find(field, n);
  if (value == nullptr) return def;
  const auto number = value->AsDword();
  return number ? static_cast<std::int32_t>(*number) : def;
}

}  // namespace setup::wizard
