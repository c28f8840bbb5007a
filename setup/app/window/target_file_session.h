#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/target_system/target_system.h"
#include "platform/ui/file_filter.h"

namespace setup::window {

// What the wizard asks of its file-open dialog (the bookmark file of page 8).
struct TargetFileRequest {
  std::string title;
  std::string filter;             // "description|patterns|description|patterns..."
  std::string default_extension;  // without the dot
  std::string start;              // a Windows path: the file (or folder) to start at
};

// One opening of the file-open dialog over the target system: its drives
// and folders in Windows paths, the files the chosen type selects, and the
// typed name turned into an existing file. Nothing outside the system's
// drives can be seen or chosen, and the drives given to this run only (the
// package's own) are not offered.
class TargetFileSession {
 public:
  struct Entry {
    std::string name;
    bool is_folder = false;
  };

  TargetFileSession(const platform::target::TargetSystem& system, TargetFileRequest request);

  const TargetFileRequest& request() const { return request_; }
  // The drive roots offered ("C:\"), in letter order.
  const std::vector<std::string>& drives() const { return drives_; }
  const std::vector<platform::ui::FileTypeFilter>& filters() const { return filters_; }
  std::size_t filter_index() const { return filter_index_; }
  void SelectFilter(std::size_t index);

  // The folder shown, a Windows path ("C:\" for a drive root).
  const std::string& folder() const { return folder_; }
  // The name the file box starts with.
  const std::string& initial_name() const { return initial_name_; }
  // Shows another folder; false (nothing changes) when it is no existing
  // folder on an offered drive.
  bool OpenFolder(const std::string& folder);
  bool OpenParent();

  // The folder's subfolders, then its files that the chosen type selects,
  // each by name.
  std::vector<Entry> Entries() const;

  // The existing file that a typed name stands for: a full Windows path or a
  // name in the folder shown; a name without an extension that names no file
  // also tries the default extension. nullopt when there is no such file.
  std::optional<std::string> ResolveFile(const std::string& typed) const;
  // The folder a typed name stands for, when it is one.
  std::optional<std::string> ResolveFolder(const std::string& typed) const;

 private:
  bool Offered(const std::string& path) const;
  std::string FullPath(const std::string& typed) const;

  const platform::target::TargetSystem& system_;
  TargetFileRequest request_;
  std::vector<std::string> drives_;
  std::vector<platform::ui::FileTypeFilter> filters_;
  std::size_t filter_index_ = 0;
  std::string folder_;
  std::string initial_name_;
};

}  // namespace setup::window
