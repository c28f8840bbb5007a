#include "platform/profile_grammar.h"

namespace platform {

ProfileLine ParseProfileLine(std::string_view text) {
  const std::string_view t = TrimAsciiBlanks(text);
  if (t.empty() || t.front() == ';') return {};
  if (t.front() == '[') {
    const std::size_t close = t.find(']');
    const std::string_view name =
        t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
    return {ProfileLine::Kind::kSection, TrimAsciiBlanks(name), {}};
  }
  const std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return {};
  return {ProfileLine::Kind::kKey, TrimAsciiBlanks(t.substr(0, eq)), TrimAsciiBlanks(t.substr(eq + 1))};
}

std::string_view UnquoteProfileValue(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

std::optional<ProfileItemName> SplitProfileItemName(std::string_view key) {
  std::size_t digits_start = key.size();
  while (digits_start > 0 && key[digits_start - 1] >= '0' && key[digits_start - 1] <= '9') --digits_start;
  const std::string_view digits = key.substr(digits_start);
  if (digits.empty() || digits_start == 0 || digits.front() == '0' || digits.size() > 18) return std::nullopt;
  std::int64_t n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return ProfileItemName{key.substr(0, digits_start), n};
}

std::string FoldProfileName(std::string_view name) { return AsciiLower(TrimAsciiBlanks(name)); }

bool SameProfileName(std::string_view a, std::string_view b) {
  return AsciiEqualsIgnoringCase(TrimAsciiBlanks(a), TrimAsciiBlanks(b));
}

}  // namespace platform
