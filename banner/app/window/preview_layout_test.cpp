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

TEST(PreviewLayoutTest, OnAShortScreenTheBannerShowsWholeAndTheWindowScrolls) {
  // A 768-pixel screen at scale factor 2: 384 high, 344 left inside a window.
  const int room = PageRoomHeight(507, 344);
  const PreviewLayout layout = LayOutPreview(300, 100, 507, 452, room);
  EXPECT_EQ(layout.visible_width, 300);
  EXPECT_EQ(layout.visible_height, 100) << "no scroll bars on the preview";
  const WindowFit fit = FitWindowToScreen(507 + layout.window_extra_height, 344);
  EXPECT_EQ(fit.height, 344);
  EXPECT_TRUE(fit.scrolls);

  // Where the screen has room nothing scrolls and the window is the page.
  EXPECT_EQ(PageRoomHeight(507, 900), 900);
  const WindowFit roomy = FitWindowToScreen(547, 900);
  EXPECT_EQ(roomy.height, 547);
  EXPECT_FALSE(roomy.scrolls);
  // A banner taller than can ever be shown whole still scrolls in its box.
  EXPECT_EQ(LayOutPreview(300, 3000, 507, 452, PageRoomHeight(507, 344)).visible_height, kPreviewShownWhole);
}

}  // namespace
}  // namespace plakato
