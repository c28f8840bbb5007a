#include "banner/app/window/preview_layout.h"

#include <gtest/gtest.h>

namespace plakato {
namespace {

TEST(PreviewLayoutTest, ShowsAFittingBannerWholeAndScrollsALargerOne) {
  // Designed: 452 x 507, the box at (9, 435) 60 high, 12 below it.
  PreviewLayout fits = LayOutPreview(120, 90, 507, 452, 900);
  EXPECT_EQ(fits.visible_width, 120);
  EXPECT_EQ(fits.visible_height, 90);
  EXPECT_EQ(fits.window_extra_height, 30);
  EXPECT_EQ(LayOutPreview(88, 31, 507, 452, 900).window_extra_height, 0);

  // 3000 pixels high on a 900-pixel screen: the window ends at the screen.
  PreviewLayout tall = LayOutPreview(2000, 3000, 507, 452, 900);
  EXPECT_EQ(tall.visible_width, 434);
  EXPECT_EQ(tall.visible_height, 900 - 435 - 12);
  EXPECT_EQ(507 + tall.window_extra_height, 900);

  // A screen smaller than the designed window keeps the designed window.
  PreviewLayout tiny = LayOutPreview(200, 300, 507, 452, 400);
  EXPECT_EQ(tiny.visible_height, 60);
  EXPECT_EQ(tiny.window_extra_height, 0);
}

}  // namespace
}  // namespace plakato
