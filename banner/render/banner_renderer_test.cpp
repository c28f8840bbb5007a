#include "banner/render/banner_renderer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "banner/render/fake_font_backend.h"
#include "banner/render/nearest.h"

namespace plakato {
namespace {

constexpr Color kRed = 0x0000FF;
constexpr Color kGreen = 0x00FF00;
constexpr Color kBlue = 0xFF0000;

class BannerRendererTest : public ::testing::Test {
 protected:
  std::shared_ptr<FakeFontBackend> fonts = std::make_shared<FakeFontBackend>();
  BannerRenderer renderer{fonts};
  BannerSettings settings;

  void SetUp() override { settings.Size.index = 0; }  // 88 x 31

  const Bitmap& Render() {
    last = renderer.Render(settings, nullptr);
    return renderer.preview();
  }
  RenderReport last;
};

bool InBox(int x, int y, int left, int top, int right, int bottom) {
  return x >= left && x < right && y >= top && y < bottom;
}

TEST_F(BannerRendererTest, StartsWithTheDesignedPreviewAndNothingRendered) {
  EXPECT_FALSE(renderer.hasRendered());
  EXPECT_EQ(renderer.previewWidth(), 88);
  EXPECT_EQ(renderer.previewHeight(), 31);
  Render();
  EXPECT_TRUE(renderer.hasRendered());
}

TEST_F(BannerRendererTest, PresetSizesComeFromTheItemText) {
  settings.Size.index = 1;
  Render();
  EXPECT_EQ(renderer.previewWidth(), 200);
  EXPECT_EQ(renderer.previewHeight(), 40);
  EXPECT_FALSE(last.user_size_enabled);
  EXPECT_EQ(last.window_extra_height, 0);
  settings.Size.index = 3;
  Render();
  EXPECT_EQ(last.preview_width, 234);
  EXPECT_EQ(last.preview_height, 60);
  EXPECT_EQ(renderer.preview().width(), 234);
}

TEST_F(BannerRendererTest, UserSizeAppliesOnlyWhenBothSidesArePositive) {
  settings.Size.index = kUserSizeItem;
  settings.Size.Width = "300";
  settings.Size.Height = "100";
  Render();
  EXPECT_TRUE(last.user_size_enabled);
  EXPECT_EQ(renderer.previewWidth(), 300);
  EXPECT_EQ(last.window_extra_height, 40);
  settings.Size.Height = "60";
  Render();
  EXPECT_EQ(last.window_extra_height, 0);
  settings.Size.Width = "120";
  settings.Size.Height = "0";
  Render();
  EXPECT_EQ(renderer.previewWidth(), 300);  // the previous size stays
  EXPECT_EQ(renderer.previewHeight(), 60);
  EXPECT_TRUE(renderer.hasRendered());
  settings.Size.Width = "  150px";
  settings.Size.Height = "70.4";
  Render();
  EXPECT_EQ(renderer.previewWidth(), 150);
  EXPECT_EQ(renderer.previewHeight(), 70);
  EXPECT_EQ(last.window_extra_height, 10);
  settings.Size.Height = "0.5";  // rounds to 0 (half to even)
  Render();
  EXPECT_EQ(renderer.previewHeight(), 70);
  settings.Size.Height = "1e9";
  Render();
  EXPECT_EQ(renderer.previewHeight(), 70);
  settings.Size.index = -1;  // no selection is the user size too
  settings.Size.Height = "20";
  Render();
  EXPECT_EQ(renderer.previewHeight(), 20);
  EXPECT_TRUE(last.user_size_enabled);
}

TEST_F(BannerRendererTest, PlainColourStaysAsBackgroundForLaterRenders) {
  settings.BackGround.Pattern = kPlain;
  settings.BackGround.Color1 = kRed;
  EXPECT_EQ(Render(), Bitmap(88, 31, kRed));
  settings.BackGround.Pattern = kGradient2;
  settings.BackGround.Direction = -1;
  EXPECT_EQ(Render(), Bitmap(88, 31, kRed));
  settings.BackGround.Direction = 0;
  Render();
  settings.BackGround.Direction = -1;
  settings.BackGround.Pattern = kPicture;  // without a picture
  EXPECT_EQ(Render(), Bitmap(88, 31, kRed));
}

TEST_F(BannerRendererTest, PicturePatternDrawsThePreparedPicture) {
  settings.BackGround.Pattern = kPicture;
  Bitmap picture(88, 31, kBlue);
  picture.set_pixel(5, 6, kGreen);
  renderer.Render(settings, &picture);
  EXPECT_EQ(renderer.preview(), picture);
}

TEST_F(BannerRendererTest, BlankTitleDrawsNothingAndLeavesControlsAlone) {
  settings.BackGround.Pattern = kPlain;
  settings.BackGround.Color1 = kBlue;
  settings.Title.String = "   ";
  settings.Title.Shadow = true;
  settings.Title.ShadowDirection = -1;
  EXPECT_EQ(Render(), Bitmap(88, 31, kBlue));
  EXPECT_FALSE(last.title_controls_enabled);
  EXPECT_FALSE(last.location_repaired);
  EXPECT_EQ(settings.Title.Location, -1);
  EXPECT_EQ(fonts->render_calls, 0);
}

TEST_F(BannerRendererTest, CentredTitleIsFittedPlacedAndRepairsTheLocation) {
  // "ABCDE": 5 pixels per point wide; 70 % of 88 pixels is 61.6, so 12 points
  // (60 x 14 pixels). X = (1320 - 900) / 2 = 210 twips = 14 pixels,
  // Y = (465 - 210) / 2 = 127.5 twips = 8.5 pixels -> 8.
  settings.Title.String = " ABCDE ";
  settings.Title.Pattern = 0;
  settings.Title.Color1 = kBlue;
  const Bitmap& banner = Render();
  EXPECT_TRUE(last.title_controls_enabled);
  EXPECT_TRUE(last.location_repaired);
  EXPECT_EQ(settings.Title.Location, 0);
  EXPECT_EQ(renderer.title_font_size(), 12);
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 88; ++x)
      ASSERT_EQ(banner.pixel(x, y), InBox(x, y, 14, 8, 74, 22) ? kBlue : kWhite) << x << "," << y;
  Render();
  EXPECT_FALSE(last.location_repaired);
}

TEST_F(BannerRendererTest, ShadowGoesFirstAndTheTitleCoversIt) {
  // Location 8: X = 420 * 4 / 5 = 336 twips -> 22 px, Y = 255 * 4 / 5 = 204
  // twips -> 14 px. Shadow direction 3 with offset 2: (-30, -30) twips.
  settings.Title.String = "ABCDE";
  settings.Title.Location = 8;
  settings.Title.Pattern = 0;
  settings.Title.Color1 = kBlue;
  settings.Title.Shadow = true;
  settings.Title.ShadowDirection = 3;
  settings.Title.Offset = 2;
  settings.Title.ShadowColor = kRed;
  const Bitmap& banner = Render();
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 88; ++x) {
      const Color expected = InBox(x, y, 22, 14, 82, 28)   ? kBlue
                             : InBox(x, y, 20, 12, 80, 26) ? kRed
                                                           : kWhite;
      ASSERT_EQ(banner.pixel(x, y), expected) << x << "," << y;
    }
  EXPECT_FALSE(last.shadow_direction_repaired);
}

