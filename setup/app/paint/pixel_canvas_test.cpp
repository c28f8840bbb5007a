#include "setup/app/paint/pixel_canvas.h"

#include <gtest/gtest.h>

#include "setup/app/paint/artwork_pixels.h"
#include "setup/app/paint/pixel_font.h"

namespace setup::paint {
namespace {

constexpr Argb kBlack = Opaque(0, 0, 0);
constexpr Argb kWhite = Opaque(255, 255, 255);

TEST(PixelBlendTest, LaysColourOverByAlphaAndCoverage) {
  EXPECT_EQ(BlendOver(kBlack, Opaque(10, 20, 30)), Opaque(10, 20, 30));
  EXPECT_EQ(BlendOver(kBlack, MakeArgb(128, 255, 255, 255)), Opaque(128, 128, 128));
  EXPECT_EQ(BlendOver(kBlack, kWhite, 0.5), Opaque(128, 128, 128));
  // Over nothing the colour keeps its channels and takes the alpha.
  EXPECT_EQ(BlendOver(0, kWhite, 0.25), MakeArgb(64, 255, 255, 255));
  EXPECT_EQ(BlendOver(Opaque(1, 2, 3), kWhite, 0.0), Opaque(1, 2, 3));
  const PixelBuffer over = OverBackground(PixelBuffer(1, 1, MakeArgb(0, 9, 9, 9)), Opaque(7, 8, 9));
  EXPECT_EQ(over.At(0, 0), Opaque(7, 8, 9));
}

TEST(PixelCanvasTest, PolygonCoversPixelsByTheirShareInside) {
  PixelBuffer b(3, 3, kBlack);
  PixelCanvas(b).FillPolygon({{0, 0}, {2, 0}, {2, 1.5}, {0, 1.5}}, kWhite);
  EXPECT_EQ(b.At(0, 0), kWhite);
  EXPECT_EQ(b.At(1, 0), kWhite);
  EXPECT_EQ(b.At(1, 1), Opaque(128, 128, 128));
  EXPECT_EQ(b.At(2, 0), kBlack);
  EXPECT_EQ(b.At(0, 2), kBlack);
}

TEST(PixelCanvasTest, ShapesOutsideTheBufferAreClipped) {
  PixelBuffer b(2, 2, kBlack);
  PixelCanvas c(b);
  c.FillPolygon({{-5, -5}, {1, -5}, {1, 1}, {-5, 1}}, kWhite);
  c.FillRect(1, 1, 10, 10, Opaque(0, 0, 255));
  c.Line({-3, 40}, {40, 40}, 3, kWhite);
  EXPECT_EQ(b.At(0, 0), kWhite);
  EXPECT_EQ(b.At(1, 0), kBlack);
  EXPECT_EQ(b.At(1, 1), Opaque(0, 0, 255));
}

TEST(PixelCanvasTest, RingLeavesItsMiddleAndLinesFollowTheirPen) {
  PixelBuffer b(21, 21, kBlack);
  PixelCanvas c(b);
  c.Ring({10.5, 10.5}, 8, 2, kWhite);
  EXPECT_EQ(b.At(10, 10), kBlack);
  EXPECT_EQ(b.At(10, 2), kWhite);  // the pen's middle at radius 8
  EXPECT_EQ(b.At(18, 10), kWhite);
  EXPECT_EQ(b.At(20, 10), kBlack);

  PixelBuffer line(10, 5, kBlack);
  PixelCanvas(line).Line({0, 2.5}, {10, 2.5}, 1, kWhite);
  EXPECT_EQ(line.At(4, 2), kWhite);
  EXPECT_EQ(line.At(4, 1), kBlack);
  EXPECT_EQ(line.At(4, 3), kBlack);
}

TEST(PixelCanvasTest, FadeRunsBetweenItsStops) {
  const std::vector<ColourStop> stops{
      {0, Opaque(0, 0, 0)}, {0.5, Opaque(100, 0, 0)}, {1, Opaque(100, 200, 0)}};
  EXPECT_EQ(FadeAt(stops, -1), Opaque(0, 0, 0));
  EXPECT_EQ(FadeAt(stops, 0.25), Opaque(50, 0, 0));
  EXPECT_EQ(FadeAt(stops, 0.75), Opaque(100, 100, 0));
  EXPECT_EQ(FadeAt(stops, 2), Opaque(100, 200, 0));
}

TEST(PixelFontTest, LettersDrawTheirCellsScaledAndUnknownOnesAdvance) {
  EXPECT_EQ(PixelTextWidth(""), 0);
  EXPECT_EQ(PixelTextWidth("ki"), 11);
  PixelBuffer b(30, 14, kBlack);
  PixelCanvas(b).Text(0, 0, "?k", 2, kWhite);
  // '?' is no letter of the font: a blank cell, then 'k' from x = 12.
  for (int x = 0; x < 12; ++x) EXPECT_EQ(b.At(x, 0), kBlack) << x;
  EXPECT_EQ(b.At(12, 0), kWhite);
  EXPECT_EQ(b.At(13, 1), kWhite);
  EXPECT_EQ(b.At(14, 0), kBlack);
  EXPECT_EQ(b.At(12 + 2 * 3, 2 * 2), kWhite);  // row 2 "#..#."
}

TEST(ArtworkPixelsTest, PicturesHaveTheirSizesAndGrounds) {
  const PixelBuffer left = LeftPicture();
  ASSERT_EQ(left.width, 120);
  ASSERT_EQ(left.height, 248);
  for (Argb p : left.pixels) ASSERT_EQ(AlphaOf(p), 255);
  EXPECT_EQ(left.At(0, 0), Opaque(18, 52, 120));
  // The product's name in white under the package.
  int white = 0;
  for (int y = 186; y < 200; ++y) {
    for (int x = 0; x < 120; ++x) white += left.At(x, y) == kWhite;
  }
  EXPECT_GT(white, 40);

  const PixelBuffer marker = StepMarker();
  ASSERT_EQ(marker.width, 5);
  ASSERT_EQ(marker.height, 11);
  EXPECT_EQ(marker.At(0, 5), Opaque(0, 64, 160));
  EXPECT_EQ(AlphaOf(marker.At(4, 0)), 0);
  EXPECT_EQ(AlphaOf(marker.At(4, 10)), 0);

  const PixelBuffer icon = CleanUpIcon();
  ASSERT_EQ(icon.width, 32);
  ASSERT_EQ(icon.height, 32);
  EXPECT_EQ(AlphaOf(icon.At(0, 0)), 0);
  EXPECT_EQ(AlphaOf(icon.At(31, 31)), 0);
  EXPECT_EQ(AlphaOf(icon.At(16, 20)), 255);
}

}  // namespace
}  // namespace setup::paint
