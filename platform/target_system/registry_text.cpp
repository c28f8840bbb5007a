#include "platform/target_system/registry_text.h"

#include <cstdio>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/cp932.h"
#include "platform/target_system/utf16.h"

namespace platform::target {
namespace {

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";

// ---- Export ----

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

std::string HexList(std::string_view bytes) {
  std::string out;
  char byte[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(bytes[i]));
    if (i > 0) out.push_back(',');
    out += byte;
  }
  return out;
}

std::string ValueLine(const RegistryValue& value) {
  std::string line = value.name.empty() ? "@" : Quote(value.name);
  line.push_back('=');
  char prefix[24];
  if (value.type == kRegSz && value.data.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos) {
    line += Quote(value.data);
  } else if (value.type == kRegSz) {
    line += "hex(1):" + HexList(Utf8ToUtf16Le(value.data) + std::string(2, '\0'));
  } else if (value.type == kRegDword && value.AsDword()) {
    std::snprintf(prefix, sizeof prefix, "dword:%08x", *value.AsDword());
    line += prefix;
  } else if (value.type == kRegBinary) {
    line += "hex:" + HexList(value.data);
  } else if (value.type == kRegExpandSz) {
    line += "hex(2):" + HexList(Utf8ToUtf16Le(value.data) + std::string(2, '\0'));
  } else if (value.type == kRegMultiSz) {
    line += "hex(7):" + HexList(Utf8ToUtf16Le(value.data));
  } else {
    std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
    line += prefix + HexList(value.data);
  }
  return line;
}

Status ExportTree(Registry& registry, RegistryRoot root, const std::string& key, std::string* text) {
  const std::string root_name(RegistryRootName(root));
  return registry.VisitTree(root, key,
                            [&](const std::string& path, const std::vector<RegistryValue>& values) {
                              *text += "[" + root_name + (path.empty() ? "" : "\\" + path) + "]\r\n";
                              for (const RegistryValue& value : values) *text += ValueLine(value) + "\r\n";
                              *text += "\r\n";
                              return Status::Ok();
                            });
}

// ---- Import ----

class Parser {
 public:
  Parser(std::vector<std::string> lines, bool ansi) : lines_(std::move(lines)), ansi_(ansi) {}

  Status Run(RegistryBatch* batch) {
    if (lines_.empty() || (Trim(lines_[0]) != kHeader5 && Trim(lines_[0]) != kHeader4)) {
      return Error(1, "the file does not begin with \"" + std::string(kHeader5) + "\"");
    }
    for (line_ = 1; line_ < lines_.size(); ++line_) {
      const std::string_view text = Trim(lines_[line_]);
      if (text.empty() || text.front() == ';') continue;
      batch->set_line(line_ + 1);
      Status s = text.front() == '[' ? Section(text, batch) : Value(text, batch);
      if (!s.ok()) return s;
    }
    return Status::Ok();
  }

 private:
  static std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
  }

  Status Error(std::size_t line, const std::string& what) const {
    return Status::InvalidArgument("line " + std::to_string(line) + ": " + what);
  }
  Status Error(const std::string& what) const { return Error(line_ + 1, what); }

  Status Section(std::string_view text, RegistryBatch* batch) {
    if (text.back() != ']') return Error("a key line must end with ']'");
    text = text.substr(1, text.size() - 2);
    const bool remove = !text.empty() && text.front() == '-';
    if (remove) text.remove_prefix(1);
    const std::size_t slash = text.find('\\');
    const std::string_view root_name = text.substr(0, slash);
    const std::optional<RegistryRoot> root = RegistryRootFromName(root_name, true);
    if (!root) return Error("unknown root key \"" + std::string(root_name) + "\"");
    std::string key = slash == std::string_view::npos ? std::string() : std::string(text.substr(slash + 1));
    if (!key.empty() && key.back() == '\\') key.pop_back();
    if ((slash != std::string_view::npos && key.empty()) || key.find("\\\\") != std::string::npos ||
        (!key.empty() && key.front() == '\\')) {
      return Error("empty key name in \"" + std::string(text) + "\"");
    }
    const Status valid = CheckKeyPath(*root, key);
    if (!valid.ok()) return Error(valid.message());
    if (remove) {
      if (key.empty()) return Error("a root key cannot be deleted");
      batch->DeleteTree(*root, key);
      has_key_ = false;
    } else {
      batch->CreateKey(*root, key);
      root_ = *root;
      key_ = std::move(key);
      has_key_ = true;
    }
    return Status::Ok();
  }

