#include "setup/wizard/model/start_checks.h"

namespace setup::wizard {

using platform::target::DriveType;

bool PassesCdCheck(std::string_view cd_check, DriveType type) {
  if (cd_check != "1" && cd_check != "2") return true;
  switch (type) {
    case DriveType::kUnknown:
    case DriveType::kNoRootDir:
    case DriveType::kCdRom: return true;
    case DriveType::kRemote: return cd_check == "1";
    default: return false;
  }
}

bool OsCheckApplies(std::string_view os_check) {
  return !os_check.empty() && (os_check[0] == '1' || os_check[0] == '2');
}

namespace {

// The character of OSCheck (1-based) that allows the system.
std::size_t OsPosition(int os_kind) {
  switch (os_kind) {
    case 101: return 2;  // Windows 95
    case 102: return 3;  // Windows 98
    case 103: return 4;  // Windows ME
    case 201: return 5;  // Windows NT 4
    case 202: return 6;  // Windows 2000
    default: return 7;   // any other
  }
}

bool IsOne(std::string_view text, std::size_t position) {
  return position <= text.size() && text[position - 1] == '1';
}

}  // namespace

bool OsAllowed(std::string_view os_check, int os_kind) { return IsOne(os_check, OsPosition(os_kind)); }

std::string AllowedOsList(std::string_view os_check) {
  static constexpr const char* kNames[] = {"「Windows 95」", "「Windows 98」", "「Windows ME」",
                                           "「Windows NT」", "「Windows 2000」"};
  std::string list;
  for (std::size_t i = 0; i < std::size(kNames); ++i) {
    if (IsOne(os_check, i + 2)) list += kNames[i];
  }
  return list;
}

std::string OsCheckText(std::string_view os_check) {
  const std::string list = AllowedOsList(os_check);
  if (!os_check.empty() && os_check[0] == '2') {
    return "この製品は以下のOS以外では正しく動作しません。インストールを中止します。\n" + list;
  }
  return "この製品は以下のOS以外では正しく動作しない可能性があります。インストールを続けますか？\n" + list;
}

}  // namespace setup::wizard
