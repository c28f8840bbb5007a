#include "banner/app/window/chooser_geometry.h"

#include <gtest/gtest.h>

namespace plakato {
namespace {

TEST(ChooserGeometryTest, WideImageFillsTheWidthAndCentresVertically) {
  ChooserGeometry g;
  ASSERT_TRUE(g.FitImage(600, 160, 234, 60));
  EXPECT_EQ(g.image(), (ChooserRect{33, 88, 300, 80}));
  EXPECT_DOUBLE_EQ(g.scale(), 0.5);
  EXPECT_DOUBLE_EQ(g.frame().width, 117);
  EXPECT_DOUBLE_EQ(g.frame().height, 30);
  // Centred on the designed frame 143, 110, 81 x 33.
  EXPECT_DOUBLE_EQ(g.frame().left, 143 + (81 - 117) / 2.0);
  EXPECT_DOUBLE_EQ(g.frame().top, 110 + (33 - 30) / 2.0);
}

TEST(ChooserGeometryTest, SquareAndExactRatioImages) {
  ChooserGeometry g;
  ASSERT_TRUE(g.FitImage(200, 200, 88, 31));
  EXPECT_EQ(g.image(), (ChooserRect{103, 48, 160, 160}));
  EXPECT_DOUBLE_EQ(g.scale(), 0.8);
  EXPECT_DOUBLE_EQ(g.frame().width, 88 * 0.8);

  ASSERT_TRUE(g.FitImage(600, 320, 88, 31));
  EXPECT_EQ(g.image(), ChooserGeometry::kDisplayBox);
  EXPECT_DOUBLE_EQ(g.scale(), 0.5);
}

TEST(ChooserGeometryTest, EveryFitStartsFromTheDisplayBox) {
  ChooserGeometry g;
  ASSERT_TRUE(g.FitImage(1200, 100, 88, 31));  // very wide: 300 x 25
  EXPECT_DOUBLE_EQ(g.image().height, 25);
  ASSERT_TRUE(g.FitImage(100, 400, 88, 31));  // tall: full box height
  EXPECT_EQ(g.image(), (ChooserRect{33 + (300 - 40) / 2.0, 48, 40, 160}));
  EXPECT_DOUBLE_EQ(g.scale(), 0.4);
}

TEST(ChooserGeometryTest, ImageSmallerThanTheBannerGivesALargerFrame) {
  ChooserGeometry g;
  ASSERT_TRUE(g.FitImage(40, 20, 234, 60));  // scale 7.5
  EXPECT_GT(g.frame().width, g.image().width);
  EXPECT_GT(g.frame().height, g.image().height);
}

TEST(ChooserGeometryTest, ImageWithoutPixelsIsRefusedAndChangesNothing) {
  ChooserGeometry g;
  EXPECT_FALSE(g.FitImage(0, 100, 88, 31));
  EXPECT_FALSE(g.has_image());
  EXPECT_EQ(g.CutOutOrigin(), (std::pair{0, 0}));
  ASSERT_TRUE(g.FitImage(600, 160, 234, 60));
  const ChooserRect before = g.image();
  EXPECT_FALSE(g.FitImage(10, -1, 234, 60));
  EXPECT_EQ(g.image(), before);
  EXPECT_TRUE(g.has_image());
}

TEST(ChooserGeometryTest, DropsMoveTheFrameByTheGrabPoint) {
  ChooserGeometry g;
  ASSERT_TRUE(g.FitImage(600, 160, 234, 60));
  const auto [x0, y0] = g.CutOutOrigin();
  EXPECT_EQ(x0, 184);  // (125 - 33) / 0.5
  EXPECT_EQ(y0, 47);   // (111.5 - 88) / 0.5

  // Grabbed at (5, 5) and dropped 10 displayed pixels to the right on itself.
  g.BeginDrag(5, 5);
  g.DropOnFrame(15, 5);
  EXPECT_EQ(g.CutOutOrigin(), (std::pair{x0 + 20, y0}));

  // Dropped on the image: the frame's corner lands at the drop point minus
  // the grab point, even partly outside the image (no clamping).
  g.BeginDrag(10, 4);
  g.DropOnImage(0, 0);
  EXPECT_DOUBLE_EQ(g.frame().left, 33 - 10);
  EXPECT_DOUBLE_EQ(g.frame().top, 88 - 4);
  EXPECT_EQ(g.CutOutOrigin(), (std::pair{-20, -8}));
}

TEST(ChooserGeometryTest, CutOutOriginRoundsHalvesToEven) {
  ChooserGeometry g;
  ASSERT_TRUE(g.FitImage(600, 160, 234, 60));  // scale 0.5
  g.BeginDrag(0, 0);
  g.DropOnImage(1.25, 0.75);  // 2.5 and 1.5 image pixels
  EXPECT_EQ(g.CutOutOrigin(), (std::pair{2, 2}));
}

}  // namespace
}  // namespace plakato
