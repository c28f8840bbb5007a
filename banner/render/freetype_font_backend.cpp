#include "banner/render/freetype_font_backend.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_OUTLINE_H

#include <cstring>

#include <algorithm>
#include <climits>
#include <map>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "banner/render/caching_font_backend.h"
#include "banner/render/fonts_conf_locator.h"
#include "platform/utf8.h"

namespace plakato {

namespace {

constexpr const char* kFallbackFamily = "IPAPGothic";
constexpr int kDotsPerInch = 96;
// Sizes beyond this are drawn at this size; nothing sensible is larger.
constexpr int kMaxPoints = 1000;
// Cached glyph images are dropped all at once beyond this many.
constexpr std::size_t kMaxCachedGlyphs = 20000;

int CeilPixels(FT_Pos value) { return static_cast<int>((value + 63) >> 6); }

// A face as a style asks for it: the file's face plus what to synthesise.
struct StyledFace {
  FT_Face face = nullptr;
  bool bold = false;
  bool italic = false;
};

struct GlyphKey {
  FT_Face face;
  int points;
  bool bold;
  bool italic;
  FT_UInt index;
  bool operator==(const GlyphKey&) const = default;
};

struct GlyphKeyHash {
  std::size_t operator()(const GlyphKey& key) const {
    std::size_t h = std::hash<const void*>()(key.face);
    h = h * 31 + static_cast<std::size_t>(key.points);
    h = h * 31 + static_cast<std::size_t>(key.index);
    return h * 4 + (key.bold ? 2 : 0) + (key.italic ? 1 : 0);
  }
};

struct GlyphImage {
  int advance = 0;
  int left = 0;
  int top = 0;
  int width = 0;
  int rows = 0;
  std::vector<std::uint8_t> pixels;
};

struct PlacedGlyph {
  const GlyphImage* image;
  int x;  // pen position of the glyph
};

}  // namespace

struct FreeTypeFontBackend::Impl {
  FT_Library library = nullptr;
  FcConfig* config = nullptr;
  std::string error;
  std::map<std::pair<std::string, int>, FT_Face> faces;
  std::map<FT_Face, int> face_points;
  std::map<std::tuple<std::string, bool, bool>, ResolvedFont> resolved;
  std::unordered_map<GlyphKey, GlyphImage, GlyphKeyHash> glyphs;

  ~Impl() {
    for (auto& [key, face] : faces) {
      if (face != nullptr) FT_Done_Face(face);
    }
    if (library != nullptr) FT_Done_FreeType(library);
    if (config != nullptr) FcConfigDestroy(config);
  }

  ResolvedFont Resolve(const std::string& family, bool bold, bool italic) {
    const auto key = std::make_tuple(family, bold, italic);
    if (auto found = resolved.find(key); found != resolved.end()) return found->second;
    ResolvedFont font;
    FcPattern* pattern = FcPatternCreate();
    if (config != nullptr && pattern != nullptr) {
      if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
      // Listed second, so an unknown face falls back to it rather than to
      // whatever the machine prefers.
      FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(kFallbackFamily));
      FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
      FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
      FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
      FcConfigSubstitute(config, pattern, FcMatchPattern);
      FcDefaultSubstitute(pattern);
      FcResult result = FcResultNoMatch;
      if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
        FcChar8* file = nullptr;
        FcChar8* matched_family = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
          font.file = reinterpret_cast<const char*>(file);
        if (FcPatternGetString(match, FC_FAMILY, 0, &matched_family) == FcResultMatch)
          font.family = reinterpret_cast<const char*>(matched_family);
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        font.index = index;
        FcPatternDestroy(match);
      }
    }
    if (pattern != nullptr) FcPatternDestroy(pattern);
    // The file itself says which styles it has; the matched pattern echoes
    // the request instead.
    if (FT_Face face = OpenFace(font)) {
      font.synthetic_bold = bold && (face->style_flags & FT_STYLE_FLAG_BOLD) == 0;
      font.synthetic_italic = italic && (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0;
    }
    resolved.emplace(key, font);
    return font;
  }

  FT_Face OpenFace(const ResolvedFont& font) {
    if (library == nullptr || font.file.empty()) return nullptr;
    const auto key = std::make_pair(font.file, font.index);
    if (auto found = faces.find(key); found != faces.end()) return found->second;
    FT_Face face = nullptr;
    if (FT_New_Face(library, font.file.c_str(), font.index, &face) != 0) face = nullptr;
    if (face != nullptr && !FT_IS_SCALABLE(face)) {
      FT_Done_Face(face);
      face = nullptr;
    }
    faces.emplace(key, face);
    return face;
  }

  StyledFace Styled(const std::string& family, bool bold, bool italic) {
    const ResolvedFont font = Resolve(family, bold, italic);
    return {OpenFace(font), font.synthetic_bold, font.synthetic_italic};
  }

