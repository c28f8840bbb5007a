#include "setup/app/window/target_file_session.h"

#include <algorithm>
#include <filesystem>

#include "platform/target_system/name_folding.h"
#include "platform/target_system/windows_path.h"
#include "setup/wizard/model/entry_checks.h"

namespace setup::window {
namespace {

using platform::target::WindowsPath;

bool IsFullPath(const std::string& text) { return text.size() >= 2 && text[1] == ':'; }

// An existing path with its names as they are stored ("c:\netscape" gives
// "C:\Netscape"); the text itself when the drives cannot say.
std::string StoredPath(const platform::target::DriveMap& drives, const WindowsPath& path) {
  std::filesystem::path host;
  std::string stored;
  if (!drives.ToHostPath(path, &host).ok() || !drives.ToWindowsPath(host, &stored).ok())
    return path.ToString();
  return stored;
}

bool SortByName(const TargetFileSession::Entry& a, const TargetFileSession::Entry& b) {
  return platform::target::FoldName(a.name) < platform::target::FoldName(b.name);
}

}  // namespace

TargetFileSession::TargetFileSession(const platform::target::TargetSystem& system, TargetFileRequest request)
    : system_(system),
      request_(std::move(request)),
      filters_(platform::ui::ParseFileFilter(request_.filter)) {
  std::vector<char> letters;
  for (const auto& drive : system_.drives().drives()) letters.push_back(drive.letter);
  std::sort(letters.begin(), letters.end());
  for (char letter : letters) {
    const std::string root = std::string(1, letter) + ":\\";
    if (!wizard::IsOnRunOnlyDrive(system_, root)) drives_.push_back(root);
  }
  // The start names a file (its folder is shown, its name offered) or a
  // folder; anything else starts at the first drive.
  WindowsPath start;
  if (!request_.start.empty() && WindowsPath::Parse(request_.start, &start).ok()) {
    if (OpenFolder(start.ToString())) return;
    if (OpenFolder(start.Parent().ToString())) initial_name_ = start.Name();
  }
  if (folder_.empty() && !drives_.empty()) folder_ = drives_.front();
}

void TargetFileSession::SelectFilter(std::size_t index) {
  if (index < filters_.size()) filter_index_ = index;
}

bool TargetFileSession::Offered(const std::string& path) const {
  WindowsPath parsed;
  if (!WindowsPath::Parse(path, &parsed).ok()) return false;
  return std::find(drives_.begin(), drives_.end(), parsed.RootString()) != drives_.end();
}

bool TargetFileSession::OpenFolder(const std::string& folder) {
  WindowsPath parsed;
  if (!WindowsPath::Parse(folder, &parsed).ok() || !Offered(folder) || !system_.files().IsFolder(folder)) {
    return false;
  }
  folder_ = StoredPath(system_.drives(), parsed);
  return true;
}

bool TargetFileSession::OpenParent() {
  WindowsPath parsed;
  if (!WindowsPath::Parse(folder_, &parsed).ok() || parsed.IsRoot()) return false;
  return OpenFolder(parsed.Parent().ToString());
}

std::vector<TargetFileSession::Entry> TargetFileSession::Entries() const {
  std::vector<platform::target::FileEntry> listed;
  if (!system_.files().ListEntries(folder_, &listed).ok()) return {};
  std::vector<Entry> folders, files;
  for (const auto& entry : listed) {
    if (entry.is_folder) {
      folders.push_back({entry.name, true});
      continue;
    }
    if (filters_.empty()) {
      files.push_back({entry.name, false});
      continue;
    }
    const auto& patterns = filters_[filter_index_].patterns;
    if (std::any_of(patterns.begin(), patterns.end(), [&](const std::string& pattern) {
          return platform::target::WildcardMatch(pattern, entry.name);
        })) {
      files.push_back({entry.name, false});
    }
  }
  std::sort(folders.begin(), folders.end(), SortByName);
  std::sort(files.begin(), files.end(), SortByName);
  folders.insert(folders.end(), files.begin(), files.end());
  return folders;
}

std::string TargetFileSession::FullPath(const std::string& typed) const {
  if (IsFullPath(typed)) return typed;
  return folder_ + (folder_.ends_with('\\') ? "" : "\\") + typed;
}

std::optional<std::string> TargetFileSession::ResolveFile(const std::string& typed) const {
  if (typed.empty()) return std::nullopt;
  std::vector<std::string> candidates{FullPath(typed)};
  const std::size_t name_start = typed.find_last_of("\\/");
  const std::string name = name_start == std::string::npos ? typed : typed.substr(name_start + 1);
  if (name.find('.') == std::string::npos && !request_.default_extension.empty()) {
    candidates.push_back(candidates.front() + "." + request_.default_extension);
  }
  const auto& files = system_.files();
  for (const std::string& candidate : candidates) {
    WindowsPath parsed;
    if (WindowsPath::Parse(candidate, &parsed).ok() && Offered(candidate) && files.Exists(candidate) &&
        !files.IsFolder(candidate)) {
      return StoredPath(system_.drives(), parsed);
    }
  }
  return std::nullopt;
}

std::optional<std::string> TargetFileSession::ResolveFolder(const std::string& typed) const {
  if (typed.empty()) return std::nullopt;
  const std::string path = FullPath(typed);
  WindowsPath parsed;
  if (!WindowsPath::Parse(path, &parsed).ok() || !Offered(path) || !system_.files().IsFolder(path)) {
    return std::nullopt;
  }
  return StoredPath(system_.drives(), parsed);
}

}  // namespace setup::window
