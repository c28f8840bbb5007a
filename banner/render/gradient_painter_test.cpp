#include "banner/render/gradient_painter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "banner/render/nearest.h"

namespace plakato {
namespace {

constexpr Color kRed = 0x0000FF;
constexpr Color kBlue = 0xFF0000;
constexpr Color kGreen = 0x00FF00;

WorkPicture Painted(int w, int h, std::vector<Color> colours, int direction, Color back = 0x123456) {
  WorkPicture picture(ScreenGeometry{}, back);
  picture.Resize(w, h);
  PaintGradient(picture, colours.data(), static_cast<int>(colours.size()), direction);
  return picture;
}

// Grey level of step k of a black-to-white ramp over length.
int Grey(long long k, double length) {
  const float step = static_cast<float>(255 / length);
  return Nearest(static_cast<double>(step) * static_cast<double>(k));
}

TEST(GradientTest, TwoColourTopToBottomGreyLevels) {
  const WorkPicture p = Painted(88, 31, {kBlack, kWhite}, kTopToBottom);
  EXPECT_EQ(p.bitmap().pixel(0, 0), kBlack);
  for (int y = 0; y < 31; ++y) {
    const int g = Grey(y, 31);
    EXPECT_EQ(p.bitmap().pixel(0, y), MakeColor(g, g, g)) << "row " << y;
    EXPECT_EQ(p.bitmap().pixel(87, y), MakeColor(g, g, g)) << "row " << y;
  }
  EXPECT_EQ(Red(p.bitmap().pixel(40, 30)), 247);
}

TEST(GradientTest, ThreeColourTopToBottomSplitsAtTheExactMiddle) {
  const WorkPicture p = Painted(88, 31, {kBlack, kWhite, kBlack}, kTopToBottom);
  const double rise = static_cast<float>(255 / 15.5);
  for (int y = 0; y <= 15; ++y) EXPECT_EQ(Red(p.bitmap().pixel(5, y)), Nearest(rise * y)) << y;
  EXPECT_EQ(Red(p.bitmap().pixel(5, 16)), 247);
  EXPECT_EQ(Red(p.bitmap().pixel(5, 30)), 16);
}

TEST(GradientTest, ThreeColourWithLengthThirtyThreeStartsHalfAStepBeforeMiddle) {
  const WorkPicture p = Painted(4, 33, {kBlack, kWhite, kBlack}, kTopToBottom);
  const double fall = static_cast<float>(-255 / 16.5);
  EXPECT_EQ(Red(p.bitmap().pixel(0, 16)), 255);  // 255 + 0.5 * 15.45 is clamped
  EXPECT_EQ(Red(p.bitmap().pixel(0, 17)), Nearest(255 + fall * 0.5));
}

TEST(GradientTest, LeftToRightPaintsColumns) {
  const WorkPicture p = Painted(50, 7, {kRed, kBlue}, kLeftToRight);
  const double down = static_cast<float>(-255 / 50.0), up = static_cast<float>(255 / 50.0);
  for (int x = 0; x < 50; ++x) {
    const Color expected = MakeColor(Nearest(down * x + 255), 0, Nearest(up * x));
    for (int y = 0; y < 7; ++y) ASSERT_EQ(p.bitmap().pixel(x, y), expected) << x << "," << y;
  }
}

TEST(GradientTest, EqualColoursGiveAPlainArea) {
  for (int direction = 0; direction <= 4; ++direction) {
    for (int count : {2, 3}) {
      const WorkPicture p = Painted(37, 23, {0x336699, 0x336699, 0x336699}, direction);
      (void)count;
      for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x)
          ASSERT_EQ(p.bitmap().pixel(x, y), 0x336699u) << direction << " " << x << "," << y;
    }
  }
}

TEST(GradientTest, UnknownDirectionOrCountPaintsNothing) {
  for (int direction : {-1, 5, 100}) {
    const WorkPicture p = Painted(10, 10, {kBlack, kWhite}, direction);
    EXPECT_EQ(p.bitmap(), Bitmap(10, 10, 0x123456));
  }
  WorkPicture p(ScreenGeometry{}, kGreen);
  p.Resize(5, 5);
  const Color colours[4] = {kBlack, kWhite, kBlack, kWhite};
  PaintGradient(p, colours, 4, kTopToBottom);
  PaintGradient(p, nullptr, 2, kTopToBottom);
  EXPECT_EQ(p.bitmap(), Bitmap(5, 5, kGreen));
}

TEST(GradientTest, DownRightDiagonalColourIsIndexXPlusY) {
  for (auto [w, h] : {std::pair{40, 10}, std::pair{10, 40}, std::pair{17, 17}, std::pair{1, 9}}) {
    const WorkPicture p = Painted(w, h, {kBlack, kWhite}, kTopLeftToBottomRight);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int g = Grey(x + y, w + h);
        ASSERT_EQ(p.bitmap().pixel(x, y), MakeColor(g, g, g)) << w << "x" << h << " " << x << "," << y;
      }
  }
}

