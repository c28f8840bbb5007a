#include "setup/core/install_paths.h"

#include <algorithm>

#include "platform/target_system/known_folder.h"
#include "setup/core/path_text.h"
#include "setup/core/registry_utils.h"

namespace setup {
namespace {

using platform::target::FileEntry;
using platform::target::RegistryRoot;

constexpr std::string_view kSetupKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
constexpr std::string_view kVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr std::string_view kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr std::string_view kProfileListKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
constexpr std::string_view kMapGroupsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups";
constexpr std::string_view kQuickLaunchBelowProfile =
    "Application Data\\Microsoft\\Internet Explorer\\Quick Launch";

std::string WindowsRoot(const TargetSystem& system) { return FirstChars(GetWindowsFolder(system), 3); }

// profile directory joined with the rest; a leading "%SystemDrive%" becomes
// the drive of the Windows folder.
std::string InProfilesDirectory(TargetSystem& system, std::string_view rest) {
  const std::string profiles =
      RegReadString(system, RegistryRoot::kLocalMachine, kProfileListKey, "ProfilesDirectory", "");
  const std::string joined = JoinPath(profiles, rest);
  constexpr std::string_view kSystemDrive = "%SystemDrive%";
  if (FirstChars(joined, kSystemDrive.size()) != kSystemDrive) return joined;
  return JoinPath(FirstChars(GetWindowsFolder(system), 2), CopyFrom(joined, kSystemDrive.size() + 1));
}

// A profile folder: a for the 95 family (below the Windows folder), b for
// NT 4 (below Profiles\user), c for Windows 2000 (below the profiles
// directory).
std::string ProfileFolder(TargetSystem& system, std::string_view user, std::string_view a, std::string_view b,
                          std::string_view c) {
  const int os_kind = GetOsKind(system);
  const std::string windows = GetWindowsFolder(system);
  if (os_kind == 200 || os_kind == 201) {
    return JoinPath(windows, "Profiles\\" + std::string(user) + "\\" + std::string(b));
  }
  if (os_kind >= 202 && os_kind <= 299) {
    return InProfilesDirectory(system, std::string(user) + "\\" + std::string(c));
  }
  return JoinPath(windows, a);
}

// The folder part of a path with its trailing separator ("C:\A\b.exe" gives
// "C:\A\"); empty when there is none.
std::string FolderPartOf(std::string_view path) {
  const std::size_t cut = std::max(LastPos("\\", path), LastPos(":", path));
  return FirstChars(path, cut);
}

bool IsExistingFile(const TargetSystem& system, std::string_view path) {
  FileEntry entry;
  return system.files().Stat(path, &entry).ok() && !entry.is_folder;
}

}  // namespace

int GetOsKind(const TargetSystem& system) { return system.os_kind(); }

std::string GetWindowsFolder(const TargetSystem& system) {
  return StripTrailing(system.windows_folder(), "\\");
}
std::string GetSystemFolder(const TargetSystem& system) {
  return StripTrailing(system.system_folder(), "\\");
}
std::string GetTempFolder(const TargetSystem& system) { return StripTrailing(system.temp_folder(), "\\"); }
std::string GetLoginUserName(const TargetSystem& system) { return system.user_name(); }

std::string GetShellFolder(TargetSystem& system, std::string_view value_name) {
  std::string folder = RegReadString(system, RegistryRoot::kLocalMachine, kSetupKey, value_name, "");
  if (folder.empty()) {
    folder = RegReadString(system, RegistryRoot::kLocalMachine, kVersionKey, value_name, "");
  }
  // The machine's shell knows where its folders are; the registry's Shell
  // Folders values are only its record of them.
  if (folder.empty()) folder = platform::target::KnownShellFolder(value_name);
  if (folder.empty()) {
    folder = StripTrailing(
        RegReadString(system, RegistryRoot::kCurrentUser, kShellFoldersKey, value_name, ""), "\\");
  }
  constexpr std::string_view kSystemRoot = "%SystemRoot%";
  if (FirstChars(folder, kSystemRoot.size()) == kSystemRoot) {
    folder = JoinPath(GetWindowsFolder(system), CopyFrom(folder, kSystemRoot.size() + 1));
  } else if (folder.empty()) {
    folder = GetDefaultShellFolder(system, value_name, GetLoginUserName(system));
  }
  if (const std::size_t semicolon = folder.find(';'); semicolon != std::string::npos) {
    folder.resize(semicolon);
  }
  return folder;
}

std::string GetDefaultShellFolder(TargetSystem& system, std::string_view value_name,
                                  std::string_view user_name) {
  const std::string windows = GetWindowsFolder(system);
  const std::string user(user_name);
  const auto profile = [&](std::string_view a, std::string_view b, std::string_view c) {
    return ProfileFolder(system, user_name, a, b, c);
  };
  if (value_name == "BootDir") return WindowsRoot(system);
  if (value_name == "ConfigPath") return JoinPath(windows, "config");
  if (value_name == "MediaPath") return JoinPath(windows, "media");
  if (value_name == "CommonFilesDir") {
    return JoinPath(GetShellFolder(system, "ProgramFilesDir"), "Common Files");
  }
  if (value_name == "DevicePath") return JoinPath(windows, "inf");
  if (value_name == "ProgramFilesDir") return WindowsRoot(system) + "Program Files";
  if (value_name == "Cache") {
    return profile("Temporary Internet Files", "Temporary Internet Files",
                   "Local Settings\\Temporary Internet Files");
  }
  if (value_name == "Desktop") return profile("ﾃﾞｽｸﾄｯﾌﾟ", "ﾃﾞｽｸﾄｯﾌﾟ", "デスクトップ");
  if (value_name == "Favorites") return profile("Favorites", "Favorites", "Favorites");
  if (value_name == "Fonts") return JoinPath(windows, "Fonts");
  if (value_name == "History") return profile("History", "History", "Local Settings\\History");
  if (value_name == "Personal") {
    const int os_kind = GetOsKind(system);
    if (os_kind == 200 || os_kind == 201) {
      return JoinPath(windows, "Profiles\\" + user + "\\Personal");
    }
    if (IsNtFamily(os_kind)) return InProfilesDirectory(system, user + "\\My Documents");
    return WindowsRoot(system) + "My Documents";
  }
  if (value_name == "Programs") {
    return profile("ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ", "ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ", "スタート メニュー\\プログラム");
  }
  if (value_name == "Recent") return profile("Recent", "Recent", "Recent");
  if (value_name == "SendTo") return profile("SendTo", "SendTo", "SendTo");
  if (value_name == "Start Menu") return profile("ｽﾀｰﾄ ﾒﾆｭｰ", "ｽﾀｰﾄ ﾒﾆｭｰ", "スタート メニュー");
  if (value_name == "Startup") {
    return profile("ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\ｽﾀｰﾄｱｯﾌﾟ", "ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\ｽﾀｰﾄｱｯﾌﾟ",
                   "スタート メニュー\\プログラム\\スタートアップ");
  }
  return {};
}

std::string GetQuickLaunchFolder(TargetSystem& system, std::string_view user_name) {
  const int os_kind = GetOsKind(system);
  const std::string windows = GetWindowsFolder(system);
  if (os_kind == 200 || os_kind == 201) {
    // The user's own group-conversion key stands in for the one fixed user
    // hive that Windows NT 4 setups looked in.
    std::string folder = RegReadString(system, RegistryRoot::kCurrentUser, kMapGroupsKey, "Quick Launch", "");
    if (folder.empty()) {
      folder = JoinPath(
          windows, "Profiles\\" + GetLoginUserName(system) + "\\" + std::string(kQuickLaunchBelowProfile));
    }
    return folder;
  }
  if (IsNtFamily(os_kind)) {
    return InProfilesDirectory(system, std::string(user_name) + "\\" + std::string(kQuickLaunchBelowProfile));
  }
  std::string folder = RegReadString(system, RegistryRoot::kUsers, ".DEFAULT\\" + std::string(kMapGroupsKey),
                                     "Quick Launch", "");
  if (folder.empty()) folder = JoinPath(windows, kQuickLaunchBelowProfile);
  return folder;
}

std::string GetBrowserBookmarkFile(TargetSystem& system, bool must_exist) {
  constexpr std::string_view kNavigatorUser = "Software\\Netscape\\Netscape Navigator\\";
  const std::string navigator(kNavigatorUser);
  std::string folder;
  const std::string profile =
      RegReadString(system, RegistryRoot::kCurrentUser, navigator + "biff", "CurrentUser", "");
  if (!profile.empty()) {
    std::string install =
        RegReadString(system, RegistryRoot::kCurrentUser, navigator + "Main", "Install Directory", "");
    if (install.empty()) {
      const std::string version =
          RegReadString(system, RegistryRoot::kLocalMachine, "SOFTWARE\\Netscape\\Netscape Navigator",
                        "CurrentVersion", "");
      if (!version.empty()) {
        install = RegReadString(system, RegistryRoot::kLocalMachine, navigator + version + "\\Main",
                                "Install Directory", "");
      }
    }
    if (!install.empty()) {
      std::string profile_folder = profile;
      std::replace(profile_folder.begin(), profile_folder.end(), '.', '_');
      folder = FolderPartOf(install) + "Users\\" + profile_folder;
    }
  }
  if (folder.empty()) {
    const std::string user =
        RegReadString(system, RegistryRoot::kLocalMachine, navigator + "Users", "CurrentUser", "");
    if (!user.empty()) {
      folder =
          RegReadString(system, RegistryRoot::kLocalMachine, navigator + "Users\\" + user, "DirRoot", "");
    }
  }
  const std::string file = !folder.empty() ? JoinPath(folder, "bookmark.htm")
                                           : RegReadString(system, RegistryRoot::kCurrentUser,
                                                           navigator + "Bookmark List", "File Location", "");
  if (must_exist && !IsExistingFile(system, file)) return {};
  return file;
}

}  // namespace setup