  bool SetPoints(FT_Face face, int points) {
    auto& current = face_points[face];
    if (current == points) return true;
    if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(points) * 64, kDotsPerInch, kDotsPerInch) != 0)
      return false;
    current = points;
    return true;
  }

  // Mincho lives by its thin horizontal strokes; thickened as much as the
  // vertical ones it reads as Gothic.
  static bool IsMincho(FT_Face face) {
    return face->family_name && std::strstr(face->family_name, "Mincho") != nullptr;
  }

  // Widens the strokes sideways only, by what the library's emboldening
  // adds, so the glyph advances (and the title's fitted size) stay the same.
  static void EmboldenAcross(FT_GlyphSlot slot) {
    const FT_Pos strength = FT_MulFix(slot->face->units_per_EM, slot->face->size->metrics.y_scale) / 24;
    FT_Outline_EmboldenXY(&slot->outline, strength, 0);
    slot->metrics.width += strength;
    slot->metrics.horiAdvance += strength;
    if (slot->advance.x) slot->advance.x += strength;
  }

  const GlyphImage& Glyph(const StyledFace& styled, int points, FT_UInt index) {
    const GlyphKey key{styled.face, points, styled.bold, styled.italic, index};
    if (auto found = glyphs.find(key); found != glyphs.end()) return found->second;
    GlyphImage image;
    if (SetPoints(styled.face, points) && FT_Load_Glyph(styled.face, index, FT_LOAD_NO_BITMAP) == 0) {
      FT_GlyphSlot slot = styled.face->glyph;
      if (styled.italic) FT_GlyphSlot_Oblique(slot);
      if (styled.bold && IsMincho(styled.face) && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        EmboldenAcross(slot);
      } else if (styled.bold) {
        FT_GlyphSlot_Embolden(slot);
      }
      image.advance = static_cast<int>((slot->advance.x + 32) >> 6);
      if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0 &&
          slot->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        const FT_Bitmap& bitmap = slot->bitmap;
        image.left = slot->bitmap_left;
        image.top = slot->bitmap_top;
        image.width = static_cast<int>(bitmap.width);
        image.rows = static_cast<int>(bitmap.rows);
        image.pixels.resize(static_cast<std::size_t>(image.width) * image.rows);
        for (int y = 0; y < image.rows; ++y) {
          const unsigned char* row =
              bitmap.pitch >= 0 ? bitmap.buffer + static_cast<long>(y) * bitmap.pitch
                                : bitmap.buffer + static_cast<long>(image.rows - 1 - y) * -bitmap.pitch;
          std::copy(row, row + image.width, image.pixels.begin() + static_cast<long>(y) * image.width);
        }
      }
    }
    return glyphs.emplace(key, std::move(image)).first->second;
  }

  // Lays text out on one line: the glyphs with their pen positions, the
  // total advance, and the ascent and descent of the primary face.
  struct Layout {
    std::vector<PlacedGlyph> glyphs;
    int advance = 0;
    int ascent = 0;
    int descent = 0;
  };

  Layout LayOut(const FontSpec& font, std::string_view text) {
    Layout layout;
    // Dropped only here, before a layout holds pointers into the cache.
    if (glyphs.size() >= kMaxCachedGlyphs) glyphs.clear();
    const int points = std::clamp(font.points, 1, kMaxPoints);
    const StyledFace primary = Styled(font.face, font.bold, font.italic);
    const StyledFace fallback = Styled(kFallbackFamily, font.bold, font.italic);
    const StyledFace& metrics_face = primary.face != nullptr ? primary : fallback;
    if (metrics_face.face == nullptr || !SetPoints(metrics_face.face, points)) return layout;
    layout.ascent = CeilPixels(metrics_face.face->size->metrics.ascender);
    layout.descent = CeilPixels(-metrics_face.face->size->metrics.descender);

    long long pen = 0;
    for (char32_t code : platform::DecodeUtf8(text)) {
      const StyledFace* use = &metrics_face;
      FT_UInt index = FT_Get_Char_Index(use->face, code);
      if (index == 0 && fallback.face != nullptr && use->face != fallback.face) {
        if (FT_UInt other = FT_Get_Char_Index(fallback.face, code); other != 0) {
          use = &fallback;
          index = other;
        }
      }
      const GlyphImage& image = Glyph(*use, points, index);
      layout.glyphs.push_back({&image, static_cast<int>(std::min<long long>(pen, INT_MAX / 4))});
      pen += image.advance;
    }
    layout.advance = static_cast<int>(std::clamp<long long>(pen, 0, INT_MAX / 4));
    return layout;
  }
};

