#include "banner/render/buttonize.h"

#include <gtest/gtest.h>

namespace plakato {
namespace {

int Grey(const Bitmap& b, int x, int y) { return Red(b.pixel(x, y)); }

TEST(ButtonizeTest, WhiteBannerKeepsLightBandsAndDarkensTheOthers) {
  Bitmap banner(88, 31, kWhite);
  EXPECT_TRUE(ButtonizeBanner(banner).ok());
  EXPECT_EQ(banner.pixel(40, 0), kWhite);
  EXPECT_EQ(banner.pixel(0, 15), kWhite);
  for (int y : {28, 29, 30}) EXPECT_EQ(banner.pixel(40, y), MakeColor(175, 175, 175));
  for (int x : {85, 86, 87}) EXPECT_EQ(banner.pixel(x, 15), MakeColor(210, 210, 210));
  EXPECT_EQ(banner.pixel(40, 15), kWhite);
}

TEST(ButtonizeTest, BlackBannerLightensTopAndLeftOnly) {
  Bitmap banner(88, 31, kBlack);
  ASSERT_TRUE(ButtonizeBanner(banner).ok());
  for (int y : {0, 1, 2}) EXPECT_EQ(Grey(banner, 40, y), 80);
  for (int x : {0, 1, 2}) EXPECT_EQ(Grey(banner, x, 15), 45);
  for (int y : {28, 29, 30}) EXPECT_EQ(Grey(banner, 40, y), 0);
  for (int x : {85, 86, 87}) EXPECT_EQ(Grey(banner, x, 15), 0);
}

TEST(ButtonizeTest, MitredCornersOf88x31Banner) {
  Bitmap banner(88, 31, MakeColor(100, 100, 100));
  ASSERT_TRUE(ButtonizeBanner(banner).ok());
  // Expected change of every pixel of the 6 x 6 corners and the middle.
  struct Case {
    int x, y, change;
  };
  const Case cases[] = {
      {0, 0, 80},    {1, 0, 80},    {0, 1, 45},    {1, 1, 80},    {2, 1, 80},   {2, 2, 80},
      {0, 2, 45},    {1, 2, 45},    {3, 3, 0},     {0, 3, 45},    {2, 3, 45},   {3, 2, 80},
      {87, 0, 80},   {87, 1, -45},  {86, 1, 80},   {86, 2, -45},  {85, 2, 80},  {85, 3, -45},
      {0, 30, -80},  {0, 29, 45},   {1, 29, -80},  {1, 28, 45},   {2, 28, -80}, {87, 30, -80},
      {87, 29, -45}, {86, 29, -80}, {86, 28, -45}, {85, 28, -80}, {84, 27, 0},  {44, 15, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(Grey(banner, c.x, c.y), 100 + c.change) << c.x << "," << c.y;
}

TEST(ButtonizeTest, ChannelsChangeAndClampSeparately) {
  Bitmap banner(10, 10, MakeColor(250, 30, 128));
  ASSERT_TRUE(ButtonizeBanner(banner).ok());
  EXPECT_EQ(banner.pixel(5, 0), MakeColor(255, 110, 208));
  EXPECT_EQ(banner.pixel(5, 9), MakeColor(170, 0, 48));
}

TEST(ButtonizeTest, TinyBannersSkipMissingRowsAndApplyBandsInOrder) {
  // 2 x 2 grey 100: bottom row -80, then top row +80, then the left band at
  // (0, 1) and (0, 0), then the right band at (1, 1) and (1, 0).
  Bitmap two(2, 2, MakeColor(100, 100, 100));
  ASSERT_TRUE(ButtonizeBanner(two).ok());
  EXPECT_EQ(Grey(two, 0, 0), 225);
  EXPECT_EQ(Grey(two, 1, 0), 135);
  EXPECT_EQ(Grey(two, 0, 1), 65);
  EXPECT_EQ(Grey(two, 1, 1), 0);
  // 1 x 1 black: the bottom band clamps at 0, the top band then adds 80.
  Bitmap one(1, 1, kBlack);
  ASSERT_TRUE(ButtonizeBanner(one).ok());
  EXPECT_EQ(Grey(one, 0, 0), 80);
  // Every small size runs without touching pixels outside the banner.
  for (int w = 1; w <= 7; ++w)
    for (int h = 1; h <= 7; ++h) {
      Bitmap b(w, h, MakeColor(128, 128, 128));
      EXPECT_TRUE(ButtonizeBanner(b).ok());
    }
}

TEST(ButtonizeTest, EmptyBannerReportsTheReadFailure) {
  Bitmap empty;
  EXPECT_EQ(ButtonizeBanner(empty).message(), kBitmapReadFailed);
}

}  // namespace
}  // namespace plakato
