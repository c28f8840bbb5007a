#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "banner/app/banner_editor.h"
#include "banner/render/color.h"

namespace plakato {

// The value of a key of a settings file, or def when the file, the section or
// the key is missing; at most 4095 bytes. File text is code page 932; the
// result is UTF-8.
std::string ReadSettingValue(std::string_view section, std::string_view key, std::string_view def,
                             const std::filesystem::path& path);

// Six upper-case hexadecimal digits of 0x00BBGGRR: blue, green, red.
std::string ColorToHex6(Color color);

// Writes every key, section by section in the fixed order. False when a write
// failed (the file then holds what was written before the failure).
bool SaveSettings(const BannerEditor& editor, const std::filesystem::path& path);

struct LoadReport {
  std::vector<std::string> warnings;  // e.g. a background picture that could not be loaded
};

// Puts every value of the file into the editor in the fixed order, each as
// the user's change of that control, rebuilds the background picture and
// renders once at the end. A missing file loads as all defaults; a malformed
// value keeps the control as it was.
LoadReport LoadSettings(BannerEditor& editor, const std::filesystem::path& path);

}  // namespace plakato
