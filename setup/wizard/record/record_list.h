#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/target_system/registry_batch.h"
#include "platform/target_system/registry_value.h"
#include "platform/target_system/target_system.h"

namespace setup::wizard {

// The lists of the uninstall record (UnFile, UnFolder, UnLink, UnRegistry,
// UnIniFile, UnExtension, UnOutline) share one form: a subkey of the record
// with an integer Count and, for item n, one value per field named after the
// field and n in decimal ("File12", "Shared12"). Items are numbered from 1.

inline constexpr std::string_view kListCountName = "Count";

// The value of field for item n: "File" and 12 give "File12".
std::string ListItemName(std::string_view field, std::int64_t n);
// The item number that ends a value name ("File12" gives 12); 0 when the
// name ends in no number or is only a number.
std::int64_t ListItemNumber(std::string_view value_name);
// The number of items a reader takes: the recorded Count, bounded by the
// highest item number any value carries (items above it hold nothing, so a
// damaged Count far larger than the list costs nothing); 0 for a negative
// Count.
std::int32_t ListItemsToRead(std::int64_t recorded_count, std::int64_t highest_item);

// One list read whole in one registry call. Values read as the registry
// utilities read them: a missing value or one of another type gives the
// default.
class RecordList {
 public:
  RecordList(platform::target::TargetSystem& system, std::string_view list_key);

  // ListItemsToRead of the list; 0 for a missing list.
  std::int32_t Count() const { return count_; }

  std::string Text(std::string_view field, std::int32_t n) const;
  std::int32_t Integer(std::string_view field, std::int32_t n, std::int32_t def) const;

 private:
  const platform::target::RegistryValue* Find(std::string_view field, std::int32_t n) const;

  using Items = std::unordered_map<std::int64_t, platform::target::RegistryValue>;
  // The items' values by folded field name ("file"), then item number.
  std::unordered_map<std::string, Items> items_;
  mutable std::string last_field_;
  mutable const Items* last_items_ = nullptr;
  std::int32_t count_ = 0;
};

// One list written afresh into a change written in parts: what an earlier
// installation left in the subkey goes, so the list is exactly this one.
class RecordListWriter {
 public:
  RecordListWriter(platform::target::StreamedBatch& out, std::string list_key);

  void Text(std::string_view field, std::int64_t n, std::string_view text);
  void Integer(std::string_view field, std::int64_t n, std::int32_t number);
  void Count(std::int64_t count);

 private:
  platform::target::StreamedBatch& out_;
  std::string key_;
};

}  // namespace setup::wizard
