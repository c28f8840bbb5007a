#include "platform/private_profile.h"

#include <algorithm>
#include <cerrno>

#include "platform/ascii_text.h"
#include "platform/atomic_file.h"
#include "platform/file_facts.h"
#include "platform/profile_cache.h"
#include "platform/profile_grammar.h"

namespace platform {
namespace {

using Kind = ProfileLine::Kind;

// One line of the file, its end-of-line bytes kept apart so that a rewrite
// reproduces every untouched line exactly.
struct Line {
  std::string text;
  std::string eol;
};

ProfileLine ParseLine(std::string_view text) { return ParseProfileLine(text); }

std::vector<Line> SplitLines(const std::string& data) {
  std::vector<Line> lines;
  ForEachProfileLine(data, [&lines](std::string_view text, std::string_view eol) {
    lines.push_back({std::string(text), std::string(eol)});
  });
  return lines;
}

std::string JoinLines(const std::vector<Line>& lines) {
  std::string out;
  for (const Line& l : lines) out += l.text + l.eol;
  return out;
}

bool ReadLines(const std::filesystem::path& file, std::vector<Line>& lines) {
  std::string data;
  if (!ReadWholeFile(file, data).ok()) return false;
  lines = SplitLines(data);
  return true;
}

// Index range [begin, end) of the lines of the first section named so; begin
// is the header line. end is the next section header or the end.
struct SectionRange {
  size_t begin;
  size_t end;
};

std::optional<SectionRange> FindSection(const std::vector<Line>& lines, std::string_view section,
                                        size_t from = 0) {
  for (size_t i = from; i < lines.size(); ++i) {
    ProfileLine p = ParseLine(lines[i].text);
    if (p.kind != Kind::kSection || !SameProfileName(p.name, section)) continue;
    size_t end = i + 1;
    while (end < lines.size() && ParseLine(lines[end].text).kind != Kind::kSection) ++end;
    return SectionRange{i, end};
  }
  return std::nullopt;
}

std::optional<size_t> FindKey(const std::vector<Line>& lines, SectionRange range, std::string_view key) {
  for (size_t i = range.begin + 1; i < range.end; ++i) {
    ProfileLine p = ParseLine(lines[i].text);
    if (p.kind == Kind::kKey && SameProfileName(p.name, key)) return i;
  }
  return std::nullopt;
}

// The change lock of a profile file: its folder's.
class ChangeLock : public FolderLock {
 public:
  explicit ChangeLock(const std::filesystem::path& file)
      : FolderLock(file.has_parent_path() ? file.parent_path() : ".") {}
};

bool IsReadOnly(const std::filesystem::path& file) { return IsReadOnlyFile(file); }

std::string Eol(const std::vector<Line>& lines) {
  for (const Line& l : lines)
    if (!l.eol.empty()) return l.eol;
  return "\r\n";
}

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view def,
                                    const std::filesystem::path& file, std::size_t buffer_size) {
  auto cut = [buffer_size](std::string_view v) {
    if (buffer_size == 0) return std::string();
    return std::string(v.substr(0, buffer_size - 1));
  };
  const auto index = ReadProfileIndex(file);
  if (!index) return cut(def);
  const auto value = index->Find(section, key);
  return cut(value ? UnquoteProfileValue(*value) : def);
}

std::vector<std::string> GetPrivateProfileKeys(std::string_view section, const std::filesystem::path& file) {
  const auto index = ReadProfileIndex(file);
  return index ? index->Keys(section) : std::vector<std::string>();
}

std::vector<std::pair<std::string, std::string>> GetPrivateProfileSectionEntries(
    std::string_view section, const std::filesystem::path& file) {
  std::vector<std::pair<std::string, std::string>> entries;
  std::vector<Line> lines;
  if (!ReadLines(file, lines)) return entries;
  for (size_t from = 0;;) {
    auto range = FindSection(lines, section, from);
    if (!range) break;
    for (size_t i = range->begin + 1; i < range->end; ++i) {
      ProfileLine p = ParseLine(lines[i].text);
      if (p.kind == Kind::kKey) entries.emplace_back(p.name, UnquoteProfileValue(p.value));
    }
    from = range->end;
  }
  return entries;
}

std::vector<std::string> GetPrivateProfileSections(const std::filesystem::path& file) {
  const auto index = ReadProfileIndex(file);
  return index ? index->Sections() : std::vector<std::string>();
}

namespace {

// Every refused change is an I/O error of the file, whatever the cause.
Status Refuse(std::string text) { return Status::IoError(std::move(text)); }

// Takes the lock and reads the lines of an existing file for a change; a
// failure when the file cannot be changed.
Status BeginChange(const std::filesystem::path& file, const ChangeLock& lock, bool* exists,
                   std::vector<Line>* lines) {
  if (!lock.held()) return Refuse("cannot lock the folder of " + file.string());
  std::error_code ec;
  *exists = std::filesystem::exists(file, ec);
  if (!*exists) return Status::Ok();
  if (IsReadOnly(file)) return Refuse(file.string() + " is read-only");
  if (!ReadLines(file, *lines)) return Refuse("cannot read " + file.string());
  return Status::Ok();
}

Status Replace(const std::filesystem::path& file, const std::vector<Line>& lines) {
  const Status written = WriteFileAtomically(file, JoinLines(lines));
  if (written.ok()) return written;
  return Refuse("cannot write " + file.string() + ": " + written.message());
}

}  // namespace

Status WritePrivateProfileString(std::string_view section, std::string_view key,
                                 std::optional<std::string_view> value, const std::filesystem::path& file) {
  section = TrimAsciiBlanks(section);
  key = TrimAsciiBlanks(key);
  if (section.empty() || key.empty()) return Refuse("a section and a key name are needed");
  std::error_code ec;
  const ChangeLock lock(file);
  // Without its folder there is no file, and nothing to delete.
  if (!lock.held() && !value && !std::filesystem::exists(file, ec)) return Status::Ok();
  bool exists = false;
  std::vector<Line> lines;
  if (Status begun = BeginChange(file, lock, &exists, &lines); !begun.ok()) return begun;
  if (!exists && !value) return Status::Ok();  // nothing to delete
  const std::string eol = Eol(lines);
  const std::string new_line = std::string(key) + "=" + std::string(value.value_or(""));

  auto range = FindSection(lines, section);
  if (!range) {
    if (!value) return Status::Ok();
    if (!lines.empty() && lines.back().eol.empty()) lines.back().eol = eol;
    lines.push_back({"[" + std::string(section) + "]", eol});
    lines.push_back({new_line, eol});
  } else if (auto at = FindKey(lines, *range, key)) {
    if (!value) {
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*at));
    } else {
      // Keep the spelling of the name that the file already has.
      std::string_view old_name = ParseLine(lines[*at].text).name;
      lines[*at].text = std::string(old_name) + "=" + std::string(*value);
    }
  } else {
    if (!value) return Status::Ok();
    // Append after the section's last non-blank line.
    size_t insert = range->end;
    while (insert > range->begin + 1 && TrimAsciiBlanks(lines[insert - 1].text).empty()) --insert;
    if (lines[insert - 1].eol.empty()) lines[insert - 1].eol = eol;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert), Line{new_line, eol});
  }
  return Replace(file, lines);
}

Status DeletePrivateProfileSection(std::string_view section, const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return Status::Ok();
  const ChangeLock lock(file);
  bool exists = false;
  std::vector<Line> lines;
  if (Status begun = BeginChange(file, lock, &exists, &lines); !begun.ok()) return begun;
  bool changed = false;
  while (auto range = FindSection(lines, section)) {
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(range->begin),
                lines.begin() + static_cast<std::ptrdiff_t>(range->end));
    changed = true;
  }
  return changed ? Replace(file, lines) : Status::Ok();
}

}  // namespace platform
