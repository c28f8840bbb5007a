#pragma once

#include <optional>
#include <string>
#include <vector>

namespace plakato {

// The program's own version: 1.0, revision 0.
struct ProgramVersion {
  int major = 1;
  int minor = 0;
  int revision = 0;
};
inline constexpr ProgramVersion kProgramVersion{};

// The version label: "ver1.00"; revisions from 1000 up append a lower-case
// letter, "a" for 1000 to 1999, "b" for 2000 to 2999 and so on. Revisions
// are four digits at most, so the letter never passes "i".
std::string FormatVersionLabel(const ProgramVersion& version);

// The install information's version: "1.00.0000".
std::string FormatInstallVersion(const ProgramVersion& version);

// The whole command line is one path: the arguments after the program name
// joined with single blanks. A path whose last four characters are ".pkc" in
// any letter case names a settings file to load; anything else names none.
std::optional<std::string> SettingsPathFromArguments(const std::vector<std::string>& arguments);

// The window's caption: the design's file name before the program's title,
// and a leading "*" while there are unsaved changes ("*a.pkc - Plakato").
std::string WindowCaption(const std::string& document_path, bool modified);

}  // namespace plakato
