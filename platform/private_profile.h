#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/profile_grammar.h"
#include "platform/status.h"

namespace platform {

// Private-profile (INI) files as the Windows profile functions treat them.
// Every read looks at the file afresh: a changed file is always seen, and an
// unchanged one is not taken apart again (see ReadProfileIndex). Names and values
// are raw bytes (the caller converts code pages). Section and key names match
// without regard to ASCII letter case; blanks around names and values are
// dropped on reading, and a value wholly enclosed in one kind of quotes loses
// them. A UTF-8 byte-order mark at the start is kept but is not part of the
// first line. No function here throws: a file that cannot be read counts
// as missing, and a change that fails says why in its Status.

// The value of section/key, or def when the file, the section or the key is
// missing. A key present with an empty value gives empty text. The result is
// cut to buffer_size - 1 bytes, as a call with a buffer of that size would.
std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view def,
                                    const std::filesystem::path& file, std::size_t buffer_size = 4096);

// Names of all keys of a section, in file order; empty when missing.
std::vector<std::string> GetPrivateProfileKeys(std::string_view section, const std::filesystem::path& file);
// Every key of a section with its value as GetPrivateProfileString gives
// it (blanks and enclosing quotes removed, not cut), in file order; a name
// that appears twice is listed twice (the first one is what a lookup finds).
// Reading a whole list this way costs one pass over the file instead of one
// per value.
std::vector<std::pair<std::string, std::string>> GetPrivateProfileSectionEntries(
    std::string_view section, const std::filesystem::path& file);

// Names of all sections, in file order.
std::vector<std::string> GetPrivateProfileSections(const std::filesystem::path& file);

// Replaces the value in place, or appends the key at the end of its section,
// or appends the section at the end of the file, or creates the file. Every
// other line stays as it was. A missing value (nullopt) deletes the key. The
// file is replaced atomically (temporary file and rename) while its folder is
// locked against other changes, so that concurrent writers from several
// processes lose nothing. An I/O error that says why on failure and for a
// read-only file (one without its owner's write permission), which is left
// as it is.
Status WritePrivateProfileString(std::string_view section, std::string_view key,
                                 std::optional<std::string_view> value, const std::filesystem::path& file);

// Deletes a whole section with its keys, under the same lock. A failure as
// WritePrivateProfileString gives; Ok when there was nothing to delete.
Status DeletePrivateProfileSection(std::string_view section, const std::filesystem::path& file);

}  // namespace platform