namespace {

// Loads the alias file into config and builds its font set; the result is
// null (and config released) when that fails or, where asked, when the
// fallback face is not among the fonts.
FcConfig* LoadConfig(FcConfig* config, const std::filesystem::path& aliases, bool need_fallback) {
  if (config == nullptr) config = FcInitLoadConfig();
  if (config == nullptr) return nullptr;
  const bool parsed = aliases.empty() ||
                      FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(aliases.c_str()), FcTrue);
  bool usable = parsed && FcConfigBuildFonts(config);
  if (usable && need_fallback) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(kFallbackFamily));
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* found = FcFontList(config, pattern, objects);
    usable = found != nullptr && found->nfont > 0;
    if (found != nullptr) FcFontSetDestroy(found);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
  }
  if (!usable) {
    FcConfigDestroy(config);
    return nullptr;
  }
  return config;
}

}  // namespace

FreeTypeFontBackend::FreeTypeFontBackend(const std::filesystem::path& aliases)
    : impl_(std::make_unique<Impl>()) {
  // The first failure is the most specific one; later ones follow from it.
  auto fail = [this](std::string why) {
    if (impl_->error.empty()) impl_->error = std::move(why);
  };
  if (FT_Init_FreeType(&impl_->library) != 0) {
    impl_->library = nullptr;
    fail("FreeType could not be initialised");
  }
  if (aliases.empty()) {
    fail("フォントの別名ファイルが見つかりません");
    impl_->config = LoadConfig(FcInitLoadConfig(), {}, false);
  } else {
    // The alias file names the font folders itself; only where that finds no
    // fallback face does the machine's own configuration come in as well.
    impl_->config = LoadConfig(FcConfigCreate(), aliases, true);
    if (impl_->config == nullptr) impl_->config = LoadConfig(FcInitLoadConfig(), aliases, false);
    if (impl_->config == nullptr) fail("フォントの別名ファイルを読み込めません: " + aliases.string());
  }
  if (impl_->config == nullptr) fail("フォントが一つも見つかりません");
}

FreeTypeFontBackend::~FreeTypeFontBackend() = default;

platform::Status FreeTypeFontBackend::status() const {
  return impl_->error.empty() ? platform::Status::Ok() : platform::Status::IoError(impl_->error);
}

ResolvedFont FreeTypeFontBackend::Resolve(const std::string& face, bool bold, bool italic) {
  return impl_->Resolve(face, bold, italic);
}

platform::Status FreeTypeFontBackend::CheckFont(const FontSpec& font) {
  if (impl_->OpenFace(impl_->Resolve(font.face, font.bold, font.italic)) != nullptr)
    return platform::Status::Ok();
  const std::string why = "「" + font.face + "」のフォントが見つかりません";
  return platform::Status::NotFound(impl_->error.empty() ? why : why + ": " + impl_->error);
}

TextExtent FreeTypeFontBackend::Measure(const FontSpec& font, std::string_view text) {
  const Impl::Layout layout = impl_->LayOut(font, text);
  return {layout.advance, layout.ascent + layout.descent};
}

std::shared_ptr<const CoverageMask> FreeTypeFontBackend::Render(const FontSpec& font, std::string_view text) {
  auto mask = std::make_shared<CoverageMask>();
  const Impl::Layout layout = impl_->LayOut(font, text);
  // Bounds of all glyph images relative to the text cell's top-left corner.
  long long left = LLONG_MAX, top = LLONG_MAX, right = LLONG_MIN, bottom = LLONG_MIN;
  for (const PlacedGlyph& placed : layout.glyphs) {
    const GlyphImage& image = *placed.image;
    if (image.width <= 0 || image.rows <= 0) continue;
    const long long x = static_cast<long long>(placed.x) + image.left;
    const long long y = static_cast<long long>(layout.ascent) - image.top;
    left = std::min(left, x);
    top = std::min(top, y);
    right = std::max(right, x + image.width);
    bottom = std::max(bottom, y + image.rows);
  }
  if (left >= right || top >= bottom) return mask;
  mask->left = static_cast<int>(left);
  mask->top = static_cast<int>(top);
  mask->width = static_cast<int>(right - left);
  mask->height = static_cast<int>(bottom - top);
  mask->coverage.assign(static_cast<std::size_t>(mask->width) * mask->height, 0);
  // Overlapping glyphs (italic, bold) keep the larger coverage.
  for (const PlacedGlyph& placed : layout.glyphs) {
    const GlyphImage& image = *placed.image;
    const long long x0 = static_cast<long long>(placed.x) + image.left - left;
    const long long y0 = static_cast<long long>(layout.ascent) - image.top - top;
    for (int y = 0; y < image.rows; ++y) {
      std::uint8_t* out = mask->coverage.data() + (y0 + y) * mask->width + x0;
      const std::uint8_t* in = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
      for (int x = 0; x < image.width; ++x) out[x] = std::max(out[x], in[x]);
    }
  }
  return mask;
}

std::shared_ptr<FontBackend> CreateDefaultFontBackend() {
  return std::make_shared<CachingFontBackend>(std::make_shared<FreeTypeFontBackend>(LocateFontsConf()));
}

}  // namespace plakato
