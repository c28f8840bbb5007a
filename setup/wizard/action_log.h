#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace setup::wizard {

// The install log: one line per action taken, in a stable, greppable form:
//   ACTION<TAB>field<TAB>field...
// ACTION is an upper-case word ("COPY", "KEEP", "FOLDER", "SHORTCUT", "REG",
// "INI", "ASSOC", "RECORD", "FAVORITE", "DELETE", "SKIP", "RUN", "MESSAGE",
// ...); fields are UTF-8 with tabs and line breaks written as "\t", "\n" and
// "\r", other control characters as "\xHH" (C1 controls as "\u00HH"), and
// backslash-escaped no further (Windows paths keep their backslashes).
// Lines are kept in memory and, when a file is set, appended to it as they
// come, so a run that is killed keeps what it did.
// Text from a script made safe for a terminal: control characters other
// than tab and line break written as in the log ("\r", "\x1b", "\u009b").
std::string EscapeControlCharacters(std::string_view text);

class ActionLog {
 public:
  ActionLog() = default;
  // Appends every line also to the host file at path (created or extended).
  // False when it cannot be opened.
  bool OpenFile(const std::filesystem::path& path);

  void Add(std::string_view action, std::initializer_list<std::string_view> fields);
  // A KEEP line for something the uninstaller or the clean-up had to leave
  // (the run ends "done, with leftovers"), counted.
  void AddLeftover(std::initializer_list<std::string_view> fields) {
    Add("KEEP", fields);
    ++leftovers_;
  }
  int leftovers() const { return leftovers_; }
  const std::vector<std::string>& lines() const { return lines_; }
  // The lines that begin with action + TAB.
  std::vector<std::string> LinesOf(std::string_view action) const;

 private:
  std::vector<std::string> lines_;
  std::unique_ptr<std::ofstream> file_;
  int leftovers_ = 0;
};

}  // namespace setup::wizard