TEST(GradientTest, DownLeftDiagonalIndicesOnWideBanner) {
  const int w = 40, h = 10, overhang = 30;
  const WorkPicture p = Painted(w, h, {kBlack, kWhite}, kTopRightToBottomLeft);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int d = x - y;
      const int index = d > overhang ? w - d : w + 1 - d;
      const int g = Grey(index, w + h);
      ASSERT_EQ(Red(p.bitmap().pixel(x, y)), g) << x << "," << y;
    }
  EXPECT_EQ(p.bitmap().pixel(0, h - 1), kWhite);            // index wpx + hpx: exactly C2
  EXPECT_EQ(Red(p.bitmap().pixel(w - 1, 0)), Grey(1, 50));  // top-right: index 1
}

TEST(GradientTest, DownLeftDiagonalIndicesOnTallBanner) {
  const int w = 10, h = 40;
  const WorkPicture p = Painted(w, h, {kBlack, kWhite}, kTopRightToBottomLeft);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      ASSERT_EQ(Red(p.bitmap().pixel(x, y)), Grey(w - (x - y), w + h)) << x << "," << y;
}

// Sweeps a gradient and counts how often each pixel is painted, with the
// colour each pixel ends with.
struct SweepRecord {
  std::vector<int> hits;
  std::vector<GradientStroke> strokes;
  Bitmap result;
};

SweepRecord Record(int w, int h, std::vector<Color> colours, int direction) {
  SweepRecord record;
  record.hits.assign(static_cast<std::size_t>(w) * h, 0);
  record.result = Bitmap(w, h, 0x123456);
  SweepGradient({w * 15.0, h * 15.0, {}}, colours.data(), static_cast<int>(colours.size()), direction,
                [&](const GradientStroke& s) {
                  record.strokes.push_back(s);
                  const int n = std::max(std::abs(s.x2 - s.x1), std::abs(s.y2 - s.y1));
                  const int dx = (s.x2 > s.x1) - (s.x2 < s.x1), dy = (s.y2 > s.y1) - (s.y2 < s.y1);
                  ASSERT_TRUE(dx == 0 || dy == 0 || std::abs(s.x2 - s.x1) == std::abs(s.y2 - s.y1));
                  for (int i = 0; i < n; ++i) {
                    const int x = s.x1 + i * dx, y = s.y1 + i * dy;
                    if (x < 0 || y < 0 || x >= w || y >= h) continue;
                    ++record.hits[static_cast<std::size_t>(y) * w + x];
                    record.result.set_pixel(x, y, s.color);
                  }
                });
  return record;
}

const GradientStroke* StrokeWithIndex(const SweepRecord& r, long long index) {
  for (const GradientStroke& s : r.strokes)
    if (s.index == index) return &s;
  return nullptr;
}

TEST(GradientTest, DownRightSweepPaintsEveryDiagonalOnceInIncreasingIndex) {
  for (auto [w, h] : {std::pair{234, 60}, std::pair{60, 234}, std::pair{31, 31}}) {
    const SweepRecord r = Record(w, h, {kBlack, kWhite, kBlack}, kTopLeftToBottomRight);
    for (int hits : r.hits) ASSERT_EQ(hits, 1) << w << "x" << h;
    for (std::size_t i = 1; i < r.strokes.size(); ++i)
      ASSERT_EQ(r.strokes[i].index, r.strokes[i - 1].index + 1);
  }
}

TEST(GradientTest, ThreeColourDownRightSecondHalfStartsAtMiddleColour) {
  // 234 x 60: O = 174, S = 87 + 60 + 1 = 148; the tall banner mirrors it.
  for (auto [w, h] : {std::pair{234, 60}, std::pair{60, 234}}) {
    const SweepRecord r = Record(w, h, {kRed, kGreen, kBlue}, kTopLeftToBottomRight);
    ASSERT_NE(StrokeWithIndex(r, 148), nullptr);
    EXPECT_EQ(StrokeWithIndex(r, 148)->color, kGreen) << w << "x" << h;
    const double step = static_cast<float>(255 / 147.0);
    EXPECT_EQ(StrokeWithIndex(r, 149)->color, MakeColor(0, Nearest(255 - step), Nearest(step)));
    EXPECT_EQ(StrokeWithIndex(r, 146)->color, MakeColor(Nearest(255 - step * 146), Nearest(step * 146), 0));
    EXPECT_EQ(r.result.pixel(0, 0), kRed);
  }
}

