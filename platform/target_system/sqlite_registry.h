#pragma once

#include <memory>

#include "platform/target_system/registry.h"

namespace platform::target {

// The target system's registry, kept in an SQLite database so that several
// processes (the installer, its uninstaller copy, a clean-up run) can use it
// at the same time. Every call is one transaction of its own: a change is
// seen whole or not at all, and a process killed during a change leaves the
// database as it was before that change. VisitTree is one read transaction
// that reads every key once, so its cost grows with the size of the tree,
// not with its depth. ApplyInParts keeps one transaction open while the
// parts come; registry calls made meanwhile join it (as savepoints) and see
// the parts applied so far.
//
// The object keeps one database connection open for its lifetime. After
// fork() a child must open its own. Made by Registry::Open/OpenOrCreate.
class SqliteRegistry final : public Registry {
 public:
  ~SqliteRegistry() override;

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
  Status Apply(const RegistryBatch& batch) override;
  Status ApplyInParts(const RegistryPartWriter& write) override;
  Status CheckIntegrity() override;
  bool read_only() const override;

 private:
  friend class Registry;
  class Impl;
  explicit SqliteRegistry(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform::target
