#include "platform/target_system/registry_batch.h"

#include <utility>

#include "platform/target_system/registry.h"

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

void RegistryBatch::Append(const RegistryBatch& other) {
  operations_.insert(operations_.end(), other.operations_.begin(), other.operations_.end());
}

// A back end without changes of its own to keep open gathers the parts and
// applies them as one batch.
Status Registry::ApplyInParts(const RegistryPartWriter& write) {
  RegistryBatch whole;
  const Status written = write([&whole](const RegistryBatch& part) {
    whole.Append(part);
    return Status::Ok();
  });
  return written.ok() ? Apply(whole) : written;
}

void StreamedBatch::CreateKey(RegistryRoot root, std::string_view key) {
  if (!status_.ok()) return;
  part_.CreateKey(root, key);
  HandOverWhenFull();
}

void StreamedBatch::SetValue(RegistryRoot root, std::string_view key, RegistryValue value) {
  if (!status_.ok()) return;
  part_.SetValue(root, key, std::move(value));
  HandOverWhenFull();
}

void StreamedBatch::DeleteTree(RegistryRoot root, std::string_view key) {
  if (!status_.ok()) return;
  part_.DeleteTree(root, key);
  HandOverWhenFull();
}

void StreamedBatch::HandOverWhenFull() {
  if (part_.size() < part_operations_) return;
  status_ = sink_(part_);
  part_.Clear();
}

Status StreamedBatch::Finish() {
  if (status_.ok() && !part_.empty()) status_ = sink_(part_);
  part_.Clear();
  return status_;
}

}  // namespace platform::target
