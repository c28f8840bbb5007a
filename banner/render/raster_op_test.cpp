#include "banner/render/raster_op.h"

#include <gtest/gtest.h>

namespace plakato {
namespace {

TEST(RasterOpTest, CombinesPixelsByOperation) {
  const Bitmap source(2, 2, 0x0F0F0F);
  Bitmap copy(2, 2, 0xF0F000), paint(2, 2, 0xF0F000), both(2, 2, 0xFFF0F0);
  BitBlt(copy, 0, 0, 2, 2, source, 0, 0, RasterOp::kSrcCopy);
  BitBlt(paint, 0, 0, 2, 2, source, 0, 0, RasterOp::kSrcPaint);
  BitBlt(both, 0, 0, 2, 2, source, 0, 0, RasterOp::kSrcAnd);
  EXPECT_EQ(copy, source);
  EXPECT_EQ(paint, Bitmap(2, 2, 0xFFFF0F));
  EXPECT_EQ(both, Bitmap(2, 2, 0x0F0000));
}

TEST(RasterOpTest, ClipsToBothPictures) {
  Bitmap source(3, 3, kBlack);
  source.set_pixel(0, 0, 0x111111);
  source.set_pixel(2, 2, 0x222222);
  Bitmap destination(4, 4, kWhite);
  BitBlt(destination, 2, 2, 10, 10, source, 0, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(destination.pixel(2, 2), 0x111111u);
  EXPECT_EQ(destination.pixel(3, 3), kBlack);
  EXPECT_EQ(destination.pixel(1, 1), kWhite);

  Bitmap shifted(4, 4, kWhite);
  BitBlt(shifted, -1, -1, 4, 4, source, 0, 0, RasterOp::kSrcCopy);  // source (1,1) lands at (0,0)
  EXPECT_EQ(shifted.pixel(1, 1), 0x222222u);
  EXPECT_EQ(shifted.pixel(2, 2), kWhite);

  Bitmap from_negative(4, 4, kWhite);
  BitBlt(from_negative, 0, 0, 4, 4, source, -2, -2, RasterOp::kSrcCopy);
  EXPECT_EQ(from_negative.pixel(2, 2), 0x111111u);
  EXPECT_EQ(from_negative.pixel(1, 1), kWhite);

  Bitmap untouched(4, 4, kWhite);
  BitBlt(untouched, 2147483000, 0, 2147483000, 4, source, 0, 0, RasterOp::kSrcCopy);
  BitBlt(untouched, 0, 0, -3, 4, source, 0, 0, RasterOp::kSrcCopy);
  BitBlt(untouched, 0, 0, 4, 4, Bitmap(), 0, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(untouched, Bitmap(4, 4, kWhite));
}

TEST(CropBitmapTest, CopiesTheRectangleAndFillsWhatLiesOutside) {
  Bitmap source(4, 3, kBlack);
  source.set_pixel(3, 2, 0x00FF00);
  const Bitmap crop = CropBitmap(source, 2, 1, 4, 4, 0x0000FF);
  ASSERT_EQ(crop.width(), 4);
  ASSERT_EQ(crop.height(), 4);
  EXPECT_EQ(crop.pixel(0, 0), kBlack);
  EXPECT_EQ(crop.pixel(1, 1), 0x00FF00u);
  EXPECT_EQ(crop.pixel(2, 0), 0x0000FFu);
  EXPECT_EQ(crop.pixel(0, 2), 0x0000FFu);
  const Bitmap before = CropBitmap(source, -3, -1, 4, 2, 0x0000FF);
  EXPECT_EQ(before.pixel(2, 1), 0x0000FFu);
  EXPECT_EQ(before.pixel(3, 1), kBlack);
  EXPECT_TRUE(CropBitmap(source, 0, 0, 0, 5, kWhite).empty());
  EXPECT_EQ(CropBitmap(source, 2147483647, -2147483647, 2, 2, kWhite), Bitmap(2, 2, kWhite));
}

// A cut-out beside the picture while its rows overlap used to copy a
// negative length: heap corruption.
TEST(CropBitmapTest, CutOutBesideThePictureIsAllOutside) {
  const Bitmap source(300, 60, kBlack);
  EXPECT_EQ(CropBitmap(source, 301, 0, 234, 60, kWhite), Bitmap(234, 60, kWhite));
  EXPECT_EQ(CropBitmap(source, 300, 10, 234, 60, kWhite), Bitmap(234, 60, kWhite));
  EXPECT_EQ(CropBitmap(source, -1000, 0, 234, 60, kWhite), Bitmap(234, 60, kWhite));
  EXPECT_EQ(CropBitmap(source, 0, -1000, 234, 60, kWhite), Bitmap(234, 60, kWhite));
  const Bitmap edge = CropBitmap(source, 299, 0, 234, 60, kWhite);
  EXPECT_EQ(edge.pixel(0, 59), kBlack);
  EXPECT_EQ(edge.pixel(1, 0), kWhite);
}

}  // namespace
}  // namespace plakato
