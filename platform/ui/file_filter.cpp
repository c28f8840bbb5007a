#include "platform/ui/file_filter.h"

namespace platform::ui {

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

}  // namespace

std::vector<FileTypeFilter> ParseFileFilter(std::string_view filter) {
  std::vector<FileTypeFilter> entries;
  if (filter.empty()) return entries;
  const std::vector<std::string_view> fields = Split(filter, '|');
  for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
    FileTypeFilter entry{std::string(fields[i]), {}};
    for (std::string_view pattern : Split(fields[i + 1], ';')) {
      if (!pattern.empty()) entry.patterns.emplace_back(pattern);
    }
    if (!entry.patterns.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}

std::string ToToolkitFilter(const FileTypeFilter& entry) {
  std::string patterns;
  for (const std::string& pattern : entry.patterns) {
    if (!patterns.empty()) patterns += ' ';
    patterns += pattern;
  }
  return entry.description + " (" + patterns + ")";
}

}  // namespace platform::ui
