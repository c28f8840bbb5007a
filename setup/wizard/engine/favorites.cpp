#include "setup/wizard/engine/favorites.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "setup/core/folder_utils.h"
#include "setup/core/path_text.h"
#include "setup/wizard/engine/install_run.h"

namespace setup::wizard {
namespace {

// A favourite's name becomes a file name: no path separators, wildcards or
// other characters Windows refuses, nothing the ANSI code page cannot hold,
// and not only dots and blanks.
bool IsValidFileName(std::string_view name) {
  if (name.find_first_not_of(". ") == std::string_view::npos) return false;
  for (unsigned char c : name) {
    if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) {
      return false;
    }
  }
  return platform::IsCp932Representable(name);
}

// The Internet shortcut file name + ".url" in the favourites folder.
void AddInternetShortcut(SetupRun& run, const std::string& folder, const std::string& name,
                         const std::string& address) {
  if (!IsValidFileName(name)) {
    run.log.Add("FAVORITE", {folder, name, "not a file name"});
    return;
  }
  if (const auto made = ForceFolders(run.system, folder); !made.ok()) {
    run.log.Add("FOLDER", {folder, made.ToString()});
  }
  const std::string path = JoinPath(folder, name + ".url");
  const std::string text = "[InternetShortcut]\r\nURL=" + address + "\r\n";
  const auto written = run.system.files().WriteFile(path, platform::Utf8ToCp932(text));
  run.log.Add("FAVORITE", {path, address, written.ok() ? "ok" : written.ToString()});
}

// The lines of a text file as a string list loads them: CR, LF or CR LF end
// a line, and a break at the very end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string BookmarkLine(std::string_view name, std::string_view address) {
  return "    <DT><A HREF=\"" + std::string(address) +
         "\" ADD_DATE=\"\" LAST_VISIT=\"\" LAST_MODIFIED=\"\">" + std::string(name) + "</A>";
}

// The bookmark file with the favourite's line in it, or nullopt when it is
// there already with this address. A file whose second line is empty loses
// all its empty lines first; a new line goes before the last one (which
// closes the outermost list), or at the end of an empty file.
std::optional<std::vector<std::string>> WithBookmark(std::vector<std::string> lines, std::string_view name,
                                                     std::string_view address) {
  if (lines.size() > 1 && lines[1].empty()) {
    std::erase_if(lines, [](const std::string& line) { return line.empty(); });
  }
  const std::string name_pattern = "\">" + std::string(name) + "</A>";
  const std::string address_pattern = "<DT><A HREF=\"" + std::string(address) + "\" ADD_DATE=\"";
  for (std::string& line : lines) {
    if (line.find(name_pattern) == std::string::npos) continue;
    if (line.find(address_pattern) != std::string::npos) return std::nullopt;
    line = BookmarkLine(name, address);
    return lines;
  }
  const auto before = lines.empty() ? lines.end() : lines.end() - 1;
  lines.insert(before, BookmarkLine(name, address));
  return lines;
}

// The favourite's line in the bookmark file, read afresh and written back
// whole only when it changed. The file is handled as lines of code page 932
// bytes: only the name and address are converted, so every other line keeps
// its bytes (vendor characters and stray bytes included).
void AddBookmark(SetupRun& run, const std::string& file, const std::string& name,
                 const std::string& address) {
  const auto& files = run.system.files();
  std::string data;
  if (const auto read = files.ReadFile(file, &data); !read.ok()) {
    run.log.Add("BOOKMARK", {file, name, read.ToString()});
    return;
  }
  const auto changed =
      WithBookmark(SplitLines(data), platform::Utf8ToCp932(name), platform::Utf8ToCp932(address));
  if (!changed) {
    run.log.Add("BOOKMARK", {file, name, "unchanged"});
    return;
  }
  // A read-only file becomes writable.
  if (const auto cleared = files.SetAttributes(file, 0); !cleared.ok()) {
    run.log.Add("ATTRIB", {file, "0", cleared.ToString()});
  }
  const auto written = files.WriteFile(file, JoinLines(*changed));
  run.log.Add("BOOKMARK", {file, name, written.ok() ? "ok" : written.ToString()});
}

}  // namespace

bool AddFavorite(SetupRun& run, const SetupScript& script, const InstallChoices& choices, int slot) {
  if (slot < 1 || slot > 3) return false;
  const auto index = static_cast<std::size_t>(slot - 1);
  if (!choices.favorite_slot_visible[index] || !choices.favorite_slot_checked[index]) return false;
  const std::string name = script.ReadItem("Favorites", "Name", slot);
  const std::string address = script.ReadItem("Favorites", "URL", slot);
  if (choices.add_favorites) AddInternetShortcut(run, choices.favorites_folder, name, address);
  if (choices.add_bookmarks) AddBookmark(run, choices.bookmark_file, name, address);
  return true;
}

}  // namespace setup::wizard
