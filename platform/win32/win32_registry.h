#pragma once

#include "platform/target_system/registry.h"

namespace platform::win32 {

using platform::target::RegistryBatch;
using platform::target::RegistryRoot;
using platform::target::RegistryValue;
using platform::target::Status;

// The registry of the Windows machine the program runs on, through the wide
// advapi32 functions. Every call opens and closes its keys.
//
// Registry view: this is a 64-bit program, and the packages it installs
// are 32-bit Windows programs that read their keys through the 32-bit view
// (Software\WOW6432Node of HKEY_LOCAL_MACHINE). Every key is therefore
// opened with KEY_WOW64_32KEY, so the installer writes where a 32-bit
// installer always wrote and where the programs it installs look; keys
// Windows shares between the views (HKEY_CURRENT_USER, most of the classes)
// are the same either way.
//
// Values are listed in the order the registry enumerates them (on today's
// Windows the order they were first written); subkeys in case-insensitive
// name order. The default value has the empty name.
class Win32Registry final : public platform::target::Registry {
 public:
  Win32Registry() = default;

  Status OpenKey(RegistryRoot root, std::string_view key) override;
  Status CreateKey(RegistryRoot root, std::string_view key, bool* existed = nullptr) override;
  Status GetValue(RegistryRoot root, std::string_view key, std::string_view name,
                  RegistryValue* value) override;
  Status SetValue(RegistryRoot root, std::string_view key, const RegistryValue& value,
                  bool create_key = true) override;
  Status DeleteValue(RegistryRoot root, std::string_view key, std::string_view name) override;
  Status ListSubkeys(RegistryRoot root, std::string_view key, std::vector<std::string>* names) override;
  Status ListValues(RegistryRoot root, std::string_view key, std::vector<RegistryValue>* values) override;
  Status VisitTree(RegistryRoot root, std::string_view key, const TreeVisitor& visit) override;
  Status DeleteKey(RegistryRoot root, std::string_view key) override;
  Status DeleteTree(RegistryRoot root, std::string_view key) override;
  Status CopyTree(RegistryRoot from_root, std::string_view from, RegistryRoot to_root,
                  std::string_view to) override;
  Status MoveTree(RegistryRoot from_root, std::string_view from, RegistryRoot to_root,
                  std::string_view to) override;
  // The real registry has no transactions for a program like ours: the
  // batch is applied operation by operation, and on a failure the changes
  // made so far are undone from what was read before each one.
  Status Apply(const RegistryBatch& batch) override;
  // Windows keeps its own registry consistent; always Ok.
  Status CheckIntegrity() override { return Status::Ok(); }
  bool read_only() const override { return false; }
};

}  // namespace platform::win32
