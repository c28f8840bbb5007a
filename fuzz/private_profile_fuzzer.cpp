// Private-profile files: every listed key reads back, a value cut to a
// buffer is a prefix of the whole, and a write or deletion changes only
// what it names.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/ascii_text.h"
#include "platform/private_profile.h"

namespace {

using platform::GetPrivateProfileString;

struct Entry {
  std::string section;
  std::string key;
  std::string value;
};

bool SameName(std::string_view a, std::string_view b) {
  a = platform::TrimAsciiBlanks(a);
  b = platform::TrimAsciiBlanks(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The first entries of the file, each read by its own names.
std::vector<Entry> ReadEntries(const std::filesystem::path& file) {
  std::vector<Entry> entries;
  for (const std::string& section : platform::GetPrivateProfileSections(file)) {
    for (const std::string& key : platform::GetPrivateProfileKeys(section, file)) {
      if (entries.size() == 24) return entries;
      // Two different defaults tell a found key from a missing one.
      std::string value = GetPrivateProfileString(section, key, "a", file);
      FUZZ_CHECK(value == GetPrivateProfileString(section, key, "b", file));
      entries.push_back({section, key, std::move(value)});
    }
  }
  return entries;
}

// Entries outside the named section and key read as before.
void CheckOthersKept(const std::vector<Entry>& before, const std::string& section, std::string_view key,
                     const std::filesystem::path& file) {
  for (const Entry& e : before) {
    if (SameName(e.section, section) && (key.empty() || SameName(e.key, key))) continue;
    FUZZ_CHECK(GetPrivateProfileString(e.section, e.key, "\x01", file) == e.value);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto file = fuzzing::WriteScratchFile("profile.ini", data, size);
  const std::vector<Entry> entries = ReadEntries(file);

  for (const Entry& e : entries) {
    for (std::size_t buffer : {0u, 1u, 2u, 5u}) {
      const std::string cut = GetPrivateProfileString(e.section, e.key, "", file, buffer);
      FUZZ_CHECK(cut == e.value.substr(0, buffer == 0 ? 0 : buffer - 1));
    }
  }

  std::string section = "Fuzz";
  if (!entries.empty() && !platform::TrimAsciiBlanks(entries.front().section).empty())
    section = entries.front().section;
  const std::string key = "FuzzKey";
  const bool had_key = GetPrivateProfileString(section, key, "\x01", file) != "\x01";

  FUZZ_CHECK(platform::WritePrivateProfileString(section, key, "written value", file).ok());
  FUZZ_CHECK(GetPrivateProfileString(section, key, "", file) == "written value");
  CheckOthersKept(entries, section, key, file);

  FUZZ_CHECK(platform::WritePrivateProfileString(section, key, std::nullopt, file).ok());
  if (!had_key) FUZZ_CHECK(GetPrivateProfileString(section, key, "\x01", file) == "\x01");
  CheckOthersKept(entries, section, key, file);

  FUZZ_CHECK(platform::DeletePrivateProfileSection(section, file).ok());
  for (const std::string& name : platform::GetPrivateProfileSections(file))
    FUZZ_CHECK(!SameName(name, section));
  CheckOthersKept(entries, section, {}, file);
  return 0;
}
