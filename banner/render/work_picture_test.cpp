#include "banner/render/work_picture.h"

#include <gtest/gtest.h>

#include "banner/render/fake_font_backend.h"

namespace plakato {
namespace {

constexpr Color kInk = 0x0000FF;

WorkPicture Blank(int w, int h, Color back = kWhite) {
  WorkPicture p(ScreenGeometry{}, back);
  p.Resize(w, h);
  return p;
}

int CountColour(const Bitmap& b, Color c) {
  int n = 0;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) n += b.pixel(x, y) == c;
  return n;
}

TEST(WorkPictureTest, BackgroundColourFillsAndSurvivesResize) {
  WorkPicture p = Blank(4, 3);
  p.SetBackColor(kInk);
  EXPECT_EQ(p.bitmap(), Bitmap(4, 3, kInk));
  p.Resize(6, 2);
  EXPECT_EQ(p.bitmap(), Bitmap(6, 2, kInk));
  p.bitmap().set_pixel(1, 1, kBlack);
  p.Clear();
  EXPECT_EQ(p.bitmap(), Bitmap(6, 2, kInk));
  EXPECT_EQ(p.width_twips(), 90);
  EXPECT_EQ(p.height_twips(), 30);
}

TEST(WorkPictureTest, LinesLeaveOutTheirLastPoint) {
  WorkPicture p = Blank(10, 10);
  p.DrawLine(2, 3, 6, 3, kInk);  // horizontal, rightwards
  for (int x = 0; x < 10; ++x) EXPECT_EQ(p.bitmap().pixel(x, 3) == kInk, x >= 2 && x < 6) << x;
  p = Blank(10, 10);
  p.DrawLine(6, 3, 2, 3, kInk);  // leftwards: (2, 3) left out
  for (int x = 0; x < 10; ++x) EXPECT_EQ(p.bitmap().pixel(x, 3) == kInk, x > 2 && x <= 6) << x;
  p = Blank(10, 10);
  p.DrawLine(4, 8, 4, 1, kInk);  // vertical, upwards
  for (int y = 0; y < 10; ++y) EXPECT_EQ(p.bitmap().pixel(4, y) == kInk, y > 1 && y <= 8) << y;
  p = Blank(10, 10);
  p.DrawLine(0, 5, 6, -1, kInk);  // 45 degrees up-right, partly outside
  EXPECT_EQ(CountColour(p.bitmap(), kInk), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(p.bitmap().pixel(i, 5 - i), kInk);
  p = Blank(10, 10);
  p.DrawLine(3, 3, 3, 3, kInk);  // a point-sized line draws nothing
  EXPECT_EQ(CountColour(p.bitmap(), kInk), 0);
}

TEST(WorkPictureTest, SteepAndShallowLinesDrawOnePixelPerMajorStep) {
  WorkPicture p = Blank(20, 20);
  p.DrawLine(1, 1, 11, 4, kInk);
  EXPECT_EQ(CountColour(p.bitmap(), kInk), 10);
  EXPECT_EQ(p.bitmap().pixel(1, 1), kInk);
  EXPECT_NE(p.bitmap().pixel(11, 4), kInk);
  p = Blank(20, 20);
  p.DrawLine(5, 15, 2, 2, kInk);
  EXPECT_EQ(CountColour(p.bitmap(), kInk), 13);
  EXPECT_EQ(p.bitmap().pixel(5, 15), kInk);
}

TEST(WorkPictureTest, LinesFarOutsideAreClippedSafely) {
  WorkPicture p = Blank(8, 8);
  p.DrawLine(-1000000, 4, 1000000, 4, kInk);
  p.DrawLine(-50, -50, 50, 50, kInk);
  p.DrawLine(100, 0, 200, 0, kInk);
  p.DrawLine(-5, 20, 3, -30, kInk);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(p.bitmap().pixel(x, 4), kInk);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(p.bitmap().pixel(i, i), kInk);
}

TEST(WorkPictureTest, CircleRingWidthFollowsThePen) {
  WorkPicture p = Blank(21, 21);
  p.SetPenWidth(2);
  p.DrawCircle(10.5, 10.5, 6, kInk);
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 21; ++x) {
      const double fx = x + 0.5 - 10.5, fy = y + 0.5 - 10.5;
      const double d2 = fx * fx + fy * fy;
      EXPECT_EQ(p.bitmap().pixel(x, y) == kInk, d2 >= 25 && d2 < 49) << x << "," << y;
    }
  WorkPicture dot = Blank(4, 4);
  dot.SetPenWidth(2);
  dot.DrawCircle(2, 2, 0, kInk);  // radius 0: the 4 centre pixels
  EXPECT_EQ(CountColour(dot.bitmap(), kInk), 4);
  EXPECT_EQ(dot.bitmap().pixel(1, 1), kInk);
  WorkPicture far = Blank(4, 4);
  far.DrawCircle(1e12, 2, 3, kInk);
  far.DrawCircle(2, 2, 1e300, kInk);
  EXPECT_EQ(CountColour(far.bitmap(), kInk), 0);
}

TEST(WorkPictureTest, TextIsDrawnTransparentlyAtTheCursorInTwips) {
  FakeFontBackend fonts;
  fonts.extent = [](const FontSpec&, std::string_view) { return TextExtent{3, 2}; };
  WorkPicture p(ScreenGeometry{}, kBlack, kWhite);
  p.Resize(8, 6);
  p.bitmap().set_pixel(0, 0, kInk);
  p.SetCurrentPosition(22.5, 37.5);  // 1.5 -> 2 and 2.5 -> 2 pixels (halves to even)
  p.DrawText(fonts, "abc");
  for (int y = 0; y < 6; ++y)
    for (int x = 1; x < 8; ++x)
      EXPECT_EQ(p.bitmap().pixel(x, y) == kWhite, x >= 2 && x < 5 && y >= 2 && y < 4) << x << "," << y;
  EXPECT_EQ(p.bitmap().pixel(0, 0), kInk);
  EXPECT_EQ(p.TextWidth(fonts, "abc"), 45);
  EXPECT_EQ(p.TextHeight(fonts, "abc"), 30);
  p.SetCurrentPosition(-1e30, 1e30);  // off the picture: nothing happens
  p.DrawText(fonts, "abc");
}

TEST(WorkPictureTest, MaskAndInverseMaskAreExactInverses) {
  FakeFontBackend fonts;
  for (int coverage = 0; coverage <= 255; ++coverage) {
    fonts.edge_coverage = coverage;
    WorkPicture mask0(ScreenGeometry{}, kBlack, kWhite), mask1(ScreenGeometry{}, kWhite, kBlack);
    for (WorkPicture* m : {&mask0, &mask1}) {
      m->Resize(4, 4);
      m->font().points = 1;
      m->DrawText(fonts, "ab");  // 2 x 3 cell, last column partial
    }
    const Color edge0 = mask0.bitmap().pixel(1, 0), edge1 = mask1.bitmap().pixel(1, 0);
    ASSERT_EQ(Red(edge0), coverage);
    ASSERT_EQ(Red(edge0) + Red(edge1), 255);
    ASSERT_EQ((edge0 | edge1), kWhite);
  }
}

TEST(WorkPictureTest, PictureIsDrawnFromTheTopLeftCorner) {
  WorkPicture p = Blank(4, 4, kInk);
  p.DrawPicture(Bitmap(2, 6, kBlack));
  EXPECT_EQ(p.bitmap().pixel(1, 3), kBlack);
  EXPECT_EQ(p.bitmap().pixel(2, 0), kInk);
}

}  // namespace
}  // namespace plakato

