#include "setup/wizard/action_log.h"

#include <fstream>

namespace setup::wizard {
namespace {

void AppendEscaped(std::string& out, std::string_view field) {
  for (char c : field) {
    if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
}

}  // namespace

bool ActionLog::OpenFile(const std::filesystem::path& path) {
  std::ofstream probe(path, std::ios::app | std::ios::binary);
  if (!probe) return false;
  file_ = path;
  return true;
}

void ActionLog::Add(std::string_view action, std::initializer_list<std::string_view> fields) {
  std::string line(action);
  for (std::string_view field : fields) {
    line += '\t';
    AppendEscaped(line, field);
  }
  if (!file_.empty()) {
    // Opened per line so that every finished action is on disk at once.
    std::ofstream out(file_, std::ios::app | std::ios::binary);
    out << line << '\n';
  }
  lines_.push_back(std::move(line));
}

std::vector<std::string> ActionLog::LinesOf(std::string_view action) const {
  std::vector<std::string> found;
  for (const std::string& line : lines_) {
    if (line.size() > action.size() && line.compare(0, action.size(), action) == 0 &&
        line[action.size()] == '\t') {
      found.push_back(line);
    }
  }
  return found;
}

}  // namespace setup::wizard
