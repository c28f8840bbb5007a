#include "setup/core/registry_utils.h"

#include <vector>

#include "setup/core/path_text.h"

namespace setup {
namespace {

using platform::target::RegistryValue;

Status EmptyPath(std::string_view what) {
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
  RegistryValue value;
  if (!system.registry().GetValue(root, key, name, &value).ok()) return std::string(def);
  return value.AsString().value_or(std::string(def));
}

Status RegWriteString(TargetSystem& system, RegistryRoot root, std::string_view key, std::string_view name,
                      std::string_view text) {
  return system.registry().SetValue(root, key, RegistryValue::String(name, text));
}

std::int32_t RegReadInteger(TargetSystem& system, RegistryRoot root, std::string_view key,
                            std::string_view name, std::int32_t def) {
  RegistryValue value;
  if (!system.registry().GetValue(root, key, name, &value).ok()) return def;
  const auto number = value.AsDword();
  return number ? static_cast<std::int32_t>(*number) : def;
}

Status RegWriteInteger(TargetSystem& system, RegistryRoot root, std::string_view key, std::string_view name,
                       std::int32_t number) {
  const auto bits = static_cast<std::uint32_t>(number);
  return system.registry().SetValue(root, key, RegistryValue::Dword(name, bits));
}

bool RegKeyExists(TargetSystem& system, RegistryRoot root, std::string_view full_path) {
  if (full_path.empty() || full_path == "\\") return false;
  return system.registry().OpenKey(root, full_path).ok();
}

Status RegMoveKey(TargetSystem& system, RegistryRoot root, std::string_view old_path,
                  std::string_view new_path) {
  if (old_path.empty() || new_path.empty()) return EmptyPath("moving a key");
  return system.registry().MoveTree(root, old_path, root, new_path);
}

Status RegDeleteValue(TargetSystem& system, RegistryRoot root, std::string_view key, std::string_view name) {
  const Status status = system.registry().DeleteValue(root, key, name);
  return status.IsNotFound() ? Status::Ok() : status;
}

Status RegDeleteKey(TargetSystem& system, RegistryRoot root, std::string_view full_path) {
  full_path = WithoutTrailingBackslash(full_path);
  if (full_path.empty()) return EmptyPath("deleting a key");
  const Status status = system.registry().DeleteKey(root, full_path);
  return status.IsNotFound() ? Status::Ok() : status;
}

Status RegDeleteTree(TargetSystem& system, RegistryRoot root, std::string_view full_path) {
  full_path = WithoutTrailingBackslash(full_path);
  if (full_path.empty()) return EmptyPath("deleting a key tree");
  std::vector<std::string> subkeys;
  if (system.registry().ListSubkeys(root, full_path, &subkeys).ok()) {
    for (const std::string& subkey : subkeys) {
      // The first subkey that stays ends the descent; the key itself is
      // still tried, and its failure (subkeys remain) is the result.
      if (!RegDeleteTree(system, root, std::string(full_path) + "\\" + subkey).ok()) break;
    }
  }
  return RegDeleteKey(system, root, full_path);
}

void RegDeleteEmptyKeys(TargetSystem& system, RegistryRoot root, std::string_view full_path) {
  std::string path(WithoutTrailingBackslash(full_path));
  auto& registry = system.registry();
  while (!path.empty()) {
    const Status exists = registry.OpenKey(root, path);
    if (exists.ok()) {
      std::vector<std::string> subkeys;
      std::vector<RegistryValue> values;
      if (!registry.ListSubkeys(root, path, &subkeys).ok() ||
          !registry.ListValues(root, path, &values).ok()) {
        return;  // cannot be inspected: counts as not empty
      }
      if (!subkeys.empty() || !values.empty()) return;
      if (!registry.DeleteKey(root, path).ok()) return;
    } else if (!exists.IsNotFound()) {
      return;
    }
    const std::size_t last = LastPos("\\", path);
    if (last == 0) return;  // the parent is the root
    path = FirstChars(path, last - 1);
  }
}

}  // namespace setup
