#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::target {

// The six predefined roots. HKEY_CLASSES_ROOT is a second view of
// HKEY_LOCAL_MACHINE\Software\Classes: both names reach the same data.
enum class RegistryRoot {
  kClassesRoot,
  kCurrentUser,
  kLocalMachine,
  kUsers,
  kCurrentConfig,
  kDynData,
};

// "HKEY_CLASSES_ROOT" … "HKEY_DYN_DATA".
std::string_view RegistryRootName(RegistryRoot root);
// The root for its full name, compared exactly (upper case as written);
// with accept_short also "HKCR", "HKCU", "HKLM", "HKU", "HKCC", "HKDD".
std::optional<RegistryRoot> RegistryRootFromName(std::string_view name, bool accept_short = false);

// Value type numbers as the registry has them.
enum RegistryType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegDwordBigEndian = 5,
  kRegLink = 6,
  kRegMultiSz = 7,
  kRegQword = 11,
};

// One named value. The unnamed default value has the empty name.
// data holds: for kRegSz and kRegExpandSz the text as UTF-8 without a
// terminating NUL; for kRegMultiSz the UTF-8 texts each followed by a NUL,
// then one more NUL; for kRegDword four bytes, least significant first; for
// every other type the raw bytes exactly as written. Copy and move keep the
// bytes of every type unchanged.
struct RegistryValue {
  std::string name;
  std::uint32_t type = kRegSz;
  std::string data;

  static RegistryValue String(std::string_view name, std::string_view text);
  // A text whose %NAME% references the reader may expand.
  static RegistryValue ExpandString(std::string_view name, std::string_view text);
  static RegistryValue Dword(std::string_view name, std::uint32_t number);
  static RegistryValue Raw(std::string_view name, std::uint32_t type, std::string_view bytes);

  // The text of a kRegSz or kRegExpandSz value (unexpanded, as the
  // registry's string reads give it); nullopt for any other type.
  std::optional<std::string> AsString() const;
  // The number of a kRegDword value; nullopt for any other type.
  std::optional<std::uint32_t> AsDword() const;

  bool operator==(const RegistryValue&) const = default;
};

}  // namespace platform::target
