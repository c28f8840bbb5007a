#include "banner/app/window/file_filter.h"

#include <vector>

namespace plakato {

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

std::string ToToolkitFilter(std::string_view filter) {
  if (filter.empty()) return {};
  const std::vector<std::string_view> fields = Split(filter, '|');
  std::string result;
  for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
    std::string patterns;
    for (std::string_view pattern : Split(fields[i + 1], ';')) {
      if (pattern.empty()) continue;
      if (!patterns.empty()) patterns += ' ';
      patterns += pattern;
    }
    if (patterns.empty()) continue;
    if (!result.empty()) result += ";;";
    result += std::string(fields[i]) + " (" + patterns + ")";
  }
  return result;
}

}  // namespace plakato
