#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::ui {

// One entry of a file type filter: the text the user sees, exactly as
// written, and the patterns it selects.
struct FileTypeFilter {
  std::string description;
  std::vector<std::string> patterns;

  bool operator==(const FileTypeFilter&) const = default;
};

// Splits a "description|patterns|description|patterns" filter text, patterns
// joined by ";". Entries without patterns and a trailing description without
// patterns are dropped.
std::vector<FileTypeFilter> ParseFileFilter(std::string_view filter);

// The toolkit's form of one entry: "description (pattern pattern)". The
// toolkit reads the patterns from the last parentheses, so they are appended
// even when the description already names them; the dialog then shows the
// description alone.
std::string ToToolkitFilter(const FileTypeFilter& entry);

}  // namespace platform::ui
