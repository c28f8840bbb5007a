#include "banner/render/title_painter.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "banner/render/fake_font_backend.h"

namespace plakato {
namespace {

WorkPicture Mask(int w, int h) {
  WorkPicture mask(ScreenGeometry{}, kBlack, kWhite);
  mask.Resize(w, h);
  return mask;
}

TEST(TrimBlanksTest, RemovesOnlyOuterSpaces) {
  EXPECT_EQ(TrimSpaces("  a b  "), "a b");
  EXPECT_EQ(TrimSpaces("   "), "");
  EXPECT_EQ(TrimSpaces(""), "");
  EXPECT_EQ(TrimSpaces("\tx "), "\tx");
  EXPECT_EQ(TrimSpaces("　全角　"), "　全角　");  // the full-width space is not a blank
}

TEST(FitTitleFontTest, StopsOneBelowTheFirstSizeThatIsTooWide) {
  // 100 pixels = 1500 twips; 70 % = 1050 twips = 70 pixels.
  FakeFontBackend fonts;
  fonts.extent = [](const FontSpec& f, std::string_view) {
    return TextExtent{f.points == 12 ? 69 : (f.points >= 13 ? 72 : f.points), 5};
  };
  WorkPicture mask = Mask(100, 100);
  FitTitleFont(mask, fonts, "title");
  EXPECT_EQ(mask.font().points, 12);
}

TEST(FitTitleFontTest, HeightLimitsInTheSameWay) {
  // 31 pixels = 465 twips; 70 % = 325.5 twips = 21.7 pixels: 22 is too high.
  FakeFontBackend fonts;
  fonts.extent = [](const FontSpec& f, std::string_view) { return TextExtent{1, f.points + 10}; };
  WorkPicture mask = Mask(200, 31);
  FitTitleFont(mask, fonts, "x");
  EXPECT_EQ(mask.font().points, 11);
}

TEST(FitTitleFontTest, ExactlySeventyPercentStillFits) {
  FakeFontBackend fonts;
  fonts.extent = [](const FontSpec& f, std::string_view) { return TextExtent{f.points * 7, 1}; };
  WorkPicture mask = Mask(100, 100);  // 70 pixels fit, 77 do not
  FitTitleFont(mask, fonts, "x");
  EXPECT_EQ(mask.font().points, 10);
}

TEST(FitTitleFontTest, EndsAtOneAndEightyPoints) {
  FakeFontBackend fonts;
  fonts.extent = [](const FontSpec&, std::string_view) { return TextExtent{1000, 1}; };
  WorkPicture mask = Mask(88, 31);
  FitTitleFont(mask, fonts, "x");
  EXPECT_EQ(mask.font().points, 1);
  EXPECT_EQ(fonts.measure_calls, 1);

  fonts.extent = [](const FontSpec&, std::string_view) { return TextExtent{1, 1}; };
  FitTitleFont(mask, fonts, "x");
  EXPECT_EQ(mask.font().points, 80);
}

TEST(LocateTitleTest, PlacesTheTextCellByLocation) {
  const float w = 1500, h = 465, tw = 300, th = 165;  // free space 1200 x 300
  const float expected[9][2] = {{600, 150}, {600, 60}, {600, 240}, {240, 60}, {240, 150},
                                {240, 240}, {960, 60}, {960, 150}, {960, 240}};
  for (int location = 0; location < 9; ++location) {
    const TitlePosition at = LocateTitle(location, w, h, tw, th);
    EXPECT_FLOAT_EQ(at.x, expected[location][0]) << location;
    EXPECT_FLOAT_EQ(at.y, expected[location][1]) << location;
  }
  for (int location : {-1, 9, 100}) {
    const TitlePosition at = LocateTitle(location, w, h, tw, th);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);
  }
  // A text wider than the banner starts left of it.
  EXPECT_FLOAT_EQ(LocateTitle(0, 100, 100, 300, 100).x, -100);
}

TEST(ShadowDisplacementTest, MovesOffsetPixelsAlongTheDirection) {
  const double d = 3 * 15;
  const double expected[8][2] = {{d, d}, {-d, d}, {d, -d}, {-d, -d}, {0, -d}, {0, d}, {-d, 0}, {d, 0}};
  for (int direction = 0; direction < 8; ++direction) {
    const Displacement shift = ShadowDisplacement(direction, 3, 15);
    EXPECT_EQ(shift.dx, expected[direction][0]) << direction;
    EXPECT_EQ(shift.dy, expected[direction][1]) << direction;
  }
  EXPECT_EQ(ShadowDisplacement(8, 3, 15).dx, 0);
  EXPECT_EQ(ShadowDisplacement(-1, 3, 15).dy, 0);
  EXPECT_EQ(ShadowDisplacement(0, 2147483647, 15).dx, 2147483647.0 * 15);
}

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Box BoxOf(const Bitmap& picture, Color colour) {
  Box box;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixel(x, y) != colour) continue;
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
    }
  }
  return box;
}

