#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {
class ProfileIndex;
}

namespace setup {

// Longest value the script reader returns, in code page 932 bytes: the
// profile reader is called with a 1024-byte buffer.
inline constexpr std::size_t kIniValueBytes = 1023;

// The one way values are read from INI files such as the script: section and
// key match without regard to letter case; the value is the text after the
// first "=", blanks around it and one pair of enclosing quotes removed, at
// most 1023 code-page-932 bytes (a double-byte character cut in half by that
// limit is dropped whole). A missing file, section or key, or any failure,
// gives def. Names, default and result are UTF-8; the file holds code page
// 932. Every call looks at the file afresh; the file is taken apart again
// only when it has changed (platform::ReadProfileIndex).
std::string IniReadString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                          std::string_view def = {});

// The script format identifier that setup mode accepts.
inline constexpr std::string_view kScriptFormat = "kestro Setup 1.00";

// Setup mode accepts exactly kScriptFormat; clean-up mode compares only the
// first 12 characters ("kestro Setup").
bool IsAcceptedForSetup(std::string_view application);
bool IsAcceptedForCleanUp(std::string_view application);

// "Setup.dat", the script's file name.
inline constexpr std::string_view kScriptFileName = "Setup.dat";

// Reader of one "Setup.dat". It holds only the file's path: every value is
// read from the file when asked for, so a script edited during the run is
// seen as it is now; an unchanged script is not parsed again.
class SetupScript {
 public:
  explicit SetupScript(std::filesystem::path file) : file_(std::move(file)) {}

  const std::filesystem::path& file() const { return file_; }
  bool Exists() const;

  std::string Read(std::string_view section, std::string_view key, std::string_view def = {}) const;
  // Integer keys: an empty or malformed value gives def.
  std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t def = 0) const;
  // Flag keys; def is the text used when the key is missing (so a missing
  // key and an empty value may differ).
  bool ReadOneFlag(std::string_view section, std::string_view key, std::string_view def = {}) const;
  bool ReadZeroFlag(std::string_view section, std::string_view key, std::string_view def = {}) const;

  // Item n of a numbered list (field name followed by n).
  std::string ReadItem(std::string_view section, std::string_view field, std::int64_t n,
                       std::string_view def = {}) const;
  std::int32_t ReadItemInteger(std::string_view section, std::string_view field, std::int64_t n,
                               std::int32_t def = 0) const;

  // [section] Count; a negative or malformed count gives 0.
  std::int32_t ReadCount(std::string_view section) const;

  // The highest item number that any key of the section carries (0 when
  // none). Items above it are all empty, so a loop over a Count far larger
  // than the items present may stop there when empty items do nothing.
  // With a field, only that field's items count ("Text" counts Text1 and
  // Text2 but not Other99).
  std::int64_t HighestItemNumber(std::string_view section, std::string_view field = {}) const;
  // ScriptSection::ItemNumbers of the section, with only field's items
  // when a field is given.
  std::vector<std::int64_t> ItemNumbers(std::string_view section, std::string_view field = {}) const;

  // The most lines a text list gives.
  static constexpr std::int64_t kMaxTextLines = 65535;

  // The text lines Text1 ... Text<Count> of [Outline], [Licence] or
  // [UnOutline]. Lines beyond the last Text<n> present are all empty and
  // are not produced, so a huge Count costs nothing.
  std::vector<std::string> ReadLines(std::string_view section) const;

  // [Install] Size, read strictly with the default "0"; nullopt when the
  // value is not a plain decimal number.
  std::optional<std::int64_t> ReadInstallSize() const;

  // [Define] Application.
  std::string Application() const;

  // [Uninstall] KeyName, else [Define] Name, else "not".
  std::string ApplicationKeyName() const;

 private:
  std::vector<std::int64_t> AllItemNumbers(std::string_view section, std::string_view field) const;

  std::filesystem::path file_;
};

// All values of one section of a script as they are at the time of Load:
// the engines take a list of thousands of items this way instead of looking
// at the file once per value. Each value reads exactly as SetupScript::Read
// gave it then. The section holds the script's index that SetupScript's reads
// share, not a copy of its values, so a list of a hundred thousand items
// costs no memory of its own.
class ScriptSection {
 public:
  static ScriptSection Load(const SetupScript& script, std::string_view section);

  std::string Read(std::string_view key, std::string_view def = {}) const;
  std::int32_t ReadInteger(std::string_view key, std::int32_t def = 0) const;
  // Item n of a numbered list (field name followed by n).
  std::string ReadItem(std::string_view field, std::int64_t n, std::string_view def = {}) const;
  std::int32_t ReadItemInteger(std::string_view field, std::int64_t n, std::int32_t def = 0) const;
  // Count; a negative or malformed count gives 0.
  std::int32_t ReadCount() const;
  // The highest item number that any key carries (0 when none).
  std::int64_t HighestItemNumber() const;
  // The numbers from 1 to Count that some key carries, ascending: the items
  // present. Loops over a list take these, so that a Count of 2147483647
  // with one item costs one item, not two thousand million empty ones.
  std::vector<std::int64_t> ItemNumbers() const;

 private:
  // The item numbers that the keys carry, in file order, repeats kept.
  std::vector<std::int64_t> ItemNumbersPresent() const;

  std::shared_ptr<const platform::ProfileIndex> index_;
  std::string section_;  // code page 932
};

}  // namespace setup