namespace plakato {
namespace {

TEST(WorkPictureTest, ConcentricRingsMatchRingByRingDrawing) {
  struct Case {
    int w, h;
    double cx, cy;
    int pen, rings;
  };
  const Case cases[] = {{88, 31, 44, 15.5, 2, 48},  {31, 88, 15.5, 44, 2, 48}, {9, 9, 4.5, 4.5, 2, 7},
                        {20, 10, 3.25, 12.5, 1, 9}, {15, 15, -4, 7.5, 3, 30},  {16, 16, 8, 8, 2, 3}};
  for (const Case& c : cases) {
    std::vector<Color> colors;
    for (int k = 0; k < c.rings; ++k) colors.push_back(MakeColor(k * 5, 255 - k * 3, k));
    WorkPicture one_by_one(ScreenGeometry{}, 0x123456), together(ScreenGeometry{}, 0x123456);
    for (WorkPicture* p : {&one_by_one, &together}) {
      p->Resize(c.w, c.h);
      p->SetPenWidth(c.pen);
    }
    for (int k = 0; k < c.rings; ++k) one_by_one.DrawCircle(c.cx, c.cy, k, colors[k]);
    together.DrawConcentricRings(c.cx, c.cy, colors);
    EXPECT_EQ(together.bitmap(), one_by_one.bitmap()) << c.w << "x" << c.h << " pen " << c.pen;
  }
}

}  // namespace
}  // namespace plakato
