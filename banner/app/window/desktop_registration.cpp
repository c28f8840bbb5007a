#include "banner/app/window/desktop_registration.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <system_error>

#include "platform/ascii_text.h"
#include "platform/atomic_file.h"

namespace plakato {

namespace fs = std::filesystem;

namespace {

std::string Lower(const std::string& text) { return platform::AsciiLower(text); }

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// A compiled glob list: "weight:type:glob[:flags]" (globs2) or "type:glob"
// (globs). Globs match without regard to letter case unless flagged.
bool GlobListNamesPkc(const fs::path& file, bool weighted) {
  std::string text;
  if (!platform::ReadWholeFile(file, text).ok()) return false;
  for (const std::string& line : SplitLines(text)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
      const std::size_t colon = line.find(':', start);
      fields.push_back(line.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
      if (colon == std::string::npos) break;
      start = colon + 1;
    }
    const std::size_t glob_field = weighted ? 2 : 1;
    if (fields.size() > glob_field && Lower(fields[glob_field]) == kDocumentGlob) return true;
  }
  return false;
}

// A source package that has not been compiled into the database yet (the
// update tool may be missing).
bool PackagesNamePkc(const fs::path& folder) {
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return false;
  for (const fs::directory_entry& entry : it) {
    if (entry.path().extension() != ".xml") continue;
    std::string text;
    if (!platform::ReadWholeFile(entry.path(), text).ok()) continue;
    const std::string lower = Lower(text);
    if (lower.find("pattern=\"*.pkc\"") != std::string::npos ||
        lower.find("pattern='*.pkc'") != std::string::npos ||
        lower.find(kDocumentMimeType) != std::string::npos) {
      return true;
    }
  }
  return false;
}

fs::path HomeDataFolder() {
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : "/") / ".local" / "share";
}

}  // namespace

XdgDataDirs XdgDataDirsFromEnvironment() {
  XdgDataDirs dirs;
  const char* data_home = std::getenv("XDG_DATA_HOME");
  dirs.data_home = data_home && fs::path(data_home).is_absolute() ? fs::path(data_home) : HomeDataFolder();
  const char* data_dirs = std::getenv("XDG_DATA_DIRS");
  std::string list = data_dirs && *data_dirs ? data_dirs : "/usr/local/share/:/usr/share/";
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t colon = std::min(list.find(':', start), list.size());
    const fs::path dir = list.substr(start, colon - start);
    if (dir.is_absolute()) dirs.data_dirs.push_back(dir);
    start = colon + 1;
  }
  return dirs;
}

std::string DesktopExecArgument(const std::string& path) {
  std::string quoted = "\"";
  for (const char c : path) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return {};
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') {
      quoted += "%%";
      continue;
    }
    quoted += c;
  }
  quoted += '"';
  // The Exec value is a string value too: its backslashes are escaped again.
  std::string value;
  for (const char c : quoted) {
    if (c == '\\') value += '\\';
    value += c;
  }
  return value;
}

DocumentTypeRegistrar::DocumentTypeRegistrar(XdgDataDirs dirs, fs::path program, ToolRunner run_tool)
    : dirs_(std::move(dirs)), program_(std::move(program)), run_tool_(std::move(run_tool)) {}

fs::path DocumentTypeRegistrar::mime_package_path() const {
  return dirs_.data_home / "mime" / "packages" / "plakato-config.xml";
}

fs::path DocumentTypeRegistrar::icon_path(int size, bool document) const {
  const std::string folder = std::to_string(size) + "x" + std::to_string(size);
  return dirs_.data_home / "icons" / "hicolor" / folder / (document ? "mimetypes" : "apps") /
         (std::string(document ? kDocumentIconName : kProgramIconName) + ".png");
}

fs::path DocumentTypeRegistrar::desktop_entry_path() const {
  return dirs_.data_home / "applications" / "plakato.desktop";
}

bool DocumentTypeRegistrar::IsRegistered() const {
  std::vector<fs::path> all = {dirs_.data_home};
  all.insert(all.end(), dirs_.data_dirs.begin(), dirs_.data_dirs.end());
  for (const fs::path& dir : all) {
    if (GlobListNamesPkc(dir / "mime" / "globs2", true)) return true;
    if (GlobListNamesPkc(dir / "mime" / "globs", false)) return true;
  }
  return PackagesNamePkc(dirs_.data_home / "mime" / "packages");
}

std::string DocumentTypeRegistrar::MimePackage() const {
  return std::string(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
             "  <mime-type type=\"") +
         kDocumentMimeType + "\">\n    <comment>" + kDocumentComment + "</comment>\n    <glob pattern=\"" +
         kDocumentGlob + "\"/>\n    <icon name=\"" + kDocumentIconName +
         "\"/>\n  </mime-type>\n</mime-info>\n";
}

std::string DocumentTypeRegistrar::DesktopEntry() const {
  const std::string exec = DesktopExecArgument(program_.string());
  if (exec.empty()) return {};
  return std::string(
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Name=Plakato\n"
             "Exec=") +
         exec + " %f\nIcon=" + kProgramIconName + "\nMimeType=" + kDocumentMimeType +
         ";\nCategories=Graphics;\nTerminal=false\n";
}

RegistrationResult DocumentTypeRegistrar::RegisterIfNew() {
  using Outcome = RegistrationResult::Outcome;
  if (IsRegistered()) return {Outcome::kAlreadyRegistered, "", ""};

  std::error_code ec;
  fs::create_directories(mime_package_path().parent_path(), ec);
  if (!ec) fs::create_directories(desktop_entry_path().parent_path(), ec);
  if (ec) return {Outcome::kCreateFailed, kCreateFailedMessage, ec.message()};

  if (const platform::Status written = platform::WriteFileAtomically(mime_package_path(), MimePackage());
      !written.ok()) {
    return {Outcome::kWriteFailed, kWriteFailedMessage, written.message()};
  }
  const std::string entry = DesktopEntry();
  if (entry.empty()) return {Outcome::kWriteFailed, kWriteFailedMessage, "unusable program path"};
  if (const platform::Status written = platform::WriteFileAtomically(desktop_entry_path(), entry);
      !written.ok()) {
    return {Outcome::kWriteFailed, kWriteFailedMessage, written.message()};
  }
  // Icons are a comfort: a failure to write one is no registration failure.
  if (paint_icon_) {
    for (int size : kIconSizes) {
      for (bool document : {false, true}) {
        fs::create_directories(icon_path(size, document).parent_path(), ec);
        if (!ec)
          static_cast<void>(
              platform::WriteFileAtomically(icon_path(size, document), paint_icon_(size, document)));
      }
    }
  }
  if (run_tool_) {
    run_tool_("update-mime-database", {(dirs_.data_home / "mime").string()});
    run_tool_("update-desktop-database", {(dirs_.data_home / "applications").string()});
  }
  return {Outcome::kRegistered, "", ""};
}

}  // namespace plakato