  // Reads a quoted text at text[pos] (the opening quote), undoing \\ and \".
  Status Quoted(std::string_view text, std::size_t& pos, std::string* out) const {
    out->clear();
    for (++pos; pos < text.size(); ++pos) {
      const char c = text[pos];
      if (c == '"') {
        ++pos;
        return Status::Ok();
      }
      if (c == '\\') {
        if (pos + 1 >= text.size() || (text[pos + 1] != '\\' && text[pos + 1] != '"')) {
          return Error("unknown escape in a quoted text");
        }
        ++pos;
      }
      out->push_back(text[pos]);
    }
    return Error("a quoted text has no closing quote");
  }

  Status HexBytes(std::string data, std::string* bytes) {
    // Continuation lines end in a backslash.
    while (!data.empty() && data.back() == '\\') {
      data.pop_back();
      if (line_ + 1 >= lines_.size()) return Error("the file ends inside a hex list");
      ++line_;
      data += Trim(lines_[line_]);
    }
    bytes->clear();
    std::size_t pos = 0;
    const auto skip_blanks = [&] {
      while (pos < data.size() && (data[pos] == ' ' || data[pos] == '\t')) ++pos;
    };
    skip_blanks();
    if (pos == data.size()) return Status::Ok();
    while (true) {
      skip_blanks();
      unsigned value = 0;
      std::size_t digits = 0;
      while (pos < data.size() && digits < 2 && HexDigitValue(data[pos]) >= 0) {
        value = value * 16 + static_cast<unsigned>(HexDigitValue(data[pos++]));
        ++digits;
      }
      if (digits == 0) return Error("malformed hex list");
      bytes->push_back(static_cast<char>(value));
      skip_blanks();
      if (pos == data.size()) return Status::Ok();
      if (data[pos] != ',') return Error("malformed hex list");
      ++pos;
      skip_blanks();
      if (pos == data.size()) return Status::Ok();  // a trailing comma
    }
  }

  Status Value(std::string_view text, RegistryBatch* batch) {
    if (!has_key_) return Error("a value outside of a key");
    std::string name;
    std::size_t pos = 0;
    if (text.front() == '@') {
      pos = 1;
    } else if (text.front() == '"') {
      Status s = Quoted(text, pos, &name);
      if (!s.ok()) return s;
    } else {
      return Error("a value line must begin with '\"' or '@'");
    }
    std::string_view rest = Trim(text.substr(pos));
    if (rest.empty() || rest.front() != '=') return Error("'=' expected after the value name");
    rest = Trim(rest.substr(1));

    if (rest == "-") {
      batch->DeleteValue(root_, key_, name);
      return Status::Ok();
    }
    if (!rest.empty() && rest.front() == '"') {
      std::string data;
      std::size_t at = 0;
      Status s = Quoted(rest, at, &data);
      if (!s.ok()) return s;
      if (!Trim(rest.substr(at)).empty()) return Error("text after the closing quote");
      batch->SetValue(root_, key_, RegistryValue::String(name, data));
      return Status::Ok();
    }
    if (rest.starts_with("dword:")) {
      const std::string_view digits = rest.substr(6);
      std::uint32_t number = 0;
      if (digits.empty() || digits.size() > 8) return Error("a dword needs 1 to 8 hex digits");
      for (char c : digits) {
        if (HexDigitValue(c) < 0) return Error("a dword needs 1 to 8 hex digits");
        number = number * 16 + static_cast<std::uint32_t>(HexDigitValue(c));
      }
      batch->SetValue(root_, key_, RegistryValue::Dword(name, number));
      return Status::Ok();
    }
    if (rest.starts_with("hex")) return HexValue(rest.substr(3), name, batch);
    return Error("unknown value form");
  }

