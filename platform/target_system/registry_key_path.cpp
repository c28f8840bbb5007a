#include "platform/target_system/registry_key_path.h"

namespace platform::target {
namespace {

// HKEY_CLASSES_ROOT lies two levels below HKEY_LOCAL_MACHINE.
constexpr std::size_t kClassesDepth = 2;

// Characters of UTF-8 text: every byte but the continuation bytes starts one.
std::size_t Utf8Chars(std::string_view text) {
  std::size_t n = 0;
  for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return n;
}

}  // namespace

std::size_t MaxDepthBelow(RegistryRoot root) {
  return root == RegistryRoot::kClassesRoot ? kMaxKeyDepth - kClassesDepth : kMaxKeyDepth;
}

Status SplitKeyPath(std::string_view path, std::vector<std::string>* parts, std::size_t max_depth) {
  parts->clear();
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  if (path.empty()) return Status::Ok();
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find('\\', start);
    std::string_view part = path.substr(start, end == std::string_view::npos ? path.npos : end - start);
    if (part.empty()) return Status::InvalidArgument("empty key name in the key path");
    if (Utf8Chars(part) > kMaxKeyNameChars) {
      return Status::InvalidArgument("a key name is longer than " + std::to_string(kMaxKeyNameChars) +
                                     " characters");
    }
    if (parts->size() == max_depth) {
      return Status::InvalidArgument("the key path is deeper than " + std::to_string(max_depth) + " levels");
    }
    parts->emplace_back(part);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return Status::Ok();
}

Status CheckKeyPath(RegistryRoot root, std::string_view path) {
  std::vector<std::string> parts;
  return SplitKeyPath(path, &parts, MaxDepthBelow(root));
}

}  // namespace platform::target
