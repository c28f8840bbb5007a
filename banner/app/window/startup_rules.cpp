#include "banner/app/window/startup_rules.h"

#include <filesystem>

#include "banner/app/window/window_texts.h"
#include "platform/ascii_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace plakato {

namespace {

std::string TwoDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

std::string FourDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d", value);
  return buffer;
}

}  // namespace

std::string FormatVersionLabel(const ProgramVersion& version) {
  std::string label = "ver" + std::to_string(version.major) + "." + TwoDigits(version.minor);
  if (version.revision > 999) {
    // Beyond the four-digit range the letter would leave the alphabet.
    const int thousands = std::min(version.revision / 1000, 26);
    label += static_cast<char>('a' + thousands - 1);
  }
  return label;
}

std::string FormatInstallVersion(const ProgramVersion& version) {
  return std::to_string(version.major) + "." + TwoDigits(version.minor) + "." + FourDigits(version.revision);
}

std::optional<std::string> SettingsPathFromArguments(const std::vector<std::string>& arguments) {
  if (arguments.size() < 2) return std::nullopt;
  std::string path = arguments[1];
  for (std::size_t i = 2; i < arguments.size(); ++i) path += " " + arguments[i];
  if (path.size() < 4) return std::nullopt;
  if (platform::AsciiLower(path.substr(path.size() - 4)) != ".pkc") return std::nullopt;
  return path;
}

std::string WindowCaption(const std::string& document_path, bool modified) {
  std::string caption = modified ? "*" : "";
  if (!document_path.empty()) caption += std::filesystem::path(document_path).filename().string() + " - ";
  return caption + kApplicationTitle;
}

}  // namespace plakato
