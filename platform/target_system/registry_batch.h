#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/target_system/registry_value.h"

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
    RegistryValue value;  // kSetValue: the value; kDeleteValue: its name
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

 private:
  std::vector<Operation> operations_;
  std::size_t line_ = 0;
};

}  // namespace platform::target