TEST_F(BannerRendererTest, ShadowInTheBackgroundColourIsInvisible) {
  settings.BackGround.Color1 = kGreen;
  settings.Title.String = "ABC";
  settings.Title.Pattern = 0;
  const Bitmap plain = Render();
  settings.Title.Shadow = true;
  settings.Title.ShadowColor = kGreen;
  settings.Title.Offset = 3;
  EXPECT_EQ(Render(), plain);
}

TEST_F(BannerRendererTest, UnsetShadowDirectionIsRepairedToTheFirstItem) {
  settings.Title.String = "ABC";
  settings.Title.Location = 0;
  settings.Title.Shadow = true;
  settings.Title.ShadowDirection = -1;
  settings.Title.ShadowColor = kRed;
  settings.Title.Pattern = 0;
  const Bitmap repaired = Render();
  EXPECT_TRUE(last.shadow_direction_repaired);
  EXPECT_EQ(settings.Title.ShadowDirection, 0);
  EXPECT_EQ(Render(), repaired);
  EXPECT_FALSE(last.shadow_direction_repaired);
}

TEST_F(BannerRendererTest, TitleLayerWithoutGradientShowsItsLastColour) {
  settings.BackGround.Color1 = kBlue;
  settings.Title.String = "ABCDE";
  settings.Title.Pattern = 1;
  settings.Title.Direction = -1;
  EXPECT_EQ(Render().pixel(20, 12), kWhite);  // fresh layer: white
  settings.Title.Shadow = true;
  settings.Title.ShadowColor = kGreen;
  EXPECT_EQ(Render().pixel(20, 12), kGreen);  // the shadow colour was set last
  settings.Title.Shadow = false;
  EXPECT_EQ(Render().pixel(20, 12), kGreen);  // and stays until changed
  settings.Title.Pattern = 0;
  settings.Title.Color1 = kRed;
  Render();
  settings.Title.Pattern = -1;
  EXPECT_EQ(Render().pixel(20, 12), kRed);
}

