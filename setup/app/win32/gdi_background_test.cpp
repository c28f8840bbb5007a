#include "setup/app/win32/gdi_background.h"

#include <gtest/gtest.h>

#include "setup/app/paint/background_field.h"
#include "setup/app/paint/bmp_file.h"
#include "setup/app/win32/com_scope_win32.h"
#include "setup/app/win32/wic_picture.h"

// After the project's headers: wincodec.h needs windows.h first.
#include <wincodec.h>

namespace setup::win32 {
namespace {

using paint::Opaque;

paint::PixelBuffer Pattern(int w, int h) {
  paint::PixelBuffer p(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) p.At(x, y) = Opaque(x * 20, y * 30, 100);
  }
  return p;
}

paint::BackgroundPlan FieldPlan(paint::PictureMode mode) {
  paint::BackgroundPlan plan;
  plan.width = 67;
  plan.height = 45;
  plan.bands = {{0, 40, {255, 0, 0}}, {40, 5, {0, 0, 0}}};
  plan.picture_mode = mode;
  return plan;
}

TEST(GdiBackgroundTest, FieldAndPictureComeThroughGdiUnchanged) {
  // The bitmap's rows run from the top and its bytes are blue, green, red:
  // any turn or swap shows in the band and the picture.
  for (paint::PictureMode mode : {paint::PictureMode::kCentred, paint::PictureMode::kTiled,
                                  paint::PictureMode::kStretched, paint::PictureMode::kNone}) {
    const paint::BackgroundPlan plan = FieldPlan(mode);
    const paint::PixelBuffer picture = Pattern(9, 7);
    const paint::PixelBuffer gdi = PaintBackgroundGdi(plan, picture);
    EXPECT_EQ(gdi.pixels, paint::PaintBackgroundField(plan, picture).pixels) << static_cast<int>(mode);
  }
}

TEST(GdiBackgroundTest, TextInkLandsAtItsPlaceInItsColour) {
  paint::BackgroundPlan plan = FieldPlan(paint::PictureMode::kNone);
  plan.width = 200;
  plan.height = 60;
  plan.bands = {{0, 60, {0, 0, 0}}};
  plan.texts.push_back({"kestro", {"ＭＳ Ｐゴシック", 20, true, false}, 100, 10, {255, 255, 0}});
  const paint::PixelBuffer gdi = PaintBackgroundGdi(plan, {});
  int left = 200, top = 60, yellow = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (gdi.At(x, y) == Opaque(0, 0, 0)) continue;
      left = std::min(left, x);
      top = std::min(top, y);
      yellow += gdi.At(x, y) == Opaque(255, 255, 0);
    }
  }
  EXPECT_GE(left, 100);
  EXPECT_LE(left, 104);
  EXPECT_GE(top, 10);
  EXPECT_LE(top, 20);
  EXPECT_GT(yellow, 20);
}

TEST(GdiBackgroundTest, MeasureGrowsWithTextAndPoints) {
  const GdiFontMeasure measure;
  const paint::ScriptFont small{"ＭＳ Ｐゴシック", 10};
  const paint::ScriptFont big{"ＭＳ Ｐゴシック", 40};
  const paint::TextExtent a = measure.Measure(small, "kestr");
  EXPECT_GT(a.width, 0);
  EXPECT_GE(a.height, 13);
  EXPECT_GT(measure.Measure(small, "kestro Setup").width, a.width);
  EXPECT_GT(measure.Measure(big, "kestr").width, 2 * a.width);
  EXPECT_GE(measure.Measure(big, "").height, 53);
  EXPECT_EQ(measure.Measure(big, "").width, 0);
}

