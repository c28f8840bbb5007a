#include "setup/app/browse_options.h"

#include "platform/utf8.h"

namespace setup::window {
namespace {

constexpr std::uint32_t kShellFlags[] = {0x1000, 0x2000, 0x0002, 0x0008, 0x0001, 0x0004};

std::size_t CharacterCount(const std::string& text) { return platform::DecodeUtf8(text).size(); }

}  // namespace

std::uint32_t ShellFlags(const TBrowseOptions& options) {
  std::uint32_t flags = 0;
  for (int o = biBrowseForComputer; o <= biStatusText; ++o) {
    if (options.Has(static_cast<TBrowseOption>(o))) flags |= kShellFlags[o];
  }
  return flags;
}

std::string PreselectionOf(const std::string& directory) {
  std::string path = directory;
  if (CharacterCount(path) > 3 && !path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

}  // namespace setup::window
