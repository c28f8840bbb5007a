#include "setup/wizard/action_log.h"

#include <fstream>
#include <memory>

namespace setup::wizard {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendEscaped(std::string& out, std::string_view field, bool keep_line_breaks) {
  for (std::size_t i = 0; i < field.size(); ++i) {
    const char c = field[i];
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n' && keep_line_breaks) {
      out += c;
    } else if (c == '\t') {
      out += keep_line_breaks ? "\t" : "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (byte < 0x20 || byte == 0x7f) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else if (byte == 0xc2 && i + 1 < field.size() && static_cast<unsigned char>(field[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(field[i + 1]) <= 0x9f) {
      // A C1 control in UTF-8 (U+0080 to U+009F), which terminals obey.
      const auto code = static_cast<unsigned char>(field[++i]);
      out += "\\u00";
      out += kHex[code >> 4];
      out += kHex[code & 15];
    } else {
      out += c;
    }
  }
}

}  // namespace

std::string EscapeControlCharacters(std::string_view text) {
  std::string out;
  AppendEscaped(out, text, true);
  return out;
}

bool ActionLog::OpenFile(const std::filesystem::path& path) {
  auto file = std::make_unique<std::ofstream>(path, std::ios::app | std::ios::binary);
  if (!*file) return false;
  file_ = std::move(file);
  return true;
}

void ActionLog::Add(std::string_view action, std::initializer_list<std::string_view> fields) {
  std::string line(action);
  for (std::string_view field : fields) {
    line += '\t';
    AppendEscaped(line, field, false);
  }
  if (file_) {
    // Each line goes to the file as one write at its end once its action is
    // done, so that lines of programs logging to the same file stay whole.
    *file_ << line << '\n';
    file_->flush();
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