// The picture as a JPEG file, written by the imaging component's own
// encoder (24-bit, default quality); empty when it fails.
std::string EncodeJpeg(const paint::PixelBuffer& picture) {
  ComScope com;
  IWICImagingFactory* factory = nullptr;
  IStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  IPropertyBag2* options = nullptr;
  std::string bytes;
  const UINT stride = static_cast<UINT>(picture.width) * 3;
  std::string rows;
  for (const paint::Argb p : picture.pixels) {
    rows += {static_cast<char>(paint::BlueOf(p)), static_cast<char>(paint::GreenOf(p)),
             static_cast<char>(paint::RedOf(p))};
  }
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
      SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder)) &&
      SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
      SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) && SUCCEEDED(frame->Initialize(options)) &&
      SUCCEEDED(frame->SetSize(picture.width, picture.height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
      format == GUID_WICPixelFormat24bppBGR &&
      SUCCEEDED(frame->WritePixels(picture.height, stride, static_cast<UINT>(rows.size()),
                                   reinterpret_cast<BYTE*>(rows.data()))) &&
      SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit())) {
    HGLOBAL memory = nullptr;
    STATSTG stat{};
    if (SUCCEEDED(GetHGlobalFromStream(stream, &memory)) && SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME))) {
      const char* data = static_cast<const char*>(GlobalLock(memory));
      bytes.assign(data, static_cast<std::size_t>(stat.cbSize.QuadPart));
      GlobalUnlock(memory);
    }
  }
  for (IUnknown* object : std::initializer_list<IUnknown*>{options, frame, encoder, stream, factory}) {
    if (object) object->Release();
  }
  return bytes;
}

TEST(WicPictureTest, ReadsJpegRowsFromTheTop) {
  // Four quarters of plain colours; JPEG keeps them within a few steps at the default quality (the
  // quarters differ by far more).
  paint::PixelBuffer quarters(32, 16);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 32; ++x) {
      quarters.At(x, y) = y < 8 ? (x < 16 ? Opaque(200, 40, 90) : Opaque(20, 220, 60))
                                : (x < 16 ? Opaque(250, 250, 250) : Opaque(10, 10, 120));
    }
  }
  const std::string jpeg = EncodeJpeg(quarters);
  ASSERT_EQ(paint::PictureKindOf(jpeg), "JPEG");
  const paint::PixelBuffer read = DecodePictureWic(jpeg);
  ASSERT_EQ(read.width, 32);
  ASSERT_EQ(read.height, 16);
  for (auto [x, y] : {std::pair{3, 3}, {28, 3}, {3, 12}, {28, 12}}) {
    const paint::Argb want = quarters.At(x, y);
    const paint::Argb got = read.At(x, y);
    EXPECT_EQ(paint::AlphaOf(got), 255);
    EXPECT_NEAR(paint::RedOf(got), paint::RedOf(want), 24) << x << "," << y;
    EXPECT_NEAR(paint::GreenOf(got), paint::GreenOf(want), 24) << x << "," << y;
    EXPECT_NEAR(paint::BlueOf(got), paint::BlueOf(want), 24) << x << "," << y;
  }
}

TEST(WicPictureTest, ReadsBmpAndGifAndRefusesOtherKinds) {
  const paint::PixelBuffer pattern = Pattern(5, 3);
  const paint::PixelBuffer bmp = DecodePictureWic(paint::EncodeBmp24(pattern));
  ASSERT_EQ(bmp.width, 5);
  ASSERT_EQ(bmp.height, 3);
  EXPECT_EQ(bmp.pixels, pattern.pixels);

  // One pixel of palette entry 0, red.
  const std::string gif(
      "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\xff"
      ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
      35);
  const paint::PixelBuffer red = DecodePictureWic(gif);
  ASSERT_EQ(red.width, 1);
  EXPECT_EQ(red.At(0, 0), Opaque(255, 0, 0));

  EXPECT_TRUE(DecodePictureWic("BM broken").empty());
  EXPECT_TRUE(DecodePictureWic("").empty());
  // A PNG is no background picture, though the imaging component reads it.
  EXPECT_TRUE(DecodePictureWic(std::string("\x89PNG\r\n\x1a\n", 8) + std::string(64, '\0')).empty());
  EXPECT_TRUE(LoadPictureWic(L"Z:\\no\\such\\picture.bmp").empty());
}

}  // namespace
}  // namespace setup::win32
