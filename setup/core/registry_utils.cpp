#include "setup/core/registry_utils.h"

#include <exception>
#include <vector>

#include "setup/core/path_text.h"

namespace setup {
namespace {

using platform::target::RegistryValue;
using platform::target::Status;

// Runs one registry read, turning anything thrown into fallback.
template <typename Value, typename Operation>
Value NeverThrow(Value fallback, Operation operation) {
  try {
    return operation();
  } catch (const std::exception&) {
    return fallback;
  }
}

// Runs one registry change, turning anything thrown into a failure.
template <typename Operation>
Result Change(Operation operation) {
  try {
    return operation();
  } catch (const std::exception& e) {
    return Status::IoError(std::string("the registry failed: ") + e.what());
  }
}

Result EmptyPath(std::string_view what) {
  return Status::InvalidArgument(std::string(what) + " needs a key path");
}

// Registry paths tolerate one trailing backslash; the recursive delete adds
// its own, so it drops one first.
std::string_view WithoutTrailingBackslash(std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return path;
}

}  // namespace

std::string RegReadString(TargetSystem& system, RegistryRoot root, std::string_view key,
                          std::string_view name, std::string_view def) {
  return NeverThrow<std::string>(std::string(def), [&] {
    RegistryValue value;
    if (!system.registry().GetValue(root, key, name, &value).ok()) return std::string(def);
    return value.AsString().value_or(std::string(def));
  });
}

Result RegWriteString(TargetSystem& system, RegistryRoot root, std::string_view key,
                      std::string_view name, std::string_view text) {
  return Change([&] { return system.registry().SetValue(root, key, RegistryValue::String(name, text)); });
}

std::int32_t RegReadInteger(TargetSystem& system, RegistryRoot root, std::string_view key,
                            std::string_view name, std::int32_t def) {
  return NeverThrow(def, [&] {
    RegistryValue value;
    if (!system.registry().GetValue(root, key, name, &value).ok()) return def;
    const auto number = value.AsDword();
    return number ? static_cast<std::int32_t>(*number) : def;
  });
}

Result RegWriteInteger(TargetSystem& system, RegistryRoot root, std::string_view key,
                       std::string_view name, std::int32_t number) {
  return Change([&] {
    const auto bits = static_cast<std::uint32_t>(number);
    return system.registry().SetValue(root, key, RegistryValue::Dword(name, bits));
  });
}

bool RegKeyExists(TargetSystem& system, RegistryRoot root, std::string_view full_path) {
  if (full_path.empty() || full_path == "\\") return false;
  return NeverThrow(false, [&] { return system.registry().OpenKey(root, full_path).ok(); });
}

Result RegMoveKey(TargetSystem& system, RegistryRoot root, std::string_view old_path,
                  std::string_view new_path) {
  if (old_path.empty() || new_path.empty()) return EmptyPath("moving a key");
  return Change([&] { return system.registry().MoveTree(root, old_path, root, new_path); });
}

Result RegDeleteValue(TargetSystem& system, RegistryRoot root, std::string_view key,
                      std::string_view name) {
  return Change([&] {
    const Status status = system.registry().DeleteValue(root, key, name);
    return status.IsNotFound() ? Status::Ok() : status;
  });
}

Result RegDeleteKey(TargetSystem& system, RegistryRoot root, std::string_view full_path) {
  full_path = WithoutTrailingBackslash(full_path);
  if (full_path.empty()) return EmptyPath("deleting a key");
  return Change([&] {
    const Status status = system.registry().DeleteKey(root, full_path);
    return status.IsNotFound() ? Status::Ok() : status;
  });
}

Result RegDeleteTree(TargetSystem& system, RegistryRoot root, std::string_view full_path) {
  full_path = WithoutTrailingBackslash(full_path);
  if (full_path.empty()) return EmptyPath("deleting a key tree");
  return Change([&]() -> Result {
    std::vector<std::string> subkeys;
    if (system.registry().ListSubkeys(root, full_path, &subkeys).ok()) {
      for (const std::string& subkey : subkeys) {
        // The first subkey that stays ends the descent; the key itself is
        // still tried, and its failure (subkeys remain) is the result.
        if (!RegDeleteTree(system, root, std::string(full_path) + "\\" + subkey)) break;
      }
    }
    return RegDeleteKey(system, root, full_path);
  });
}

void RegDeleteEmptyKeys(TargetSystem& system, RegistryRoot root, std::string_view full_path) {
  std::string path(WithoutTrailingBackslash(full_path));
  NeverThrow(0, [&] {
    auto& registry = system.registry();
    while (!path.empty()) {
      const Status exists = registry.OpenKey(root, path);
      if (exists.ok()) {
        std::vector<std::string> subkeys;
        std::vector<RegistryValue> values;
        if (!registry.ListSubkeys(root, path, &subkeys).ok() ||
            !registry.ListValues(root, path, &values).ok()) {
          return 0;  // cannot be inspected: counts as not empty
        }
        if (!subkeys.empty() || !values.empty()) return 0;
        if (!registry.DeleteKey(root, path).ok()) return 0;
      } else if (!exists.IsNotFound()) {
        return 0;
      }
      const std::size_t last = LastPos("\\", path);
      if (last == 0) return 0;  // the parent is the root
      path = FirstChars(path, last - 1);
    }
    return 0;
  });
}

}  // namespace setup