// A 5 x 2 title centred in 20 x 9 pixels lies on half pixels (7.5, 3.5);
// its shadow must still lie exactly Offset pixels away on each axis.
TEST(PaintTitleTest, ShadowLiesExactlyOffsetPixelsFromATitleOnHalfPixels) {
  FakeFontBackend fonts;
  fonts.extent = [](const FontSpec&, std::string_view) { return TextExtent{5, 2}; };
  for (int offset : {1, 2, 3}) {
    WorkPicture background(ScreenGeometry{}, kWhite), mask0 = Mask(1, 1), layer(ScreenGeometry{});
    WorkPicture mask1(ScreenGeometry{}, kWhite, kBlack);
    background.Resize(20, 9);
    BannerSettings::TitleGroup title;
    title.String = "t";
    title.Location = 0;
    title.Pattern = 0;
    title.Color1 = kBlack;
    title.Shadow = true;
    title.Offset = offset;
    title.ShadowColor = MakeColor(255, 0, 0);
    PaintTitle({background, mask0, mask1, layer}, fonts, title);
    const Box text = BoxOf(background.bitmap(), kBlack);
    const Box shadow = BoxOf(background.bitmap(), MakeColor(255, 0, 0));
    EXPECT_EQ(text.right - text.left, 4);
    EXPECT_EQ(shadow.right - text.right, offset) << offset;
    EXPECT_EQ(shadow.bottom - text.bottom, offset) << offset;
  }
}

TEST(CompositeTitleLayerTest, CombinesBackgroundMasksAndColourLayer) {
  const Color background = MakeColor(0x35, 0xC4, 0x7A);
  const Color colour = MakeColor(0xE1, 0x12, 0x9F);
  for (int coverage : {0, 1, 77, 128, 200, 254, 255}) {
    WorkPicture bg(ScreenGeometry{}, background), layer(ScreenGeometry{}, colour);
    bg.Resize(3, 1);
    layer.Resize(3, 1);
    WorkPicture mask0 = Mask(3, 1);
    WorkPicture mask1(ScreenGeometry{}, kWhite, kBlack);
    mask1.Resize(3, 1);
    // A solid glyph pixel, a smoothed one and one outside the glyphs.
    for (WorkPicture* m : {&mask0, &mask1}) {
      m->bitmap().set_pixel(0, 0, m == &mask0 ? kWhite : kBlack);
      const int v = m == &mask0 ? coverage : 255 - coverage;
      m->bitmap().set_pixel(1, 0, MakeColor(v, v, v));
    }
    CompositeTitleLayer(bg, mask0, mask1, layer);
    EXPECT_EQ(bg.bitmap().pixel(0, 0), colour);
    EXPECT_EQ(bg.bitmap().pixel(2, 0), background);
    const Color m0 = MakeColor(coverage, coverage, coverage);
    const Color m1 = MakeColor(255 - coverage, 255 - coverage, 255 - coverage);
    EXPECT_EQ(bg.bitmap().pixel(1, 0), (background | m0) & (colour | m1)) << coverage;
    EXPECT_EQ(layer.bitmap().pixel(2, 0), kWhite);  // the layer keeps layer OR mask1
  }
}

}  // namespace
}  // namespace plakato
