#include "setup/core/kestro_system/kestro_system_cli.h"

#include <array>
#include <exception>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/atomic_file.h"
#include "platform/target_system/folder_system.h"
#include "platform/target_system/registry_text.h"
#include "platform/target_system/system_location.h"
#include "setup/core/install_paths.h"
#include "setup/core/path_macros.h"
#include "setup/core/script_values.h"

namespace setup {
namespace {

using platform::target::FolderSystem;
using platform::target::RegistryRoot;
using platform::target::Status;
using platform::target::TargetSystem;

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

constexpr std::string_view kUsageText =
    "usage: kestro-system [--system DIR] COMMAND ...\n"
    "\n"
    "A target system is a folder that plays one Windows machine for the installer:\n"
    "its settings, its registry and the folders of its drives. DIR defaults to\n"
    "$KESTRO_SYSTEM, then $XDG_DATA_HOME/kestro/system.\n"
    "\n"
    "commands:\n"
    "  init [--os-kind N] [--user NAME] [--windows WINPATH] [--map L=TYPE,FOLDER]...\n"
    "                          create a system (OsKind 202, the host user, C:\\WINDOWS);\n"
    "                          it has drive C only unless --map adds a drive\n"
    "  map LETTER TYPE FOLDER  map a host folder as a drive; TYPE is fixed, removable,\n"
    "                          cdrom, remote or ramdisk. The installer may then read,\n"
    "                          write and delete everything below FOLDER\n"
    "  unmap LETTER            remove a mapped drive (its folder stays)\n"
    "  info                    settings, drives and the folders the installer uses\n"
    "  reg export [KEY [FILE]] print a key (e.g. HKEY_LOCAL_MACHINE\\Software\\X), or\n"
    "                          the whole registry, as registry editor text; with FILE\n"
    "                          write the key to a .reg file as the registry editor\n"
    "                          writes it (UTF-16LE with a byte-order mark)\n"
    "  reg import FILE         apply a registry editor file; a malformed file is\n"
    "                          refused whole with the line named\n"
    "  expand path|shortcut|text TEXT [--install-folder WINPATH] [--group NAME]\n"
    "                          [--all-users]\n"
    "                          print what the installer's macro expansion gives\n"
    "  hostpath WINPATH        print the host path behind a Windows path\n"
    "  --help                  this text\n";

// The arguments of one command: options with values, flags and the rest.
struct CommandArgs {
  std::vector<std::string> positional;
  std::vector<std::pair<std::string, std::string>> options;
  std::vector<std::string> flags;

