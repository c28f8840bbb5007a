#include "setup/app/window/background_painter.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <fstream>

#include "platform/cp932.h"
#include "platform/testing/temp_dir.h"
#include "platform/ui/test_application.h"
#include "setup/app/window/windows_fonts.h"

namespace setup::window {
namespace {

using platform::ui::testing::TestApplication;
using namespace paint;

// Every text is 10 pixels per character wide (bytes, which is enough for
// ASCII) and as high as its point size.
class FixedMeasure : public FontMeasure {
 public:
  TextExtent Measure(const ScriptFont& font, std::string_view text) const override {
    return {static_cast<int>(text.size()) * 10, font.points};
  }
};

class BackgroundTest : public ::testing::Test {
 protected:
  void SetUp() override { TestApplication(); }

  SetupScript Script(const std::string& lines) {
    std::ofstream(script_path_, std::ios::binary) << platform::Utf8ToCp932("[Background]\r\n" + lines);
    return SetupScript(script_path_);
  }
  QImage Paint(const std::string& lines, int w, int h, const QImage& picture = QImage()) {
    return PaintBackground(PlanBackground(Script(lines), w, h, QtFontMeasure()), picture);
  }

  platform::testing::TempDir dir_;
  std::filesystem::path script_path_ = dir_ / "Setup.dat";
};

// A picture whose every column has its own colour: red = column & 255,
// green = column >> 8.
QImage ColumnPicture(int w, int h) {
  QImage picture(w, h, QImage::Format_RGB32);
  for (int x = 0; x < w; ++x) {
    for (int y = 0; y < h; ++y) picture.setPixel(x, y, qRgb(x & 255, x >> 8, 200));
  }
  return picture;
}

TEST_F(BackgroundTest, Screen768BlueFadeHas32BandsOf24AndNoRemainder) {
  const QImage image = Paint("Way=2\r\nRed=0\r\nGreen=0\r\nBlue=99\r\n", 1024, 768);
  ASSERT_EQ(image.size(), QSize(1024, 768));
  for (int band = 0; band < 32; ++band) {
    const QRgb expected = qRgb(0, 0, 255 - 8 * band);
    for (int row : {band * 24, band * 24 + 23}) {
      ASSERT_EQ(image.pixel(1023, row), expected) << "band " << band << " row " << row;
      ASSERT_EQ(image.pixel(600, row), expected) << "band " << band << " row " << row;
    }
  }
  EXPECT_EQ(image.pixel(1023, 767), qRgb(0, 0, 7));
}

TEST_F(BackgroundTest, Screen1050RedFadeKeepsOtherChannelsAndEndsInA26PixelBand) {
  const QImage image = Paint("Way=0\r\nRed=3\r\nGreen=10\r\nBlue=276\r\n", 1280, 1050);
  for (int band = 0; band < 32; ++band) {
    EXPECT_EQ(image.pixel(1279, band * 32), qRgb(255 - 8 * band, 10, 20)) << band;
    EXPECT_EQ(image.pixel(1279, band * 32 + 31), qRgb(255 - 8 * band, 10, 20)) << band;
  }
  for (int row = 1024; row < 1050; ++row) ASSERT_EQ(image.pixel(1279, row), qRgb(0, 10, 20)) << row;
}

TEST_F(BackgroundTest, PlainFillForWay3AndForValuesOutsideTheFormat) {
  for (const char* way : {"3", "7", "-1"}) {
    const QImage image = Paint(std::string("Way=") + way + "\r\nRed=1\r\nGreen=2\r\nBlue=3\r\n", 64, 64);
    EXPECT_EQ(image.pixel(63, 0), qRgb(1, 2, 3)) << way;
    EXPECT_EQ(image.pixel(63, 63), qRgb(1, 2, 3)) << way;
  }
}

TEST_F(BackgroundTest, ScreenLowerThan32IsOneBandWithTheChannelAtZero) {
  const BackgroundPlan plan = PlanBackground(Script("Way=1\r\nRed=9\r\n"), 10, 20, FixedMeasure());
  ASSERT_EQ(plan.bands.size(), 1u);
  EXPECT_EQ(plan.bands[0].top, 0);
  EXPECT_EQ(plan.bands[0].height, 20);
  EXPECT_EQ(plan.bands[0].color, (Rgb{9, 0, 0}));
}

TEST_F(BackgroundTest, AllCaptionsEmptyLeaveOnlyTheProductMark) {
  // Defaults everywhere: red fade, no picture, no captions.
  const BackgroundPlan plan = PlanBackground(Script(""), 1024, 768, FixedMeasure());
  ASSERT_EQ(plan.texts.size(), 4u);
  for (const TextDraw& t : plan.texts) EXPECT_TRUE(t.text == "TM" || t.text == kProductMark) << t.text;

  const QImage image = PaintBackground(plan, QImage());
  // Away from the mark (bottom left) every pixel is the colour field.
  for (int band = 0; band < 32; ++band) {
    for (int x : {0, 300, 700, 1023}) {
      ASSERT_EQ(image.pixel(x, band * 24 + 5), qRgb(255 - 8 * band, 0, 0)) << x << " " << band;
    }
  }
}

TEST_F(BackgroundTest, ProductMarkIsPlacedFromTheBottomInItsOwnFonts) {
  const BackgroundPlan plan = PlanBackground(Script(""), 800, 600, FixedMeasure());
  ASSERT_EQ(plan.texts.size(), 4u);
  // y = 600 - 14 - (8 + 2) - (10 + 2) = 564; "kestr" is 50 pixels wide.
  const TextDraw& shadow = plan.texts[0];
  const TextDraw& mark = plan.texts[1];
  EXPECT_EQ(mark.text, "kestro Setup for Windows");
  EXPECT_EQ(mark.font, (ScriptFont{"ＭＳ Ｐゴシック", 10, true, true}));
  EXPECT_EQ(std::make_pair(mark.x, mark.y), std::make_pair(16, 564));
  EXPECT_EQ(mark.color, (Rgb{255, 255, 0}));
  EXPECT_EQ(std::make_pair(shadow.x, shadow.y), std::make_pair(17, 565));
  EXPECT_EQ(shadow.color, (Rgb{128, 128, 128}));
  EXPECT_EQ(plan.texts[2].font.points, 5);
  EXPECT_EQ(std::make_pair(plan.texts[2].x, plan.texts[2].y), std::make_pair(67, 560));
  EXPECT_EQ(std::make_pair(plan.texts[3].x, plan.texts[3].y), std::make_pair(66, 559));
  EXPECT_EQ(plan.texts[3].color, (Rgb{255, 255, 0}));
}

TEST_F(BackgroundTest, CaptionBlocksAlignAndCarryTheirFontsAndShadows) {
  const BackgroundPlan plan =
      PlanBackground(Script("Caption1=ABCDEF\r\nSize1=20\r\nCaption2=AB\r\nSize2=10\r\nShadowVisible2=0\r\n"
                            "Caption3=ABCD\r\nSize3=30\r\nColor3=255\r\nShadowLeft3=-3\r\nShadowTop3=5\r\n"
                            "ShadowColor3=65280\r\nName3=MS Mincho\r\nBold3=yes\r\nItalic3=0\r\n"
                            "Underline3=1\r\nStrikeOut3=1\r\n"
                            "Caption4=WXYZWXYZ\r\nSize4=12\r\nShadowVisible4=0\r\n"
                            "Caption6=Q\r\nSize6=40\r\nShadowVisible6=0\r\n"),
                     1000, 700, FixedMeasure());
  ASSERT_EQ(plan.texts.size(), 2u + 1u + 2u + 1u + 1u + 4u);
  // Top left: widest is Caption1 (60); Caption2 and 3 end at 76.
  EXPECT_EQ(plan.texts[1].text, "ABCDEF");
  EXPECT_EQ(std::make_pair(plan.texts[1].x, plan.texts[1].y), std::make_pair(16, 16));
  EXPECT_EQ(std::make_pair(plan.texts[0].x, plan.texts[0].y), std::make_pair(18, 18));
  EXPECT_EQ(plan.texts[0].color, (Rgb{0, 0, 0}));
  EXPECT_EQ(plan.texts[1].color, (Rgb{0, 255, 255}));  // the default, cyan
  EXPECT_EQ(plan.texts[1].font, (ScriptFont{"ＭＳ Ｐゴシック", 20, true, true, false, false}));
  EXPECT_EQ(std::make_pair(plan.texts[2].x, plan.texts[2].y), std::make_pair(56, 40));
  const TextDraw& shadow3 = plan.texts[3];
  const TextDraw& caption3 = plan.texts[4];
  EXPECT_EQ(std::make_pair(caption3.x, caption3.y), std::make_pair(36, 54));
  EXPECT_EQ(std::make_pair(shadow3.x, shadow3.y), std::make_pair(33, 59));
  EXPECT_EQ(shadow3.color, (Rgb{0, 255, 0}));
  EXPECT_EQ(caption3.color, (Rgb{255, 0, 0}));
  EXPECT_EQ(caption3.font, (ScriptFont{"MS Mincho", 30, false, false, true, true}));
  // Bottom right: x = 1000 - 80 - 16; Caption6 lowest, Caption5 empty.
  EXPECT_EQ(plan.texts[5].text, "Q");
  EXPECT_EQ(std::make_pair(plan.texts[5].x, plan.texts[5].y), std::make_pair(904, 700 - 12 - 44));
  EXPECT_EQ(plan.texts[6].text, "WXYZWXYZ");
  EXPECT_EQ(std::make_pair(plan.texts[6].x, plan.texts[6].y), std::make_pair(904, 644 - 16));
}

TEST_F(BackgroundTest, CentredPictureWiderThanTheScreenIsCutEvenly) {
  const QImage picture = ColumnPicture(1045, 100);  // 21 columns too many
  const QImage image = Paint("Way=3\r\nFile=x.bmp\r\nPosition=0\r\n", 1024, 768, picture);
  // (1024 - 1045) / 2 = -10: screen column 0 shows picture column 10.
  for (int x : {0, 1, 512, 1023}) {
    EXPECT_EQ(image.pixel(x, 400), picture.pixel(x + 10, 50)) << x;
  }
  EXPECT_EQ(image.pixel(0, (768 - 100) / 2), picture.pixel(10, 0));
  EXPECT_EQ(image.pixel(0, (768 - 100) / 2 - 1), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(0, (768 - 100) / 2 + 100), qRgb(0, 0, 0));
}

TEST_F(BackgroundTest, TiledAndStretchedPictures) {
  QImage picture(3, 2, QImage::Format_RGB32);
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 2; ++y) picture.setPixel(x, y, qRgb(10 * x, 100 + y, 7));
  const QImage tiled = Paint("File=p.bmp\r\nPosition=1\r\n", 100, 40, picture);
  for (auto [x, y] : {std::pair{0, 0}, {4, 3}, {98, 39}, {99, 38}}) {
    EXPECT_EQ(tiled.pixel(x, y), picture.pixel(x % 3, y % 2)) << x << "," << y;
  }
  const QImage stretched = Paint("File=p.bmp\r\nPosition=2\r\n", 90, 40, picture);
  EXPECT_EQ(stretched.pixel(1, 1), picture.pixel(0, 0));
  EXPECT_EQ(stretched.pixel(88, 38), picture.pixel(2, 1));
  const QImage nothing = Paint("Way=3\r\nFile=p.bmp\r\nPosition=5\r\n", 90, 40, picture);
  EXPECT_EQ(nothing.pixel(45, 20), qRgb(0, 0, 0));
}

TEST_F(BackgroundTest, PlacementSkipsPicturesWithoutArea) {
  EXPECT_FALSE(PlacePicture(PictureMode::kTiled, 100, 100, 0, 5).draw);
  EXPECT_FALSE(PlacePicture(PictureMode::kCentred, 100, 100, 5, 0).draw);
  EXPECT_FALSE(PlacePicture(PictureMode::kNone, 100, 100, 5, 5).draw);
  const PicturePlacement odd = PlacePicture(PictureMode::kCentred, 100, 100, 111, 3);
  EXPECT_EQ(std::make_pair(odd.x, odd.y), std::make_pair(-5, 48));
}

TEST_F(BackgroundTest, UnreadablePictureFileIsSkipped) {
  std::ofstream(dir_ / "broken.bmp") << "BM not a bitmap";
  EXPECT_TRUE(LoadBackgroundPicture(dir_ / "broken.bmp").isNull());
  EXPECT_TRUE(LoadBackgroundPicture(dir_ / "missing.bmp").isNull());
  const QImage image =
      Paint("Way=3\r\nRed=5\r\nFile=broken.bmp\r\n", 50, 50, LoadBackgroundPicture(dir_ / "broken.bmp"));
  EXPECT_EQ(image.pixel(49, 0), qRgb(5, 0, 0));
  // A bitmap that can be read comes back whole.
  const QImage picture = ColumnPicture(4, 3);
  ASSERT_TRUE(picture.save(QString::fromStdString((dir_ / "ok.bmp").string()), "BMP"));
  const QImage loaded = LoadBackgroundPicture(dir_ / "ok.bmp");
  ASSERT_EQ(loaded.size(), QSize(4, 3));
  EXPECT_EQ(loaded.pixel(3, 2), picture.pixel(3, 2));
}

TEST_F(BackgroundTest, JpegAndGifPicturesAreReadButNoOtherKinds) {
  // One pixel of palette entry 0, red.
  const std::string gif(
      "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\xff"
      ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
      35);
  const QImage red = LoadBackgroundPictureData(gif);
  ASSERT_EQ(red.size(), QSize(1, 1));
  EXPECT_EQ(red.pixel(0, 0), qRgb(255, 0, 0));
  QImage colours = ColumnPicture(16, 8);
  QByteArray jpeg;
  QBuffer jpeg_out(&jpeg);
  ASSERT_TRUE(colours.save(&jpeg_out, "JPEG", 100));
  EXPECT_EQ(LoadBackgroundPictureData(jpeg.toStdString()).size(), QSize(16, 8));
  // The toolkit reads PNG too, but the installer's background takes none.
  QByteArray png;
  QBuffer png_out(&png);
  ASSERT_TRUE(colours.save(&png_out, "PNG"));
  EXPECT_TRUE(LoadBackgroundPictureData(png.toStdString()).isNull());
}

TEST(WindowsFontsTest, JapaneseWindowsFacesMapOntoInstalledIpaFaces) {
  TestApplication();
  EXPECT_EQ(HostFace("ＭＳ Ｐゴシック"), "IPAPGothic");
  EXPECT_EQ(HostFace("ＭＳ 明朝"), "IPAMincho");
  EXPECT_EQ(HostFace("Arial"), "Arial");
  EXPECT_EQ(PointsToPixels(9), 12);
  EXPECT_EQ(PointsToPixels(10), 13);
  EXPECT_EQ(PointsToPixels(0), 1);
  EXPECT_EQ(QFontInfo(MakeFont({"ＭＳ Ｐゴシック", 72})).family(), "IPAPGothic");
}

}  // namespace
}  // namespace setup::window