TEST_F(BannerRendererTest, TitleGradientSpansTheWholeBannerHeight) {
  fonts->extent = [](const FontSpec&, std::string_view) { return TextExtent{10, 31}; };
  settings.BackGround.Color1 = kBlue;
  settings.Title.String = "x";
  settings.Title.Pattern = 1;
  settings.Title.Color1 = kBlack;
  settings.Title.Color2 = kWhite;
  settings.Title.Direction = 0;
  const Bitmap& banner = Render();
  // The text cell is the banner's height, placed at Y = 0.
  const double step = static_cast<float>(255 / 31.0);
  for (int y = 0; y < 31; ++y) {
    const int g = Nearest(step * y);
    EXPECT_EQ(banner.pixel(44, y), MakeColor(g, g, g)) << y;
  }
  EXPECT_EQ(banner.pixel(0, 0), kBlue);
}

TEST_F(BannerRendererTest, SmoothedEdgesFollowTheCompositeFormula) {
  fonts->edge_coverage = 100;
  settings.BackGround.Color1 = MakeColor(10, 200, 60);
  settings.Title.String = "ABCDE";
  settings.Title.Pattern = 0;
  settings.Title.Color1 = MakeColor(240, 20, 130);
  const Bitmap& banner = Render();
  const Color m0 = MakeColor(100, 100, 100), m1 = MakeColor(155, 155, 155);
  EXPECT_EQ(banner.pixel(73, 10), (MakeColor(10, 200, 60) | m0) & (MakeColor(240, 20, 130) | m1));
}

TEST_F(BannerRendererTest, FontFaceFromSettingsStyleFromTheFontSetter) {
  renderer.SetTitleFont("ＭＳ 明朝", true, false);
  EXPECT_EQ(renderer.title_font_face(), "ＭＳ 明朝");
  EXPECT_TRUE(renderer.title_font_bold());
  settings.Title.String = "ABC";
  Render();
  EXPECT_EQ(fonts->last_render_font.face, "ＭＳ 明朝");  // empty FontName keeps the face
  EXPECT_TRUE(fonts->last_render_font.bold);
  settings.Title.FontName = "MS Gothic";
  Render();
  EXPECT_EQ(fonts->last_render_font.face, "MS Gothic");  // the inverse mask draws last
  EXPECT_EQ(renderer.title_font_face(), "MS Gothic");
  EXPECT_FALSE(renderer.title_font_italic());
}

TEST_F(BannerRendererTest, ButtonEffectIsAppliedToTheFinishedBanner) {
  settings.BackGround.Buttonize = true;
  const Bitmap& banner = Render();
  EXPECT_TRUE(last.buttonize_error.empty());
  EXPECT_EQ(banner.pixel(40, 0), kWhite);
  EXPECT_EQ(banner.pixel(40, 30), MakeColor(175, 175, 175));
  EXPECT_EQ(banner.pixel(87, 15), MakeColor(210, 210, 210));
}

TEST_F(BannerRendererTest, OtherScreenGeometriesGiveTheSamePixels) {
  settings.BackGround.Pattern = kGradient3;
  settings.BackGround.Color1 = kRed;
  settings.BackGround.Color3 = kBlue;
  settings.Title.String = "ABCDE";
  settings.Title.Location = 5;
  settings.Title.Pattern = 0;
  settings.Title.Shadow = true;
  settings.Title.ShadowColor = kGreen;
  for (int direction = 0; direction <= 4; ++direction) {
    settings.BackGround.Direction = static_cast<std::int16_t>(direction);
    const Bitmap at15 = Render();
    BannerRenderer other(fonts, {12, 12});
    other.Render(settings, nullptr);
    EXPECT_EQ(other.preview(), at15) << direction;
  }
}

TEST_F(BannerRendererTest, ExtremeValuesRenderWithoutFailing) {
  settings.Title.String = "ABC";
  settings.Title.Shadow = true;
  settings.Title.Offset = 2147483647;
  settings.Title.Location = 1000;
  settings.Title.Pattern = 2;
  settings.Title.Direction = 4;
  settings.BackGround.Pattern = 77;
  settings.Size.index = 99;
  settings.Size.Width = "-5";
  settings.Size.Height = "abc";
  Render();
  EXPECT_EQ(renderer.previewWidth(), 88);
  settings.Title.Offset = -2147483647 - 1;
  Render();
  EXPECT_TRUE(renderer.hasRendered());
}

}  // namespace
}  // namespace plakato