  Status HexValue(std::string_view rest, const std::string& name, RegistryBatch* batch) {
    std::uint32_t type = kRegBinary;
    if (!rest.empty() && rest.front() == '(') {
      const std::size_t close = rest.find(')');
      const std::string_view digits = rest.substr(1, close == std::string_view::npos ? 0 : close - 1);
      if (close == std::string_view::npos || digits.empty() || digits.size() > 8) {
        return Error("malformed type number in hex(...)");
      }
      type = 0;
      for (char c : digits) {
        if (HexDigitValue(c) < 0) return Error("malformed type number in hex(...)");
        type = type * 16 + static_cast<std::uint32_t>(HexDigitValue(c));
      }
      rest = rest.substr(close + 1);
    }
    if (rest.empty() || rest.front() != ':') return Error("':' expected after hex");
    std::string bytes;
    Status s = HexBytes(std::string(rest.substr(1)), &bytes);
    if (!s.ok()) return s;
    if (type == kRegSz) {
      std::string text;
      // Only the one terminating NUL goes: NULs before it are the string's
      // own characters, as the exporter wrote them.
      if (ansi_) {
        text = Cp932ToUtf8(bytes);
        if (!text.empty() && text.back() == '\0') text.pop_back();
      } else {
        if (bytes.size() % 2 != 0) return Error("a hex(1) string needs whole UTF-16 characters");
        if (bytes.size() >= 2 && bytes[bytes.size() - 1] == '\0' && bytes[bytes.size() - 2] == '\0') {
          bytes.resize(bytes.size() - 2);
        }
        text = Utf16LeToUtf8(bytes);
      }
      batch->SetValue(root_, key_, RegistryValue::String(name, text));
      return Status::Ok();
    }
    if (type == kRegExpandSz || type == kRegMultiSz) {
      std::string text;
      if (ansi_) {
        text = Cp932ToUtf8(bytes);
      } else {
        if (bytes.size() % 2 != 0) return Error("a hex(2) or hex(7) text needs whole UTF-16 characters");
        text = Utf16LeToUtf8(bytes);
      }
      if (type == kRegExpandSz) {
        while (!text.empty() && text.back() == '\0') text.pop_back();
      }
      batch->SetValue(root_, key_, RegistryValue::Raw(name, type, text));
      return Status::Ok();
    }
    if (type == kRegDword && bytes.size() != 4) return Error("a hex(4) value needs four bytes");
    batch->SetValue(root_, key_, RegistryValue::Raw(name, type, bytes));
    return Status::Ok();
  }

  std::vector<std::string> lines_;
  bool ansi_;
  std::size_t line_ = 0;
  bool has_key_ = false;
  RegistryRoot root_ = RegistryRoot::kLocalMachine;
  std::string key_;
};

}  // namespace

Status ExportRegistryText(Registry& registry, RegistryRoot root, std::string_view key, std::string* text) {
  std::string out = std::string(kHeader5) + "\r\n\r\n";
  std::string path(key);
  if (!path.empty() && path.back() == '\\') path.pop_back();
  Status s = ExportTree(registry, root, path, &out);
  if (!s.ok()) return s;
  *text = std::move(out);
  return Status::Ok();
}

std::string RegistryFileBytes(std::string_view text) { return "\xFF\xFE" + Utf8ToUtf16Le(text); }

Status ParseRegistryText(std::string_view bytes, RegistryBatch* batch) {
  std::string text;
  bool ansi = false;
  if (bytes.starts_with("\xFF\xFE")) {
    text = Utf16LeToUtf8(bytes.substr(2));
  } else if (bytes.starts_with("\xFE\xFF")) {
    return Status::InvalidArgument("line 1: UTF-16 big-endian files are not supported");
  } else if (bytes.starts_with("\xEF\xBB\xBF")) {
    text = bytes.substr(3);
  } else if (bytes.starts_with(kHeader4)) {
    text = Cp932ToUtf8(bytes);
    ansi = true;
  } else {
    text = bytes;
  }
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  RegistryBatch parsed;
  Status s = Parser(std::move(lines), ansi).Run(&parsed);
  if (!s.ok()) return s;
  *batch = std::move(parsed);
  return Status::Ok();
}

Status ImportRegistryText(Registry& registry, std::string_view bytes) {
  RegistryBatch batch;
  Status s = ParseRegistryText(bytes, &batch);
  return s.ok() ? registry.Apply(batch) : s;
}

}  // namespace platform::target
