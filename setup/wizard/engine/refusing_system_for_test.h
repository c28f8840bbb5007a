#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/target_system/registry.h"
#include "platform/target_system/target_system.h"

namespace setup::wizard::testing {

using platform::Status;
using platform::target::Registry;
using platform::target::RegistryBatch;
using platform::target::RegistryRoot;
using platform::target::RegistryValue;

// The registry of another target system that refuses every change of the
// machine's keys at or below the given paths with an I/O error, as a
// database on a full disk would; everything else goes through.
class RefusingRegistry : public Registry {
 public:
  RefusingRegistry(Registry& inner, std::vector<std::string> refused)
      : inner_(inner), refused_(std::move(refused)) {}

  Status OpenKey(RegistryRoot root, std::string_view key) override { return inner_.OpenKey(root, key); }
  Status CreateKey(RegistryRoot root, std::string_view key, bool* existed) override {
    return Refuses(root, key) ? Refusal(key) : inner_.CreateKey(root, key, existed);
  }
  Status GetValue(RegistryRoot root, std::string_view key, std::string_view name,
                  RegistryValue* value) override {
    return inner_.GetValue(root, key, name, value);
  }
  Status SetValue(RegistryRoot root, std::string_view key, const RegistryValue& value,
                  bool create_key) override {
    return Refuses(root, key) ? Refusal(key) : inner_.SetValue(root, key, value, create_key);
  }
  Status DeleteValue(RegistryRoot root, std::string_view key, std::string_view name) override {
    return Refuses(root, key) ? Refusal(key) : inner_.DeleteValue(root, key, name);
  }
  Status ListSubkeys(RegistryRoot root, std::string_view key, std::vector<std::string>* names) override {
    return inner_.ListSubkeys(root, key, names);
  }
  Status ListValues(RegistryRoot root, std::string_view key, std::vector<RegistryValue>* values) override {
    return inner_.ListValues(root, key, values);
  }
  Status VisitTree(RegistryRoot root, std::string_view key, const TreeVisitor& visit) override {
    return inner_.VisitTree(root, key, visit);
  }
  Status DeleteKey(RegistryRoot root, std::string_view key) override {
    return Refuses(root, key) ? Refusal(key) : inner_.DeleteKey(root, key);
  }
  Status DeleteTree(RegistryRoot root, std::string_view key) override {
    return Refuses(root, key) ? Refusal(key) : inner_.DeleteTree(root, key);
  }
  Status CopyTree(RegistryRoot from_root, std::string_view from, RegistryRoot to_root,
                  std::string_view to) override {
    return Refuses(to_root, to) ? Refusal(to) : inner_.CopyTree(from_root, from, to_root, to);
  }
  Status MoveTree(RegistryRoot from_root, std::string_view from, RegistryRoot to_root,
                  std::string_view to) override {
    if (Refuses(from_root, from)) return Refusal(from);
    return Refuses(to_root, to) ? Refusal(to) : inner_.MoveTree(from_root, from, to_root, to);
  }
  Status Apply(const RegistryBatch& batch) override { return inner_.Apply(batch); }
  Status CheckIntegrity() override { return inner_.CheckIntegrity(); }
  bool read_only() const override { return inner_.read_only(); }

 private:
  bool Refuses(RegistryRoot root, std::string_view key) const {
    if (root != RegistryRoot::kLocalMachine) return false;
    const std::string folded = platform::AsciiLower(key);
    for (const std::string& path : refused_) {
      const std::string refused = platform::AsciiLower(path);
      if (folded == refused || folded.starts_with(refused + "\\")) return true;
    }
    return false;
  }
  static Status Refusal(std::string_view key) {
    return Status::IoError("the registry cannot be written: " + std::string(key));
  }

  Registry& inner_;
  std::vector<std::string> refused_;
};

// A target system whose registry refuses as RefusingRegistry does; the
// files and drives are the other system's own.
class RefusingSystem : public platform::target::TargetSystem {
 public:
  RefusingSystem(TargetSystem& inner, std::vector<std::string> refused)
      : inner_(inner), registry_(inner.registry(), std::move(refused)) {}

  const platform::target::SystemSettings& settings() const override { return inner_.settings(); }
  Registry& registry() override { return registry_; }
  const platform::target::DriveMap& drives() const override { return inner_.drives(); }
  const platform::target::SystemFiles& files() const override { return inner_.files(); }
  Status MoveToTrash(std::string_view windows_path) const override {
    return inner_.MoveToTrash(windows_path);
  }

 private:
  TargetSystem& inner_;
  RefusingRegistry registry_;
};

}  // namespace setup::wizard::testing
