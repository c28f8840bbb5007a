#include "platform/target_system/fresh_layout.h"

#include <algorithm>

#include "platform/target_system/registry_batch.h"

namespace platform::target {
namespace {

constexpr const char* kProfilesKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
constexpr const char* kProfilesDirectory = "%SystemDrive%\\Documents and Settings";
constexpr const char* kNtVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kQuickLaunch = "Application Data\\Microsoft\\Internet Explorer\\Quick Launch";

// Folder names of the three layouts: 9x (half-width katakana, in the Windows
// folder), NT 4 (the same names under Profiles) and 2000 (full-width).
struct ShellNames {
  const char* nine_x;
  const char* nt4;
  const char* w2000;
};
constexpr ShellNames kDesktop{"ﾃﾞｽｸﾄｯﾌﾟ", "ﾃﾞｽｸﾄｯﾌﾟ", "デスクトップ"};
constexpr ShellNames kStartMenu{"ｽﾀｰﾄ ﾒﾆｭｰ", "ｽﾀｰﾄ ﾒﾆｭｰ", "スタート メニュー"};
constexpr ShellNames kPrograms{"ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ", "ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ", "スタート メニュー\\プログラム"};
constexpr ShellNames kStartup{"ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\ｽﾀｰﾄｱｯﾌﾟ", "ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\ｽﾀｰﾄｱｯﾌﾟ",
                              "スタート メニュー\\プログラム\\スタートアップ"};
constexpr ShellNames kSendTo{"SendTo", "SendTo", "SendTo"};
constexpr ShellNames kFavorites{"Favorites", "Favorites", "Favorites"};

std::string Join(const std::string& folder, const std::string& rest) {
  if (rest.empty()) return folder;
  return folder.ends_with('\\') ? folder + rest : folder + "\\" + rest;
}

class Layout {
 public:
  explicit Layout(const SystemSettings& settings)
      : kind_(settings.os_kind),
        windows_(settings.windows_folder),
        root_(windows_.substr(0, 3)),
        profiles_(windows_.substr(0, 2) + "\\Documents and Settings") {}

  bool IsNt4() const { return kind_ == 200 || kind_ == 201; }
  bool Is2000() const { return kind_ >= 202 && kind_ <= 299; }

  std::string Profile(const ShellNames& names, const std::string& user) const {
    if (IsNt4()) return Join(windows_, "Profiles\\" + user + "\\" + names.nt4);
    if (Is2000()) return Join(profiles_, user + "\\" + names.w2000);
    return Join(windows_, names.nine_x);
  }

  std::string Personal(const std::string& user) const {
    if (IsNt4()) return Join(windows_, "Profiles\\" + user + "\\Personal");
    if (Is2000()) return Join(profiles_, user + "\\My Documents");
    return root_ + "My Documents";
  }

  std::string QuickLaunch(const std::string& user) const {
    if (IsNt4()) return Join(windows_, "Profiles\\" + user + "\\" + kQuickLaunch);
    if (Is2000()) return Join(profiles_, user + "\\" + kQuickLaunch);
    return Join(windows_, kQuickLaunch);
  }

  const std::string& root() const { return root_; }

 private:
  int kind_;
  std::string windows_;
  std::string root_;
  std::string profiles_;
};

}  // namespace

std::vector<std::string> FreshInstallFolders(const SystemSettings& settings) {
  const Layout layout(settings);
  std::vector<std::string> folders = {
      settings.windows_folder,         Join(settings.windows_folder, "Fonts"),
      settings.system_folder,          settings.temp_folder,
      layout.root() + "Program Files", layout.root() + "Program Files\\Common Files",
  };
  for (const std::string& user : {settings.user_name, std::string("All Users")}) {
    for (const ShellNames* names : {&kDesktop, &kStartMenu, &kPrograms, &kStartup}) {
      folders.push_back(layout.Profile(*names, user));
    }
  }
  folders.push_back(layout.Profile(kSendTo, settings.user_name));
  folders.push_back(layout.Profile(kFavorites, settings.user_name));
  folders.push_back(layout.QuickLaunch(settings.user_name));
  folders.push_back(layout.Personal(settings.user_name));
  // The 9x family has one set of folders for everybody: drop repeats.
  std::vector<std::string> unique;
  for (std::string& folder : folders) {
    if (std::find(unique.begin(), unique.end(), folder) == unique.end()) unique.push_back(std::move(folder));
  }
  return unique;
}

Status SeedFreshRegistry(Registry& registry, const SystemSettings& settings) {
  RegistryBatch batch;
  const char* version_key = kVersionKey;
  batch.CreateKey(RegistryRoot::kLocalMachine, kVersionKey);
  if (IsNtFamily(settings.os_kind)) {
    batch.SetValue(RegistryRoot::kLocalMachine, kProfilesKey,
                   RegistryValue::ExpandString("ProfilesDirectory", kProfilesDirectory));
    version_key = kNtVersionKey;
  }
  batch.SetValue(RegistryRoot::kLocalMachine, version_key,
                 RegistryValue::String("RegisteredOwner", settings.user_name));
  batch.SetValue(RegistryRoot::kLocalMachine, version_key,
                 RegistryValue::String("RegisteredOrganization", ""));
  batch.CreateKey(RegistryRoot::kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion");
  return registry.Apply(batch);
}

}  // namespace platform::target
