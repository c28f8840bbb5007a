#include "setup/wizard/record/record_list.h"

#include <algorithm>
#include <vector>

#include "platform/target_system/name_folding.h"

namespace setup::wizard {
namespace {

using platform::target::RegistryRoot;
using platform::target::RegistryValue;

constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;

// The number of decimal digits of n (n > 0).
std::size_t Digits(std::int64_t n) {
  std::size_t digits = 0;
  for (; n > 0; n /= 10) ++digits;
  return digits;
}

}  // namespace

std::string ListItemName(std::string_view field, std::int64_t n) {
  std::string name(field);
  name += std::to_string(n);
  return name;
}

std::int64_t ListItemNumber(std::string_view name) {
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

std::int32_t ListItemsToRead(std::int64_t recorded_count, std::int64_t highest_item) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(std::min(recorded_count, highest_item), 0, INT32_MAX));
}

RecordList::RecordList(platform::target::TargetSystem& system, std::string_view list_key) {
  std::vector<RegistryValue> values;
  try {
    if (!system.registry().ListValues(kMachine, list_key, &values).ok()) return;
  } catch (const std::exception&) {
    return;
  }
  const std::string count_name = platform::target::FoldName(kListCountName);
  std::int64_t highest = 0;
  std::int64_t recorded = 0;
  for (RegistryValue& value : values) {
    const std::int64_t n = ListItemNumber(value.name);
    if (n > 0) {
      highest = std::max(highest, n);
      // Only the name an item is asked by ("File12", not "File012") finds
      // its value.
      const std::string_view field = std::string_view(value.name).substr(0, value.name.size() - Digits(n));
      if (value.name[field.size()] != '0') {
        items_[platform::target::FoldName(field)].emplace(n, std::move(value));
      }
    } else if (platform::target::FoldName(value.name) == count_name) {
      recorded = static_cast<std::int32_t>(value.AsDword().value_or(0));
    }
  }
  count_ = ListItemsToRead(recorded, highest);
}

const RegistryValue* RecordList::Find(std::string_view field, std::int32_t n) const {
  if (n <= 0) return nullptr;
  // A field that ends in digits: its item's name is taken apart as the
  // list was ("Part1" and 2 name "Part12", field "Part", item 12).
  if (!field.empty() && field.back() >= '0' && field.back() <= '9') {
    const std::string name = ListItemName(field, n);
    const std::int64_t item = ListItemNumber(name);
    if (item == 0) return nullptr;  // a field of digits alone names no item
    const auto found = items_.find(platform::target::FoldName(name.substr(0, name.size() - Digits(item))));
    if (found == items_.end() || name[name.size() - Digits(item)] == '0') return nullptr;
    const auto it = found->second.find(item);
    return it == found->second.end() ? nullptr : &it->second;
  }
  // The items are read field by field in turn: the field asked last is
  // likely asked again.
  if (last_items_ == nullptr || field != last_field_) {
    const auto found = items_.find(platform::target::FoldName(field));
    if (found == items_.end()) return nullptr;
    last_field_ = field;
    last_items_ = &found->second;
  }
  const auto it = last_items_->find(n);
  return it == last_items_->end() ? nullptr : &it->second;
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

RecordListWriter::RecordListWriter(platform::target::StreamedBatch& out, std::string list_key)
    : out_(out), key_(std::move(list_key)) {
  out_.DeleteTree(kMachine, key_);
  out_.CreateKey(kMachine, key_);
}

void RecordListWriter::Text(std::string_view field, std::int64_t n, std::string_view text) {
  out_.SetValue(kMachine, key_, RegistryValue::String(ListItemName(field, n), text));
}

void RecordListWriter::Integer(std::string_view field, std::int64_t n, std::int32_t number) {
  out_.SetValue(kMachine, key_,
                RegistryValue::Dword(ListItemName(field, n), static_cast<std::uint32_t>(number)));
}

void RecordListWriter::Count(std::int64_t count) {
  out_.SetValue(kMachine, key_, RegistryValue::Dword(kListCountName, static_cast<std::uint32_t>(count)));
}

}  // namespace setup::wizard
