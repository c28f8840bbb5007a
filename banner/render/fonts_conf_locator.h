#pragma once

#include <filesystem>

namespace plakato {

// Name of the font alias file that ships with the programs.
inline constexpr const char* kFontsConfName = "plakato-fonts.conf";

// Where the font alias file is: the file named by the environment variable
// PLAKATO_FONTS_CONF, else plakato-fonts.conf next to the running program,
// else the copy in the source tree. Empty when none of them exists.
std::filesystem::path LocateFontsConf();

}  // namespace plakato
