#include "platform/target_system/windows_path.h"

#include <algorithm>

#include <cctype>

#include "platform/ascii_text.h"

namespace platform::target {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasForbiddenCharacter(std::string_view name, bool allow_wildcards) {
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|') return true;
    if (!allow_wildcards && (c == '*' || c == '?')) return true;
  }
  return false;
}

}  // namespace

Status WindowsPath::Parse(std::string_view text, WindowsPath* path, bool allow_wildcards) {
  if (text.size() < 2 || !std::isalpha(static_cast<unsigned char>(text[0])) || text[1] != ':') {
    return Status::InvalidArgument("not a drive path: " + std::string(text));
  }
  if (text.size() > 2 && !IsSeparator(text[2])) {
    return Status::InvalidArgument("drive-relative path: " + std::string(text));
  }
  WindowsPath result;
  result.drive_ = AsciiUpper(text[0]);

  // A path of a few levels takes one allocation for its parts, not one per
  // doubling.
  std::vector<std::string_view> raw;
  raw.reserve(8);
  std::size_t start = 2;
  while (start < text.size()) {
    while (start < text.size() && IsSeparator(text[start])) ++start;
    std::size_t end = start;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    if (end > start) raw.push_back(text.substr(start, end - start));
    start = end;
  }
  result.components_.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    std::string_view name = raw[i];
    if (name == ".") continue;
    if (name == "..") {
      if (!result.components_.empty()) result.components_.pop_back();
      continue;
    }
    // Windows drops trailing dots and blanks of a name.
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
    if (name.empty()) continue;
    const bool last = i + 1 == raw.size();
    if (HasForbiddenCharacter(name, allow_wildcards && last)) {
      return Status::InvalidArgument("invalid character in path: " + std::string(text));
    }
    result.components_.emplace_back(name);
  }
  *path = std::move(result);
  return Status::Ok();
}

std::string WindowsPath::Name() const { return components_.empty() ? std::string() : components_.back(); }

WindowsPath WindowsPath::Parent() const {
  WindowsPath parent = *this;
  if (!parent.components_.empty()) parent.components_.pop_back();
  return parent;
}

WindowsPath WindowsPath::Child(std::string_view name) const {
  WindowsPath child = *this;
  child.components_.emplace_back(name);
  return child;
}

WindowsPath WindowsPath::Prefix(std::size_t depth) const {
  WindowsPath prefix;
  prefix.drive_ = drive_;
  prefix.components_.assign(components_.begin(), components_.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                                           depth, components_.size())));
  return prefix;
}

std::string WindowsPath::RootString() const { return std::string{drive_, ':', '\\'}; }

std::string WindowsPath::ToString() const {
  std::string text = RootString();
  for (std::size_t i = 0; i < components_.size(); ++i) {
    if (i > 0) text += '\\';
    text += components_[i];
  }
  return text;
}

}  // namespace platform::target
