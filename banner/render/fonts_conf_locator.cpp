#include "banner/render/fonts_conf_locator.h"

#include <cstdlib>
#include <system_error>

namespace plakato {

namespace {

bool IsFile(const std::filesystem::path& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::filesystem::path LocateFontsConf() {
  if (const char* named = std::getenv("PLAKATO_FONTS_CONF"); named != nullptr && *named != '\0') {
    if (IsFile(named)) return named;
  }
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    const std::filesystem::path beside = program.parent_path() / kFontsConfName;
    if (IsFile(beside)) return beside;
  }
#ifdef PLAKATO_FONTS_CONF_SOURCE
  if (IsFile(PLAKATO_FONTS_CONF_SOURCE)) return PLAKATO_FONTS_CONF_SOURCE;
#endif
  return {};
}

}  // namespace plakato
