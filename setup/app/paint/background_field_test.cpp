#include "setup/app/paint/background_field.h"

#include <gtest/gtest.h>

namespace setup::paint {
namespace {

BackgroundPlan Plan(int w, int h, PictureMode mode) {
  BackgroundPlan plan;
  plan.width = w;
  plan.height = h;
  plan.bands.push_back({0, h, Rgb{1, 2, 3}});
  plan.picture_mode = mode;
  return plan;
}

TEST(BackgroundFieldTest, PictureKindsAreToldByTheirFirstBytes) {
  EXPECT_EQ(PictureKindOf("BM\x36\x00"), "BMP");
  EXPECT_EQ(PictureKindOf(std::string_view("\xFF\xD8\xFF\xE0", 4)), "JPEG");
  EXPECT_EQ(PictureKindOf("GIF89a..."), "GIF");
  EXPECT_EQ(PictureKindOf("GIF88a"), "");
  EXPECT_EQ(PictureKindOf("\x89PNG\r\n"), "");
  EXPECT_EQ(PictureKindOf("B"), "");
}

TEST(BackgroundFieldTest, StretchSamplesEachScreenPixelsCentre) {
  // Four columns squeezed into three: centres 0.5, 1.5, 2.5 of 3 fall on
  // picture columns 0, 2 and 3.
  PixelBuffer picture(4, 1);
  for (int x = 0; x < 4; ++x) picture.At(x, 0) = Opaque(x, 0, 0);
  const PixelBuffer field = PaintBackgroundField(Plan(3, 2, PictureMode::kStretched), picture);
  EXPECT_EQ(field.At(0, 1), Opaque(0, 0, 0));
  EXPECT_EQ(field.At(1, 1), Opaque(2, 0, 0));
  EXPECT_EQ(field.At(2, 0), Opaque(3, 0, 0));
}

TEST(BackgroundFieldTest, TilesRepeatToTheEdgesAndTransparentPixelsShowTheField) {
  PixelBuffer picture(2, 2, Opaque(200, 0, 0));
  picture.At(1, 1) = MakeArgb(0, 0, 255, 0);
  const PixelBuffer field = PaintBackgroundField(Plan(5, 3, PictureMode::kTiled), picture);
  EXPECT_EQ(field.At(4, 2), Opaque(200, 0, 0));
  EXPECT_EQ(field.At(3, 1), Opaque(1, 2, 3));
  EXPECT_EQ(field.At(1, 1), Opaque(1, 2, 3));
  for (Argb p : field.pixels) EXPECT_EQ(AlphaOf(p), 255);
  // Nothing to draw for an empty picture or no mode.
  EXPECT_EQ(PaintBackgroundField(Plan(5, 3, PictureMode::kTiled), PixelBuffer()).At(0, 0), Opaque(1, 2, 3));
  EXPECT_EQ(PaintBackgroundField(Plan(5, 3, PictureMode::kNone), picture).At(0, 0), Opaque(1, 2, 3));
}

}  // namespace
}  // namespace setup::paint
