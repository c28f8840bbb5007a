#include "platform/target_system/registry_batch.h"

#include <utility>

namespace platform::target {

void RegistryBatch::CreateKey(RegistryRoot root, std::string_view key) {
  operations_.push_back({Kind::kCreateKey, root, std::string(key), {}, line_});
}

void RegistryBatch::SetValue(RegistryRoot root, std::string_view key, RegistryValue value) {
  operations_.push_back({Kind::kSetValue, root, std::string(key), std::move(value), line_});
}

void RegistryBatch::DeleteValue(RegistryRoot root, std::string_view key, std::string_view name) {
  operations_.push_back({Kind::kDeleteValue, root, std::string(key), RegistryValue::String(name, ""), line_});
}

void RegistryBatch::DeleteTree(RegistryRoot root, std::string_view key) {
  operations_.push_back({Kind::kDeleteTree, root, std::string(key), {}, line_});
}

}  // namespace platform::target
