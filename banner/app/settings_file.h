#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "banner/app/banner_editor.h"
#include "banner/render/color.h"
#include "platform/status_or.h"

namespace plakato {

// Settings files are a few kilobytes; anything far larger is not one.
inline constexpr std::uintmax_t kMaxSettingsFileBytes = 1 << 20;

// How a settings file's text is stored. Code page 932 is what other
// programs read; UTF-8 (with a byte-order mark when written here) keeps the
// characters that code page 932 lacks.
enum class SettingsEncoding { kCp932, kUtf8WithMark, kUtf8 };

// A byte-order mark means UTF-8; so does text that is valid UTF-8 but not
// valid code page 932; anything else is code page 932.
SettingsEncoding DetectSettingsEncoding(std::string_view bytes);

// The value of a key of a settings file, or def when the file, the section or
// the key is missing; at most 4095 bytes. File text is read in the encoding
// DetectSettingsEncoding finds; the result is UTF-8.
std::string ReadSettingValue(std::string_view section, std::string_view key, std::string_view def,
                             const std::filesystem::path& path);

// Six upper-case hexadecimal digits of 0x00BBGGRR: blue, green, red.
std::string ColorToHex6(Color color);

// Ok when path can be read as a settings file or does not exist; otherwise
// why not (not a regular file such as a pipe or a device, far too large,
// unreadable), with the file's name.
platform::Status CheckSettingsFile(const std::filesystem::path& path);

// The characters of the design's texts that code page 932 cannot store, each
// once, in the order they first appear; empty when the design fits.
std::string CharactersCp932Lacks(const BannerEditor& editor);

// Writes every key, section by section in the fixed order. The file is code
// page 932 while everything in it fits, otherwise UTF-8 with a byte-order
// mark; the lines already in a file being replaced are converted with it, so
// nothing is lost. A failure says which write failed (the file then holds
// what was written before the failure).
platform::Status SaveSettings(const BannerEditor& editor, const std::filesystem::path& path);

// What a load that succeeded still has to tell, e.g. a background picture
// that could not be loaded.
using LoadWarnings = std::vector<std::string>;

// Puts every value of the file into the editor in the fixed order, each as
// the user's change of that control, rebuilds the background picture and
// renders once at the end. A missing file loads as all defaults; a malformed
// value keeps the control as it was; a file that is no settings file (see
// CheckSettingsFile, or one without any of the sections Size, BackGround
// and Title) changes nothing and is the failure.
platform::StatusOr<LoadWarnings> LoadSettings(BannerEditor& editor, const std::filesystem::path& path);

}  // namespace plakato
