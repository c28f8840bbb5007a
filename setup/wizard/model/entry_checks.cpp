#include "setup/wizard/model/entry_checks.h"

#include "platform/ascii_text.h"
#include "setup/core/path_text.h"

namespace setup::wizard {

std::string UserEntryName(std::string_view caption) {
  return std::string(caption.substr(0, caption.find_first_of("(:")));
}

bool UserEntryMatches(std::string_view entry, std::int32_t size, std::string_view pattern) {
  const std::size_t length = CharCount(entry);
  if (size > 0 && length != static_cast<std::size_t>(size)) return false;
  if (pattern.empty() || pattern == entry) return true;
  const std::size_t star = pattern.find('*');
  if (star == std::string_view::npos) return false;
  const std::string_view head = pattern.substr(0, star);
  const std::string_view tail = pattern.substr(star + 1);
  // UTF-8 prefixes and suffixes that match byte for byte are whole
  // characters, so the ends can be compared as bytes.
  return entry.size() >= head.size() && entry.size() >= tail.size() && entry.substr(0, head.size()) == head &&
         entry.substr(entry.size() - tail.size()) == tail;
}

bool HasForbiddenFolderChar(std::string_view path) {
  return path.find_first_of("*?\"<>|") != std::string_view::npos;
}

bool IsOnRunOnlyDrive(const platform::target::TargetSystem& system, std::string_view path) {
  if (path.size() < 2 || path[1] != ':') return false;
  const char letter = platform::AsciiUpper(path[0]);
  for (const platform::target::Drive& drive : system.run_only_drives()) {
    if (drive.letter == letter) return true;
  }
  return false;
}

std::string FolderRefusalText(std::string_view path, std::string_view edit_text) {
  if (HasForbiddenFolderChar(path)) {
    return "フォルダ名に次の文字は使えません。\n * ? \" < > |\n\n" + std::string(edit_text);
  }
  return "フォルダが作成できません。\n" + std::string(edit_text);
}

}  // namespace setup::wizard
