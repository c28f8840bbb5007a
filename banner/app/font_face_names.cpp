#include "banner/app/font_face_names.h"

#include "banner/render/fonts_conf_locator.h"
#include "platform/atomic_file.h"

namespace plakato {
namespace {

// The text of the first <string> element from pos on, before limit.
std::string StringAfter(std::string_view text, std::size_t& pos, std::size_t limit) {
  const std::size_t open = text.find("<string>", pos);
  if (open == std::string_view::npos || open >= limit) return {};
  const std::size_t start = open + 8;
  const std::size_t close = text.find("</string>", start);
  if (close == std::string_view::npos || close > limit) return {};
  pos = close + 9;
  return std::string(text.substr(start, close - start));
}

}  // namespace

FontFaceNames FontFaceNames::Parse(std::string_view text) {
  FontFaceNames names;
  std::size_t pos = 0;
  while ((pos = text.find("<match", pos)) != std::string_view::npos) {
    std::size_t end = text.find("</match>", pos);
    if (end == std::string_view::npos) break;
    const std::size_t test = text.find("<test name=\"family\"", pos);
    const std::size_t edit = text.find("<edit name=\"family\"", pos);
    if (test < edit && edit < end) {
      std::size_t at = test;
      std::string face = StringAfter(text, at, edit);
      at = edit;
      std::string family = StringAfter(text, at, end);
      if (!face.empty() && !family.empty()) names.aliases_.emplace_back(std::move(face), std::move(family));
    }
    pos = end + 8;
  }
  return names;
}

FontFaceNames FontFaceNames::LoadInstalled() {
  const std::filesystem::path conf = LocateFontsConf();
  std::string text;
  if (conf.empty() || !platform::ReadWholeFile(conf, text).ok()) return {};
  return Parse(text);
}

std::string FontFaceNames::RealFamily(const std::string& face) const {
  for (const auto& [windows, family] : aliases_) {
    if (windows == face) return family;
  }
  return face;
}

std::string FontFaceNames::WindowsFace(const std::string& family) const {
  for (const auto& [windows, target] : aliases_) {
    // A name mapped twice draws its first family only.
    if (target == family && RealFamily(windows) == family) return windows;
  }
  return family;
}

}  // namespace plakato
