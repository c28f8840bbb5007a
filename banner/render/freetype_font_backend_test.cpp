#include "banner/render/freetype_font_backend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "banner/render/caching_font_backend.h"
#include "banner/render/fonts_conf_locator.h"
#include "banner/render/title_painter.h"
#include "banner/render/work_picture.h"
#include "platform/testing/temp_dir.h"

namespace plakato {
namespace {

// Shared by the tests and destroyed at exit, which releases fontconfig's
// parsed configuration before the leak checker looks.
FreeTypeFontBackend& Fonts() {
  static FreeTypeFontBackend fonts(LocateFontsConf());
  return fonts;
}

int Inked(const CoverageMask& mask) {
  int n = 0;
  for (std::uint8_t c : mask.coverage) n += c > 0;
  return n;
}

TEST(FreeTypeFontBackendTest, StartsWithTheShippedAliasFile) {
  EXPECT_FALSE(LocateFontsConf().empty());
  EXPECT_TRUE(Fonts().status().ok()) << Fonts().status().message();
}

TEST(FreeTypeFontBackendTest, WindowsJapaneseFacesResolveToIpaFaces) {
  const std::pair<const char*, const char*> cases[] = {
      {"ＭＳ Ｐゴシック", "IPAPGothic"},  {"MS PGothic", "IPAPGothic"},
      {"MS UI Gothic", "IPAPGothic"},     {"ＭＳ ゴシック", "IPAGothic"},
      {"MS Gothic", "IPAGothic"},         {"ＭＳ 明朝", "IPAMincho"},
      {"MS Mincho", "IPAMincho"},         {"ＭＳ Ｐ明朝", "IPAPMincho"},
      {"MS PMincho", "IPAPMincho"},       {"", "IPAPGothic"},
      {"No Such Face 123", "IPAPGothic"},
  };
  for (const auto& [face, family] : cases) {
    const ResolvedFont font = Fonts().Resolve(face, false, false);
    EXPECT_EQ(font.family, family) << face;
    EXPECT_FALSE(font.file.empty()) << face;
  }
  EXPECT_NE(Fonts().Resolve("MS Gothic", false, false).file,
            Fonts().Resolve("MS PGothic", false, false).file);
}

TEST(FreeTypeFontBackendTest, MissingStylesAreSynthesised) {
  const ResolvedFont font = Fonts().Resolve("MS Gothic", true, true);
  EXPECT_TRUE(font.synthetic_bold);
  EXPECT_TRUE(font.synthetic_italic);
  const ResolvedFont plain = Fonts().Resolve("MS Gothic", false, false);
  EXPECT_FALSE(plain.synthetic_bold);
  EXPECT_FALSE(plain.synthetic_italic);
}

TEST(FreeTypeFontBackendTest, WithoutTheAliasFileWindowsNamesAreNotMapped) {
  // Proves the mapping comes from the shipped file, not from the machine.
  FreeTypeFontBackend bare{std::filesystem::path()};
  EXPECT_FALSE(bare.status().ok());
  EXPECT_NE(bare.Resolve("MS Mincho", false, false).family, "IPAMincho");
}

TEST(FreeTypeFontBackendTest, JapaneseTextHasGlyphsAndGrowsWithTheSize) {
  const FontSpec font{"ＭＳ Ｐゴシック", false, false, 24};
  const TextExtent extent = Fonts().Measure(font, "日本語のバナー");
  EXPECT_GT(extent.width, 7 * 20);  // full-width glyphs, 32 pixels per em
  EXPECT_GE(extent.height, 32);
  const auto mask = Fonts().Render(font, "日本語のバナー");
  ASSERT_GT(mask->width, 0);
  EXPECT_GT(Inked(*mask), 500);
  EXPECT_LE(mask->width, extent.width + 4);
  EXPECT_GE(mask->top, 0);
  bool solid = false;
  for (std::uint8_t c : mask->coverage) solid |= c == 255;
  EXPECT_TRUE(solid);
  FontSpec larger = font;
  larger.points = 48;
  EXPECT_GT(Fonts().Measure(larger, "日本語のバナー").width, extent.width * 3 / 2);
}

TEST(FreeTypeFontBackendTest, BoldAndItalicChangeTheGlyphs) {
  FontSpec regular{"MS Gothic", false, false, 30};
  FontSpec bold = regular, italic = regular;
  bold.bold = true;
  italic.italic = true;
  const auto plain_mask = Fonts().Render(regular, "漢字ABC");
  EXPECT_GT(Inked(*Fonts().Render(bold, "漢字ABC")), Inked(*plain_mask));
  EXPECT_GE(Fonts().Measure(bold, "漢字ABC").width, Fonts().Measure(regular, "漢字ABC").width);
  EXPECT_NE(Fonts().Render(italic, "漢字ABC")->coverage, plain_mask->coverage);
}

TEST(FreeTypeFontBackendTest, LatinFaceFallsBackForJapaneseCharacters) {
  const FontSpec latin{"DejaVu Sans", false, false, 20};
  const auto mask = Fonts().Render(latin, "漢");
  const auto reference = Fonts().Render({"IPAPGothic", false, false, 20}, "漢");
  EXPECT_EQ(mask->coverage, reference->coverage);
}

TEST(FreeTypeFontBackendTest, BadInputDrawsSafely) {
  const FontSpec font{"MS PGothic", false, false, 12};
  EXPECT_EQ(Fonts().Measure(font, "").width, 0);
  EXPECT_EQ(Fonts().Render(font, "")->width, 0);
  EXPECT_GT(Fonts().Measure(font, std::string("\xff\xfe\x80 a\0b", 7)).width, 0);
  EXPECT_GT(Fonts().Measure({"x", false, false, -5}, "a").width, 0);
  EXPECT_GT(Fonts().Measure({"x", false, false, 2000000}, "a").width, 0);
}

TEST(FreeTypeFontBackendTest, MasksDrawnWithRealGlyphsAreExactInverses) {
  WorkPicture mask0(ScreenGeometry{}, kBlack, kWhite), mask1(ScreenGeometry{}, kWhite, kBlack);
  for (WorkPicture* m : {&mask0, &mask1}) {
    m->Resize(120, 40);
    m->font() = {"ＭＳ 明朝", true, true, 18};
    m->SetCurrentPosition(150, 75);
    m->DrawText(Fonts(), "見出しTitle");
  }
  int partial = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) {
      const Color a = mask0.bitmap().pixel(x, y), b = mask1.bitmap().pixel(x, y);
      ASSERT_EQ(Red(a) + Red(b), 255);
      partial += Red(a) > 0 && Red(a) < 255;
    }
  EXPECT_GT(partial, 0);  // smoothed edges exist
}

TEST(FreeTypeFontBackendTest, CachedFitEqualsThePlainFit) {
  auto plain = std::make_shared<FreeTypeFontBackend>(LocateFontsConf());
  CachingFontBackend cached(plain);
  for (auto [w, h] : {std::pair{88, 31}, std::pair{234, 60}, std::pair{999, 999}}) {
    for (const char* text : {"バナー", "Plakato バナー作成", "W"}) {
      WorkPicture a(ScreenGeometry{}, kBlack, kWhite), b(ScreenGeometry{}, kBlack, kWhite);
      a.Resize(w, h);
      b.Resize(w, h);
      FitTitleFont(a, *plain, text);
      FitTitleFont(b, cached, text);
      FitTitleFont(b, cached, text);
      EXPECT_EQ(a.font().points, b.font().points) << w << "x" << h << " " << text;
      EXPECT_GT(a.font().points, 1);
    }
  }
}

TEST(FontsConfLocatorTest, EnvironmentThenProgramFolder) {
  const std::filesystem::path beside = LocateFontsConf();
  EXPECT_EQ(beside.filename(), kFontsConfName);
  const platform::testing::TempDir dir;
  const std::filesystem::path named = dir / "fonts.conf";
  std::ofstream(named) << "<fontconfig/>\n";
  setenv("PLAKATO_FONTS_CONF", named.c_str(), 1);
  EXPECT_EQ(LocateFontsConf(), named);
  setenv("PLAKATO_FONTS_CONF", "/nonexistent/fonts.conf", 1);
  EXPECT_EQ(LocateFontsConf(), beside);
  unsetenv("PLAKATO_FONTS_CONF");
}

// Synthetic bold of a Mincho face thickens the vertical strokes as Windows
// does and leaves the thin horizontal ones thin, so it still reads as
// Mincho; Gothic faces keep their look.
TEST(FreeTypeFontBackendTest, SyntheticBoldMinchoKeepsItsThinStrokes) {
  auto ink = [](const char* face, bool bold) {
    const auto mask = Fonts().Render(FontSpec{face, bold, false, 28}, "三東永");
    long sum = 0;
    for (std::uint8_t c : mask->coverage) sum += c;
    return static_cast<double>(sum);
  };
  const double mincho = ink("ＭＳ 明朝", true) / ink("ＭＳ 明朝", false);
  const double gothic = ink("ＭＳ ゴシック", true) / ink("ＭＳ ゴシック", false);
  EXPECT_GT(mincho, 1.15) << "still bold";
  EXPECT_LT(mincho, 1.45);
  EXPECT_GT(gothic, 1.2);
}

}  // namespace
}  // namespace plakato
