#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/target_system/status.h"

namespace platform::target {

// A drive-absolute Windows path ("C:\Program Files\Maker") taken apart:
// the drive letter (upper case) and the components below the root.
// Parsing accepts '\' and '/' as separators, drops empty and "." components,
// resolves ".." lexically (never above the drive root) and drops trailing
// dots and blanks of each component, as Windows does. It refuses relative
// paths, network paths and names with the characters < > : " | or control
// characters; '*' and '?' only in the last component, and only when allowed.
class WindowsPath {
 public:
  WindowsPath() = default;
  static Status Parse(std::string_view text, WindowsPath* path, bool allow_wildcards = false);

  char drive() const { return drive_; }
  const std::vector<std::string>& components() const { return components_; }
  bool IsRoot() const { return components_.empty(); }
  // The last component; empty for the root.
  std::string Name() const;
  // The path without its last component; the root stays the root.
  WindowsPath Parent() const;
  WindowsPath Child(std::string_view name) const;
  // The path of the first depth components (the root for 0).
  WindowsPath Prefix(std::size_t depth) const;
  // "C:\a\b", or "C:\" for the root.
  std::string ToString() const;
  // "C:\" for any path of drive C.
  std::string RootString() const;

 private:
  char drive_ = 'C';
  std::vector<std::string> components_;
};

}  // namespace platform::target
