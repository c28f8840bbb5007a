#include "setup/core/setup_script.h"

#include <algorithm>
#include <system_error>

#include "platform/cp932.h"
#include "platform/private_profile.h"
#include "platform/profile_cache.h"
#include "platform/profile_grammar.h"
#include "setup/core/path_text.h"
#include "setup/core/script_values.h"

namespace setup {
namespace {

// A value cut at the byte limit may end in the lead byte of a double-byte
// character whose trail byte was cut off; that half character is dropped
// rather than decoded into a replacement character.
void DropHalfCharacterAtLimit(std::string& cp932) {
  if (cp932.size() < kIniValueBytes) return;
  std::size_t i = 0;
  while (i < cp932.size()) {
    const bool lead = platform::IsCp932LeadByte(static_cast<unsigned char>(cp932[i]));
    if (lead && i + 1 == cp932.size()) {
      cp932.pop_back();
      return;
    }
    i += lead ? 2 : 1;
  }
}

std::string DecodeValue(std::string cp932) {
  if (cp932.size() > kIniValueBytes) cp932.resize(kIniValueBytes);
  DropHalfCharacterAtLimit(cp932);
  return platform::Cp932ToUtf8(cp932);
}

}  // namespace

std::string IniReadString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                          std::string_view def) {
  std::string raw =
      platform::GetPrivateProfileString(platform::Utf8ToCp932(section), platform::Utf8ToCp932(key),
                                        platform::Utf8ToCp932(def), file, kIniValueBytes + 1);
  return DecodeValue(std::move(raw));
}

bool IsAcceptedForSetup(std::string_view application) { return application == kScriptFormat; }

bool IsAcceptedForCleanUp(std::string_view application) {
  return FirstChars(application, 12) == "kestro Setup";
}

bool SetupScript::Exists() const {
  std::error_code error;
  return std::filesystem::is_regular_file(file_, error);
}

std::string SetupScript::Read(std::string_view section, std::string_view key, std::string_view def) const {
  return IniReadString(file_, section, key, def);
}

std::int32_t SetupScript::ReadInteger(std::string_view section, std::string_view key,
                                      std::int32_t def) const {
  return ToInteger(Read(section, key), def);
}

bool SetupScript::ReadOneFlag(std::string_view section, std::string_view key, std::string_view def) const {
  return IsOneFlagOn(Read(section, key, def));
}

bool SetupScript::ReadZeroFlag(std::string_view section, std::string_view key, std::string_view def) const {
  return IsZeroFlagOn(Read(section, key, def));
}

std::string SetupScript::ReadItem(std::string_view section, std::string_view field, std::int64_t n,
                                  std::string_view def) const {
  return Read(section, ItemKey(field, n), def);
}

std::int32_t SetupScript::ReadItemInteger(std::string_view section, std::string_view field, std::int64_t n,
                                          std::int32_t def) const {
  return ToInteger(ReadItem(section, field, n), def);
}

std::int32_t SetupScript::ReadCount(std::string_view section) const {
  return std::max<std::int32_t>(0, ReadInteger(section, "Count"));
}

std::int64_t SetupScript::HighestItemNumber(std::string_view section, std::string_view field) const {
  const std::vector<std::int64_t> numbers = AllItemNumbers(section, field);
  return numbers.empty() ? 0 : numbers.back();
}

std::vector<std::int64_t> SetupScript::ItemNumbers(std::string_view section, std::string_view field) const {
  std::vector<std::int64_t> numbers = AllItemNumbers(section, field);
  const std::int64_t count = ReadCount(section);
  std::erase_if(numbers, [count](std::int64_t n) { return n > count; });
  return numbers;
}