  std::optional<std::string> Option(std::string_view name) const {
    for (const auto& [key, value] : options) {
      if (key == name) return value;
    }
    return std::nullopt;
  }
  bool Flag(std::string_view name) const {
    for (const std::string& flag : flags) {
      if (flag == name) return true;
    }
    return false;
  }
};

class Tool {
 public:
  Tool(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  int Run(const std::vector<std::string>& args);

 private:
  // Splits args into options (taking values for value_options), flags and
  // positional arguments. False (after a message) on an unknown option.
  bool ParseArgs(const std::vector<std::string>& args, std::size_t first,
                 std::initializer_list<std::string_view> value_options,
                 std::initializer_list<std::string_view> flag_options, CommandArgs* parsed);

  int Fail(std::string_view message) {
    err_ << "kestro-system: " << message << "\n";
    return kFailure;
  }
  int Usage(std::string_view message) {
    err_ << "kestro-system: " << message << "\n(see kestro-system --help)\n";
    return kUsage;
  }
  std::unique_ptr<FolderSystem> OpenSystem();

  int Init(const std::vector<std::string>& args, std::size_t first);
  int Map(const std::vector<std::string>& args, std::size_t first);
  int Unmap(const std::vector<std::string>& args, std::size_t first);
  int Info(const std::vector<std::string>& args, std::size_t first);
  int Reg(const std::vector<std::string>& args, std::size_t first);
  int RegExport(TargetSystem& system, const CommandArgs& parsed);
  int RegImport(TargetSystem& system, const CommandArgs& parsed);
  int Expand(const std::vector<std::string>& args, std::size_t first);
  int HostPath(const std::vector<std::string>& args, std::size_t first);

  std::ostream& out_;
  std::ostream& err_;
  std::string system_option_;
};

bool Tool::ParseArgs(const std::vector<std::string>& args, std::size_t first,
                     std::initializer_list<std::string_view> value_options,
                     std::initializer_list<std::string_view> flag_options, CommandArgs* parsed) {
  const auto listed = [](std::initializer_list<std::string_view> names, std::string_view name) {
    for (std::string_view listed_name : names) {
      if (listed_name == name) return true;
    }
    return false;
  };
  for (std::size_t i = first; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || !arg.starts_with("--")) {
      parsed->positional.push_back(arg);
    } else if (listed(value_options, arg)) {
      if (i + 1 >= args.size()) {
        Usage(arg + " needs a value");
        return false;
      }
      parsed->options.emplace_back(arg, args[++i]);
    } else if (listed(flag_options, arg)) {
      parsed->flags.push_back(arg);
    } else {
      Usage("unknown option " + arg);
      return false;
    }
  }
  return true;
}

std::unique_ptr<FolderSystem> Tool::OpenSystem() {
  const auto folder = platform::target::ResolveSystemFolder(system_option_);
  std::unique_ptr<FolderSystem> system;
  const Status status = FolderSystem::Open(folder, &system);
  if (status.IsNotFound()) {
    Fail("no target system in " + folder.string() + " (create one with: kestro-system --system " +
         folder.string() + " init)");
    return nullptr;
  }
  if (!status.ok()) {
    Fail("cannot open the target system in " + folder.string() + ": " + status.ToString());
    return nullptr;
  }
  return system;
}

int Tool::Run(const std::vector<std::string>& args) {
  std::size_t i = 0;
  while (i < args.size() && args[i].starts_with("--")) {
    if (args[i] == "--help") {
      out_ << kUsageText;
      return kSuccess;
    }
    if (args[i] != "--system") return Usage("unknown option " + args[i]);
    if (i + 1 >= args.size()) return Usage("--system needs a folder");
    system_option_ = args[i + 1];
    i += 2;
  }
  if (i >= args.size()) return Usage("no command given");
  const std::string& command = args[i];
  if (command == "help" || command == "-h") {
    out_ << kUsageText;
    return kSuccess;
  }
  if (command == "init") return Init(args, i + 1);
  if (command == "map") return Map(args, i + 1);
  if (command == "unmap") return Unmap(args, i + 1);
  if (command == "info") return Info(args, i + 1);
  if (command == "reg") return Reg(args, i + 1);
  if (command == "expand") return Expand(args, i + 1);
  if (command == "hostpath") return HostPath(args, i + 1);
  return Usage("unknown command " + command);
}

int Tool::Init(const std::vector<std::string>& args, std::size_t first) {
  CommandArgs parsed;
  if (!ParseArgs(args, first, {"--os-kind", "--user", "--windows", "--map"}, {}, &parsed)) return kUsage;
  if (!parsed.positional.empty()) return Usage("init takes no argument " + parsed.positional[0]);
  platform::target::InitOptions options;
  if (const auto os_kind = parsed.Option("--os-kind")) {
    const auto number = ParseInteger(*os_kind);
    if (!number || *number < 0) return Usage("--os-kind needs a number such as 102 or 202");
    options.os_kind = *number;
  }
  options.user_name = parsed.Option("--user").value_or("");
  options.windows_folder = parsed.Option("--windows").value_or("");
  for (const auto& [name, value] : parsed.options) {
    if (name != "--map") continue;
    // L=TYPE,FOLDER, the form of the settings file's [Drives] lines.
    const std::size_t equals = value.find('=');
    const std::size_t comma = value.find(',');
    if (equals != 1 || comma == std::string::npos || comma < equals) {
      return Usage("--map needs LETTER=TYPE,FOLDER, e.g. D=cdrom,/srv/package");
    }
    const auto type = platform::target::DriveTypeFromName(value.substr(2, comma - 2));
    if (!type) return Usage("unknown drive type in " + value + " (fixed, removable, cdrom, remote, ramdisk)");
    options.mapped_drives.push_back(platform::target::Drive{value[0], value.substr(comma + 1), *type});
  }
  const auto folder = platform::target::ResolveSystemFolder(system_option_);
  std::unique_ptr<FolderSystem> system;
  const Status status = FolderSystem::Create(folder, options, &system);
  if (!status.ok())
    return Fail("cannot create a target system in " + folder.string() + ": " + status.ToString());
  out_ << "created a target system in " << folder.string() << " (OsKind " << system->os_kind() << ", user "
       << system->user_name() << ", Windows folder " << system->windows_folder() << ")\n";
  return kSuccess;
}

int Tool::Map(const std::vector<std::string>& args, std::size_t first) {
  CommandArgs parsed;
  if (!ParseArgs(args, first, {}, {}, &parsed)) return kUsage;
  if (parsed.positional.size() != 3 || parsed.positional[0].size() != 1) {
    return Usage("map needs a drive letter, a drive type and a host folder");
  }
  const auto type = platform::target::DriveTypeFromName(parsed.positional[1]);
  if (!type)
    return Usage("unknown drive type " + parsed.positional[1] +
                 " (fixed, removable, cdrom, remote, ramdisk)");
  auto system = OpenSystem();
  if (!system) return kFailure;
  const platform::target::Drive drive{parsed.positional[0][0], parsed.positional[2], *type};
  const Status status = system->MapDrive(drive);
  if (!status.ok()) return Fail("cannot map drive " + parsed.positional[0] + ": " + status.ToString());
  const auto* mapped = system->drives().FindDrive(drive.letter);
  out_ << "mapped " << mapped->letter << ": (" << platform::target::DriveTypeName(mapped->type) << ") to "
       << mapped->host_folder.string() << "; the installer may change everything below it\n";
  return kSuccess;
}

int Tool::Unmap(const std::vector<std::string>& args, std::size_t first) {
  CommandArgs parsed;
  if (!ParseArgs(args, first, {}, {}, &parsed)) return kUsage;
  if (parsed.positional.size() != 1 || parsed.positional[0].size() != 1) {
    return Usage("unmap needs one drive letter");
  }
  auto system = OpenSystem();
  if (!system) return kFailure;
  const Status status = system->UnmapDrive(parsed.positional[0][0]);
  if (!status.ok()) return Fail("cannot unmap drive " + parsed.positional[0] + ": " + status.ToString());
  out_ << "unmapped " << parsed.positional[0] << ":\n";
  return kSuccess;
}

int Tool::Info(const std::vector<std::string>& args, std::size_t first) {
  CommandArgs parsed;
  if (!ParseArgs(args, first, {}, {}, &parsed)) return kUsage;
  if (!parsed.positional.empty()) return Usage("info takes no argument " + parsed.positional[0]);
  auto system = OpenSystem();
  if (!system) return kFailure;
  FolderSystem& s = *system;
  out_ << "system: " << s.folder().string() << "\n"
       << "OsKind: " << GetOsKind(s) << "\n"
       << "user: " << GetLoginUserName(s) << "\n"
       << "Windows folder: " << GetWindowsFolder(s) << "\n"
       << "system folder: " << GetSystemFolder(s) << "\n"
       << "temporary folder: " << GetTempFolder(s) << "\n";
  for (const auto& drive : s.drives().drives()) {
    out_ << "drive " << drive.letter << ": " << platform::target::DriveTypeName(drive.type) << " "
         << drive.host_folder.string() << "\n";
  }
  if (s.drives().drives().size() == 1) out_ << "host folders mapped: none\n";
  if (s.registry().read_only()) out_ << "registry: read-only\n";
  out_ << "shell folders:\n";
  static constexpr std::array<std::string_view, 14> kShellFolders = {
      "ProgramFilesDir", "CommonFilesDir", "MediaPath",  "Fonts",   "ConfigPath", "DevicePath", "Personal",
      "BootDir",         "Programs",       "Start Menu", "Startup", "Desktop",    "SendTo",     "Favorites"};
  for (std::string_view name : kShellFolders) {
    out_ << "  " << name << ": " << GetShellFolder(s, name) << "\n";
  }
  out_ << "  Quick Launch: " << GetQuickLaunchFolder(s, GetLoginUserName(s)) << "\n";
  for (std::string_view name : {"Programs", "Start Menu", "Startup", "Desktop"}) {
    out_ << "  All Users " << name << ": " << GetDefaultShellFolder(s, name, kAllUsers) << "\n";
  }
  return kSuccess;
}

int Tool::Reg(const std::vector<std::string>& args, std::size_t first) {
  CommandArgs parsed;
  if (!ParseArgs(args, first, {}, {}, &parsed)) return kUsage;
  if (parsed.positional.empty()) return Usage("reg needs export or import");
  const std::string action = parsed.positional[0];
  parsed.positional.erase(parsed.positional.begin());
  if (action != "export" && action != "import") return Usage("unknown reg command " + action);
  auto system = OpenSystem();
  if (!system) return kFailure;
  return action == "export" ? RegExport(*system, parsed) : RegImport(*system, parsed);
}

int Tool::RegExport(TargetSystem& system, const CommandArgs& parsed) {
  if (parsed.positional.size() > 2) return Usage("reg export takes a key and a file at most");
  if (parsed.positional.empty()) {
    // Every root but HKEY_CLASSES_ROOT, which is a view of
    // HKEY_LOCAL_MACHINE\Software\Classes and would appear twice.
    std::string all;
    for (RegistryRoot root : {RegistryRoot::kLocalMachine, RegistryRoot::kCurrentUser, RegistryRoot::kUsers,
                              RegistryRoot::kCurrentConfig, RegistryRoot::kDynData}) {
      std::string text;
      const Status status = platform::target::ExportRegistryText(system.registry(), root, "", &text);
      if (!status.ok()) return Fail("cannot export the registry: " + status.ToString());
      // Each export begins with the header and a blank line; keep the first.
      if (!all.empty()) text.erase(0, text.find("\r\n\r\n") + 4);
      all += text;
    }
    out_ << all;
    return kSuccess;
  }
  const std::string& key_text = parsed.positional[0];
  const std::size_t backslash = key_text.find('\\');
  const auto root =
      platform::target::RegistryRootFromName(key_text.substr(0, backslash), /*accept_short=*/true);
  if (!root) return Fail("unknown registry root in " + key_text);
  const std::string key = backslash == std::string::npos ? "" : key_text.substr(backslash + 1);
  std::string text;
  const Status status = platform::target::ExportRegistryText(system.registry(), *root, key, &text);
  if (status.IsNotFound()) return Fail("no such key: " + key_text);
  if (!status.ok()) return Fail("cannot export " + key_text + ": " + status.ToString());
  if (parsed.positional.size() == 2) {
    const std::string& file = parsed.positional[1];
    const Status written = platform::WriteFileAtomically(file, platform::target::RegistryFileBytes(text));
    if (!written.ok()) return Fail("cannot write " + file + ": " + written.message());
    out_ << "exported " << key_text << " to " << file << "\n";
    return kSuccess;
  }
  out_ << text;
  return kSuccess;
}

int Tool::RegImport(TargetSystem& system, const CommandArgs& parsed) {
  if (parsed.positional.size() != 1) return Usage("reg import needs one file");
  const std::string& file = parsed.positional[0];
  std::string bytes;
  if (const Status read = platform::ReadWholeFile(file, bytes); !read.ok()) {
    return Fail("cannot read " + file + ": " + read.message());
  }
  const Status status = platform::target::ImportRegistryText(system.registry(), bytes);
  if (!status.ok()) return Fail(file + ": " + status.message() + " (nothing was imported)");
  out_ << "imported " << file << "\n";
  return kSuccess;
}

int Tool::Expand(const std::vector<std::string>& args, std::size_t first) {
  CommandArgs parsed;
  if (!ParseArgs(args, first, {"--install-folder", "--group"}, {"--all-users"}, &parsed)) {
    return kUsage;
  }
  if (parsed.positional.size() != 2) return Usage("expand needs a kind (path, shortcut, text) and a text");
  const std::string& kind = parsed.positional[0];
  const std::string& text = parsed.positional[1];
  if (kind != "path" && kind != "shortcut" && kind != "text") {
    return Usage("unknown expansion " + kind + " (path, shortcut or text)");
  }
  auto system = OpenSystem();
  if (!system) return kFailure;
  const std::string install_folder = parsed.Option("--install-folder").value_or("");
  if (kind == "path") {
    out_ << ExpandPathMacro(*system, text, install_folder) << "\n";
  } else if (kind == "text") {
    out_ << ExpandMacrosInText(*system, text, install_folder) << "\n";
  } else {
    out_ << ExpandShortcutMacro(*system, text, parsed.Option("--group").value_or(""),
                                parsed.Flag("--all-users"))
         << "\n";
  }
  return kSuccess;
}

int Tool::HostPath(const std::vector<std::string>& args, std::size_t first) {
  CommandArgs parsed;
  if (!ParseArgs(args, first, {}, {}, &parsed)) return kUsage;
  if (parsed.positional.size() != 1) return Usage("hostpath needs one Windows path");
  auto system = OpenSystem();
  if (!system) return kFailure;
  std::filesystem::path host;
  const Status status = system->drives().ToHostPath(parsed.positional[0], &host);
  if (!status.ok()) return Fail("cannot map " + parsed.positional[0] + ": " + status.ToString());
  out_ << host.string() << "\n";
  return kSuccess;
}

}  // namespace

int RunKestroSystem(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  // The program's boundary: the standard library still throws when memory
  // runs out, and that ends the tool with a message, not an abort.
  try {
    return Tool(out, err).Run(args);
  } catch (const std::exception& e) {
    err << "kestro-system: " << e.what() << "\n";
    return kFailure;
  }
}

}  // namespace setup