TEST(GradientTest, ThreeColourDownLeftPaintsEachDiagonalOnceAndEndsInLastColour) {
  // Even sweep lengths end exactly in the last colour; odd ones within half a step.
  for (auto [w, h] :
       {std::pair{40, 10}, std::pair{10, 40}, std::pair{234, 60}, std::pair{41, 10}, std::pair{11, 40}}) {
    const SweepRecord r = Record(w, h, {kRed, kGreen, kBlue}, kTopRightToBottomLeft);
    for (int hits : r.hits) ASSERT_EQ(hits, 1) << w << "x" << h;
    const int length = w + h;
    const Color corner = r.result.pixel(0, h - 1);
    if (length % 2 == 0) {
      EXPECT_EQ(corner, kBlue) << w << "x" << h;
    } else {
      const double half_step = 255.0 / length;  // half of 255 / (L / 2)
      EXPECT_LE(std::abs(Blue(corner) - 255), std::ceil(half_step)) << w << "x" << h;
      EXPECT_LE(Green(corner), std::ceil(half_step)) << w << "x" << h;
    }
    // Some diagonal starts exactly at the middle colour, and the colours
    // before it still belong to the first half.
    bool middle_found = false;
    for (const GradientStroke& s : r.strokes) {
      if (s.color == kGreen) {
        middle_found = true;
        const GradientStroke* before = StrokeWithIndex(r, s.index - 1);
        ASSERT_NE(before, nullptr);
        EXPECT_EQ(Blue(before->color), 0);
        break;
      }
    }
    EXPECT_TRUE(middle_found) << w << "x" << h;
    EXPECT_EQ(Red(r.result.pixel(w - 1, 0)), Nearest(255 - static_cast<float>(255 / (length / 2.0))));
  }
}

TEST(GradientTest, TwoColourDownLeftRepaintsTheOverhangDiagonal) {
  // The first run's last line (index hpx, d = O) is painted over by the
  // middle run's first line with index hpx + 1.
  const SweepRecord r = Record(40, 10, {kBlack, kWhite}, kTopRightToBottomLeft);
  const GradientStroke* first = StrokeWithIndex(r, 10);
  const GradientStroke* second = StrokeWithIndex(r, 11);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->x2 - first->y2, 30);
  EXPECT_EQ(second->x1 - second->y1, 30);
  EXPECT_EQ(r.hits[0 * 40 + 30], 2);
  EXPECT_EQ(Red(r.result.pixel(30, 0)), Grey(11, 50));
}

// The index of the last ring (of 0..rpx, pen 2) covering a pixel centre.
int LastRing(double cx, double cy, int x, int y, int rpx) {
  const double fx = x + 0.5 - cx, fy = y + 0.5 - cy;
  const double d2 = fx * fx + fy * fy;
  int last = -1;
  for (int k = 0; k <= rpx; ++k) {
    const double inner = k - 1.0, outer = k + 1.0;
    if ((inner <= 0 || d2 >= inner * inner) && d2 < outer * outer) last = k;
  }
  return last;
}

TEST(GradientTest, CircularRingsGrowOutwardsAndOuterRingsWin) {
  for (auto [w, h] : {std::pair{88, 31}, std::pair{31, 88}, std::pair{9, 9}}) {
    const WorkPicture p = Painted(w, h, {kBlack, kWhite}, kCentreOutwards);
    const int rpx = Nearest(std::sqrt((w * 7.5) * (w * 7.5) + (h * 7.5) * (h * 7.5)) / 15);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int ring = LastRing(w / 2.0, h / 2.0, x, y, rpx);
        ASSERT_GE(ring, 0) << "pixel left unpainted at " << x << "," << y;
        ASSERT_EQ(Red(p.bitmap().pixel(x, y)), Grey(ring, rpx)) << w << "x" << h << " " << x << "," << y;
      }
    EXPECT_EQ(p.pen_width(), 1);
  }
}

TEST(GradientTest, ThreeColourCircleUsesExactHalves) {
  // 88 x 31: rpx = nearest(46.64...) = 47, m = 24 (23.5 to even), halves 23.5.
  const WorkPicture p = Painted(88, 31, {kBlack, kWhite, kBlack}, kCentreOutwards);
  const int rpx = 47;
  const double step1 = static_cast<float>(255 / 23.5), step2 = static_cast<float>(-255 / 23.5);
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 88; ++x) {
      const int k = LastRing(44, 15.5, x, y, rpx);
      const int expected = k < 24 ? Nearest(step1 * k) : Nearest(255 + step2 * (k - 23.5));
      ASSERT_EQ(Red(p.bitmap().pixel(x, y)), std::clamp(expected, 0, 255)) << x << "," << y;
    }
}

TEST(GradientRampTest, ComponentsStepIndependentlyAndStayInRange) {
  const GradientRamp ramp = GradientRamp::TwoColour(MakeColor(10, 200, 255), MakeColor(250, 0, 0), 7);
  EXPECT_EQ(ramp.at(0), MakeColor(10, 200, 255));
  EXPECT_EQ(ramp.at(7), MakeColor(250, 0, 0));
  EXPECT_EQ(ramp.at(50), MakeColor(255, 0, 0));  // far past the end: clamped
  const GradientRamp flat = GradientRamp::TwoColour(kBlack, kWhite, 0);
  EXPECT_EQ(flat.at(3), kBlack);
}

}  // namespace
}  // namespace plakato
