#include "platform/target_system/registry_value.h"

#include <array>

namespace platform::target {
namespace {

struct RootNames {
  RegistryRoot root;
  std::string_view full;
  std::string_view brief;
};

constexpr std::array<RootNames, 6> kRoots = {{
    {RegistryRoot::kClassesRoot, "HKEY_CLASSES_ROOT", "HKCR"},
    {RegistryRoot::kCurrentUser, "HKEY_CURRENT_USER", "HKCU"},
    {RegistryRoot::kLocalMachine, "HKEY_LOCAL_MACHINE", "HKLM"},
    {RegistryRoot::kUsers, "HKEY_USERS", "HKU"},
    {RegistryRoot::kCurrentConfig, "HKEY_CURRENT_CONFIG", "HKCC"},
    {RegistryRoot::kDynData, "HKEY_DYN_DATA", "HKDD"},
}};

}  // namespace

std::string_view RegistryRootName(RegistryRoot root) {
  for (const RootNames& r : kRoots) {
    if (r.root == root) return r.full;
  }
  return {};
}

std::optional<RegistryRoot> RegistryRootFromName(std::string_view name, bool accept_short) {
  for (const RootNames& r : kRoots) {
    if (name == r.full || (accept_short && name == r.brief)) return r.root;
  }
  return std::nullopt;
}

RegistryValue RegistryValue::String(std::string_view name, std::string_view text) {
  return RegistryValue{std::string(name), kRegSz, std::string(text)};
}

RegistryValue RegistryValue::ExpandString(std::string_view name, std::string_view text) {
  return RegistryValue{std::string(name), kRegExpandSz, std::string(text)};
}

RegistryValue RegistryValue::Dword(std::string_view name, std::uint32_t number) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
  return RegistryValue{std::string(name), kRegDword, std::move(bytes)};
}

RegistryValue RegistryValue::Raw(std::string_view name, std::uint32_t type, std::string_view bytes) {
  return RegistryValue{std::string(name), type, std::string(bytes)};
}

std::optional<std::string> RegistryValue::AsString() const {
  if (type != kRegSz && type != kRegExpandSz) return std::nullopt;
  return data;
}

std::optional<std::uint32_t> RegistryValue::AsDword() const {
  if (type != kRegDword || data.size() != 4) return std::nullopt;
  std::uint32_t number = 0;
  for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(data[i]);
  return number;
}

}  // namespace platform::target