std::vector<std::int64_t> SetupScript::AllItemNumbers(std::string_view section,
                                                      std::string_view field) const {
  std::vector<std::int64_t> numbers;
  const std::string cp932_field = platform::Utf8ToCp932(field);
  for (const std::string& key : platform::GetPrivateProfileKeys(platform::Utf8ToCp932(section), file_)) {
    const std::optional<std::int64_t> n = ItemNumberOfKey(key);
    if (!n) continue;
    const std::string_view key_field =
        std::string_view(key).substr(0, key.size() - std::to_string(*n).size());
    if (!field.empty() && AsciiLower(key_field) != AsciiLower(cp932_field)) continue;
    numbers.push_back(*n);
  }
  std::ranges::sort(numbers);
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return numbers;
}

std::vector<std::string> SetupScript::ReadLines(std::string_view section) const {
  // A memo shows at most kMaxTextLines lines; a lone Text99999999 must not
  // make the reader produce millions of empty lines before it.
  const std::int64_t count =
      std::min<std::int64_t>({ReadCount(section), HighestItemNumber(section, "Text"), kMaxTextLines});
  std::vector<std::string> lines;
  for (std::int64_t n = 1; n <= count; ++n) lines.push_back(ReadItem(section, "Text", n));
  return lines;
}

std::optional<std::int64_t> SetupScript::ReadInstallSize() const {
  return ParseStrictSize(Read("Install", "Size", "0"));
}

std::string SetupScript::Application() const { return Read("Define", "Application"); }

std::string SetupScript::ApplicationKeyName() const {
  std::string name = Read("Uninstall", "KeyName");
  if (name.empty()) name = Read("Define", "Name");
  if (name.empty()) name = "not";
  return name;
}

ScriptSection ScriptSection::Load(const SetupScript& script, std::string_view section) {
  ScriptSection loaded;
  loaded.section_ = platform::Utf8ToCp932(section);
  loaded.index_ = platform::ReadProfileIndex(script.file());
  return loaded;
}

std::string ScriptSection::Read(std::string_view key, std::string_view def) const {
  if (!index_) return std::string(def);
  const auto value = index_->Find(section_, platform::Utf8ToCp932(key));
  return value ? DecodeValue(std::string(platform::UnquoteProfileValue(*value))) : std::string(def);
}

std::vector<std::int64_t> ScriptSection::ItemNumbersPresent() const {
  std::vector<std::int64_t> numbers;
  if (!index_) return numbers;
  for (const std::string& key : index_->Keys(section_)) {
    const std::int64_t n = ItemNumberOfKey(AsciiLower(key)).value_or(0);
    if (n >= 1) numbers.push_back(n);
  }
  return numbers;
}

std::int32_t ScriptSection::ReadInteger(std::string_view key, std::int32_t def) const {
  return ToInteger(Read(key), def);
}

std::string ScriptSection::ReadItem(std::string_view field, std::int64_t n, std::string_view def) const {
  // An ASCII field is the same in the script's code page.
  if (!index_ || !std::ranges::all_of(field, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return Read(ItemKey(field, n), def);
  }
  const auto value = index_->FindItem(section_, field, n);
  return value ? DecodeValue(std::string(platform::UnquoteProfileValue(*value))) : std::string(def);
}

std::int32_t ScriptSection::ReadItemInteger(std::string_view field, std::int64_t n, std::int32_t def) const {
  return ToInteger(ReadItem(field, n), def);
}

std::int32_t ScriptSection::ReadCount() const { return std::max(0, ReadInteger("Count")); }

std::vector<std::int64_t> ScriptSection::ItemNumbers() const {
  const std::int64_t count = ReadCount();
  std::vector<std::int64_t> numbers = ItemNumbersPresent();
  std::erase_if(numbers, [count](std::int64_t n) { return n > count; });
  std::ranges::sort(numbers);
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return numbers;
}

std::int64_t ScriptSection::HighestItemNumber() const {
  std::int64_t highest = 0;
  for (const std::int64_t n : ItemNumbersPresent()) highest = std::max(highest, n);
  return highest;
}

}  // namespace setup
