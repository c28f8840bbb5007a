#include "setup/core/path_text.h"

namespace setup {
namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset of the character at 0-based character index; text.size() when
// the index lies at or beyond the end.
std::size_t ByteOffsetOfChar(std::string_view text, std::size_t index) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsContinuationByte(text[i])) continue;
    if (chars == index) return i;
    ++chars;
  }
  return text.size();
}

std::size_t CharIndexOfByte(std::string_view text, std::size_t byte_offset) {
  return CharCount(text.substr(0, byte_offset));
}

}  // namespace

std::size_t CharCount(std::string_view text) {
  std::size_t chars = 0;
  for (char c : text) {
    if (!IsContinuationByte(c)) ++chars;
  }
  return chars;
}

std::string JoinPath(std::string_view folder, std::string_view rest) {
  if (rest.empty()) return std::string(folder);
  std::string joined(folder);
  // In UTF-8 a backslash byte is always a whole character, so testing the
  // last byte tests the last character.
  if (joined.empty() || joined.back() != '\\') joined += '\\';
  joined += StripLeading(rest, "\\");
  return joined;
}

std::string StripTrailing(std::string_view text, std::string_view separator) {
  if (separator.empty()) return std::string(text);
  while (text.size() >= separator.size() && text.ends_with(separator)) {
    text.remove_suffix(separator.size());
  }
  return std::string(text);
}

std::string StripLeading(std::string_view text, std::string_view separator) {
  if (separator.empty()) return std::string(text);
  while (text.size() >= separator.size() && text.starts_with(separator)) {
    text.remove_prefix(separator.size());
  }
  return std::string(text);
}

std::size_t LastPos(std::string_view sub, std::string_view text) {
  if (sub.empty()) return 0;
  const std::size_t at = text.rfind(sub);
  if (at == std::string_view::npos) return 0;
  return CharIndexOfByte(text, at) + 1;
}

std::size_t PosFrom(std::string_view sub, std::string_view text, std::size_t start) {
  if (sub.empty()) return 0;
  if (start < 1) start = 1;
  if (start > CharCount(text)) return 0;
  const std::size_t from = ByteOffsetOfChar(text, start - 1);
  const std::size_t at = text.find(sub, from);
  if (at == std::string_view::npos) return 0;
  return CharIndexOfByte(text, at) + 1;
}

std::string CopyFrom(std::string_view text, std::size_t start) {
  if (start < 1) start = 1;
  return std::string(text.substr(ByteOffsetOfChar(text, start - 1)));
}

std::string FirstChars(std::string_view text, std::size_t count) {
  return std::string(text.substr(0, ByteOffsetOfChar(text, count)));
}

std::string ParentPath(std::string_view path) {
  const auto is_drive_root = [](std::string_view p) { return p.size() == 3 && p[1] == ':' && p[2] == '\\'; };
  if (is_drive_root(path) || path == "\\") return std::string(path);
  while (path.size() > 1 && path.back() == '\\' && !is_drive_root(path)) path.remove_suffix(1);
  const std::size_t last = path.rfind('\\');
  if (last == std::string_view::npos) return {};
  if (last == 0) return "\\";
  if (last == 2 && path[1] == ':') return std::string(path.substr(0, 3));
  return std::string(path.substr(0, last));
}

std::string TrimBlanks(std::string_view text) {
  const auto is_blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

}  // namespace setup
