#include "setup/app/paint/background_compare.h"

#include <gtest/gtest.h>

namespace setup::paint {
namespace {

constexpr Argb kField = Opaque(0, 0, 200);
constexpr Argb kInk = Opaque(255, 255, 0);

class Measure10 : public FontMeasure {
 public:
  TextExtent Measure(const ScriptFont&, std::string_view text) const override {
    return {static_cast<int>(text.size()) * 10, 20};
  }
};

PixelBuffer WithBlock(int left, int top, int w, int h) {
  PixelBuffer p(200, 100, kField);
  for (int y = top; y < top + h; ++y) {
    for (int x = left; x < left + w; ++x) p.At(x, y) = kInk;
  }
  return p;
}

TEST(BackgroundCompareTest, RegionsGrowByTheirMarginAndMergeWhenTheyOverlap) {
  BackgroundPlan plan;
  plan.texts = {{"abc", {}, 10, 10, {}}, {"abc", {}, 12, 12, {}}, {"x", {}, 150, 70, {}}};
  const std::vector<Region> regions = TextRegions(plan, Measure10());
  ASSERT_EQ(regions.size(), 2u);
  // Sideways 3 + 30 / 20 + 3 characters = 7, down 3 + 20 / 10 = 5, and
  // the overhang 20 / 4 = 5 around the shadow (10,10) and the text (12,12).
  EXPECT_EQ(regions[0].left, 10 - 12);
  EXPECT_EQ(regions[0].top, 10 - 10);
  EXPECT_EQ(regions[0].right, 12 + 30 + 12);
  EXPECT_EQ(regions[0].bottom, 12 + 20 + 10);
  EXPECT_EQ(regions[0].slack_x, 7);
  EXPECT_EQ(regions[0].slack_y, 5);
  EXPECT_EQ(regions[1].left, 150 - 4 - 5);
  EXPECT_EQ(regions[1].slack_x, 4);
}

TEST(BackgroundCompareTest, OutsideTheTextsEveryPixelCounts) {
  const PixelBuffer field(200, 100, kField);
  PixelBuffer other = field;
  EXPECT_TRUE(CompareBackgrounds(field, other, field, {}).same);
  other.At(150, 80) = Opaque(0, 0, 201);
  const BackgroundComparison c = CompareBackgrounds(field, other, field, {{0, 0, 100, 100}});
  EXPECT_FALSE(c.same);
  EXPECT_NE(c.report.find("150,80"), std::string::npos) << c.report;
  // Inside a region a lone changed pixel is ink on one side only.
  EXPECT_FALSE(CompareBackgrounds(field, other, field, {{140, 70, 160, 90}}).same);
  // Alpha is no colour.
  PixelBuffer clear = field;
  clear.At(3, 3) &= 0x00FFFFFFu;
  EXPECT_TRUE(CompareBackgrounds(field, clear, field, {}).same);
  EXPECT_FALSE(CompareBackgrounds(field, PixelBuffer(199, 100, kField), field, {}).same);
}

TEST(BackgroundCompareTest, InkInARegionMayMoveALittleButNotFar) {
  const PixelBuffer field(200, 100, kField);
  const std::vector<Region> region{{0, 0, 120, 60, 3, 3}};
  const PixelBuffer text = WithBlock(20, 20, 40, 15);
  EXPECT_TRUE(CompareBackgrounds(text, WithBlock(22, 21, 41, 15), field, region).same);
  const BackgroundComparison moved = CompareBackgrounds(text, WithBlock(40, 20, 40, 15), field, region);
  EXPECT_FALSE(moved.same);
  EXPECT_NE(moved.report.find("ink boxes"), std::string::npos) << moved.report;
  // Same box, but half the ink (a missing shadow or a thinner face).
  PixelBuffer thin = text;
  for (int y = 21; y < 34; ++y) {
    for (int x = 21; x < 59; ++x) thin.At(x, y) = kField;
  }
  EXPECT_FALSE(CompareBackgrounds(text, thin, field, region).same);
  EXPECT_FALSE(CompareBackgrounds(text, field, field, region).same);
  // Same ink in another colour: red and blue swapped.
  PixelBuffer swapped = text;
  for (Argb& p : swapped.pixels) {
    if (p == kInk) p = Opaque(0, 255, 255);
  }
  const BackgroundComparison colours = CompareBackgrounds(text, swapped, field, region);
  EXPECT_FALSE(colours.same);
  EXPECT_NE(colours.report.find("ink colours 255,255,0 against 0,255,255"), std::string::npos)
      << colours.report;
}

}  // namespace
}  // namespace setup::paint
