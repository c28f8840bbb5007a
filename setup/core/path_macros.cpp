#include "setup/core/path_macros.h"

#include <array>
#include <optional>

#include "setup/core/install_paths.h"
#include "setup/core/path_text.h"

namespace setup {
namespace {

// The folder a folder macro token stands for; nullopt for any other token.
// Only the matching token's folder is looked up.
std::optional<std::string> FolderOfMacro(TargetSystem& system, std::string_view token,
                                         std::string_view install_folder) {
  struct ShellMacro {
    std::string_view token;
    std::string_view value_name;
  };
  static constexpr std::array<ShellMacro, 7> kShellMacros = {{
      {"<Program>", "ProgramFilesDir"},
      {"<Common>", "CommonFilesDir"},
      {"<Media>", "MediaPath"},
      {"<Font>", "Fonts"},
      {"<Config>", "ConfigPath"},
      {"<Device>", "DevicePath"},
      {"<Document>", "Personal"},
  }};
  if (token == "<Setup>") return std::string(install_folder);
  if (token == "<Windows>") return GetWindowsFolder(system);
  if (token == "<System>") return GetSystemFolder(system);
  if (token == "<Boot>") return GetShellFolder(system, "BootDir");
  for (const ShellMacro& macro : kShellMacros) {
    if (token == macro.token) return GetShellFolder(system, macro.value_name);
  }
  return std::nullopt;
}

// Macros in the order they are tried at the start of a path.
constexpr std::array<std::string_view, 11> kFolderMacros = {"<Setup>",  "<Program>",  "<Common>", "<Windows>",
                                                            "<System>", "<Media>",    "<Font>",   "<Config>",
                                                            "<Device>", "<Document>", "<Boot>"};

constexpr std::array<std::string_view, 7> kShortcutMacros = {
    "<SSetup>", "<SProgram>", "<Start>", "<Startup>", "<Desktop>", "<Sendto>", "<Quick>"};

// The folder of a shortcut macro. The all-users folders are always computed,
// never read from the registry.
std::string ShortcutFolderOfMacro(TargetSystem& system, std::string_view macro, std::string_view group_name,
                                  bool all_users) {
  const auto user_or_all = [&](std::string_view value_name) {
    return all_users ? GetDefaultShellFolder(system, value_name, kAllUsers)
                     : GetShellFolder(system, value_name);
  };
  if (macro == "<SSetup>") return JoinPath(user_or_all("Programs"), group_name);
  if (macro == "<SProgram>") return user_or_all("Programs");
  if (macro == "<Start>") return user_or_all("Start Menu");
  if (macro == "<Startup>") return user_or_all("Startup");
  if (macro == "<Desktop>") return user_or_all("Desktop");
  if (macro == "<Sendto>") return GetShellFolder(system, "SendTo");
  return GetQuickLaunchFolder(system, GetLoginUserName(system));
}

bool EndsTokenWithoutSeparator(char next) {
  return next == '\\' || next == '"' || static_cast<unsigned char>(next) <= 0x20;
}

}  // namespace

std::string ExpandPathMacro(TargetSystem& system, std::string_view path, std::string_view install_folder) {
  for (std::string_view macro : kFolderMacros) {
    if (!path.starts_with(macro)) continue;
    const std::string folder = *FolderOfMacro(system, macro, install_folder);
    const std::string_view rest = path.substr(macro.size());
    // An empty folder still gives a rooted path: "<Setup>" alone with no
    // install folder is "\".
    if (folder.empty()) return "\\" + StripLeading(rest, "\\");
    return JoinPath(folder, rest);
  }
  return std::string(path);
}

std::string ExpandMacrosInText(TargetSystem& system, std::string_view text, std::string_view install_folder) {
  std::string out;
  while (true) {
    const std::size_t open = text.find('<');
    if (open == std::string_view::npos) {
      out += text;
      return out;
    }
    out += text.substr(0, open);
    text.remove_prefix(open);
    const std::size_t close = text.find('>');
    if (close == std::string_view::npos) {
      out += text;
      return out;
    }
    const std::string_view token = text.substr(0, close + 1);
    text.remove_prefix(close + 1);
    out += FolderOfMacro(system, token, install_folder).value_or(std::string(token));
    if (!text.empty() && !EndsTokenWithoutSeparator(text.front())) out += '\\';
  }
}

std::string ExpandShortcutMacro(TargetSystem& system, std::string_view path, std::string_view group_name,
                                bool all_users) {
  for (std::string_view macro : kShortcutMacros) {
    if (!path.starts_with(macro)) continue;
    const std::string folder = ShortcutFolderOfMacro(system, macro, group_name, all_users);
    return JoinPath(folder, path.substr(macro.size()));
  }
  return std::string(path);
}

}  // namespace setup
