#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "banner/render/font_backend.h"

namespace plakato {

// The font file a face name and style resolve to, and the styles that have to
// be synthesised because the file lacks them.
struct ResolvedFont {
  std::string file;
  int index = 0;
  std::string family;
  bool synthetic_bold = false;
  bool synthetic_italic = false;
};

// Fonts through fontconfig and FreeType, at 96 pixels per inch, with
// grayscale smoothing. The backend keeps a fontconfig configuration of its
// own: the machine's configuration plus the alias file given to the
// constructor, which maps the Windows Japanese face names onto IPA faces.
// An empty or unknown face falls back to IPAPGothic, and so does every
// character the chosen face has no glyph for.
class FreeTypeFontBackend : public FontBackend {
 public:
  explicit FreeTypeFontBackend(const std::filesystem::path& aliases);
  ~FreeTypeFontBackend() override;
  FreeTypeFontBackend(const FreeTypeFontBackend&) = delete;
  FreeTypeFontBackend& operator=(const FreeTypeFontBackend&) = delete;

  // Ok when the back end started completely; otherwise what went wrong
  // (the back end then draws with whatever it could load, possibly nothing).
  platform::Status status() const;

  ResolvedFont Resolve(const std::string& face, bool bold, bool italic);

  TextExtent Measure(const FontSpec& font, std::string_view text) override;
  std::shared_ptr<const CoverageMask> Render(const FontSpec& font, std::string_view text) override;
  platform::Status CheckFont(const FontSpec& font) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace plakato
