#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/target_system/registry_value.h"
#include "platform/target_system/status.h"

namespace platform::target {

// A list of registry changes applied together by Registry::Apply: either all
// of them take effect or none does, and no other process sees a part.
class RegistryBatch {
 public:
  enum class Kind { kCreateKey, kSetValue, kDeleteValue, kDeleteTree };
  struct Operation {
    Kind kind;
    RegistryRoot root;
    std::string key;
    RegistryValue value;   // kSetValue: the value; kDeleteValue: its name
    std::size_t line = 0;  // where a text file asked for it (0: not from a file)
  };

  // Creates the key with its missing parents.
  void CreateKey(RegistryRoot root, std::string_view key);
  // Writes the value, creating the key with its missing parents.
  void SetValue(RegistryRoot root, std::string_view key, RegistryValue value);
  // Deletes the value; a missing key or value is not an error here.
  void DeleteValue(RegistryRoot root, std::string_view key, std::string_view name);
  // Deletes the key with all its subkeys; a missing key is not an error here.
  void DeleteTree(RegistryRoot root, std::string_view key);

  // Operations added from now on come from this line of a text file; a
  // failure to apply one of them names the line.
  void set_line(std::size_t line) { line_ = line; }

  const std::vector<Operation>& operations() const { return operations_; }
  bool empty() const { return operations_.empty(); }
  std::size_t size() const { return operations_.size(); }
  void Clear() { operations_.clear(); }
  void Append(const RegistryBatch& other);

 private:
  std::vector<Operation> operations_;
  std::size_t line_ = 0;
};

// Takes one part of a change written in parts (Registry::ApplyInParts).
using RegistryPartSink = std::function<Status(const RegistryBatch& part)>;
// Writes a change in parts: hands each part to the sink.
using RegistryPartWriter = std::function<Status(const RegistryPartSink& sink)>;

// A change of many operations written in parts of bounded size: operations
// are gathered in a batch that goes to the sink whenever it is full, so a
// list of a hundred thousand values never lies in memory whole. After the
// first failure the rest is dropped; Finish hands the last part over and
// tells the first failure.
class StreamedBatch {
 public:
  static constexpr std::size_t kPartOperations = 1024;
  explicit StreamedBatch(const RegistryPartSink& sink, std::size_t part_operations = kPartOperations)
      : sink_(sink), part_operations_(part_operations) {}

  void CreateKey(RegistryRoot root, std::string_view key);
  void SetValue(RegistryRoot root, std::string_view key, RegistryValue value);
  void DeleteTree(RegistryRoot root, std::string_view key);
  Status Finish();

 private:
  void HandOverWhenFull();

  const RegistryPartSink& sink_;
  std::size_t part_operations_;
  RegistryBatch part_;
  Status status_;
};

}  // namespace platform::target
