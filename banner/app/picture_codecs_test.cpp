#include "banner/app/picture_codecs.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <jpeglib.h>
#include <png.h>
#include <cstddef>
#include <cstdio>

#include "platform/atomic_file.h"
#include "platform/testing/temp_dir.h"

namespace plakato {
namespace {

Bitmap Sample(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.set_pixel(x, y, MakeColor(x * 40 % 256, y * 60 % 256, (x + y) * 20 % 256));
  return b;
}

std::string Bytes(const std::filesystem::path& p) {
  std::string s;
  return platform::ReadWholeFile(p, s).ok() ? s : std::string();
}

class PictureCodecsTest : public ::testing::Test {
 protected:
  platform::testing::TempDir dir_;

  std::filesystem::path Write(const char* name, const std::string& data) {
    EXPECT_TRUE(platform::WriteFileAtomically(dir_ / name, data).ok());
    return dir_ / name;
  }
};

// Writes a PNG of one row from raw samples, as common tools write it: no
// colour chunks unless a gamma is given.
std::filesystem::path WritePng(const std::filesystem::path& path, int color_type, int bit_depth, int width,
                               std::vector<png_byte> row, double gamma = 0) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), 1, bit_depth, color_type, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (gamma > 0) png_set_gAMA(png, info, gamma);
  png_write_info(png, info);
  png_write_row(png, row.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
  return path;
}

// Writes a GIF whose screen and first frame differ.
std::filesystem::path WriteGif(const std::filesystem::path& path, int screen_w, int screen_h, int left,
                               int top, int w, int h, bool interlaced,
                               const std::vector<GifPixelType>& stored_rows) {
  int error = 0;
  GifFileType* g = EGifOpenFileName(path.c_str(), false, &error);
  GifColorType colors[2] = {{255, 255, 255}, {0, 255, 0}};
  ColorMapObject* map = GifMakeMapObject(2, colors);
  EGifPutScreenDesc(g, screen_w, screen_h, 1, 0, map);
  EGifPutImageDesc(g, left, top, w, h, interlaced, nullptr);
  std::vector<GifPixelType> line(static_cast<std::size_t>(w));
  for (int y = 0; y < h; ++y) {
    std::fill(line.begin(), line.end(), stored_rows[static_cast<std::size_t>(y)]);
    EGifPutLine(g, line.data(), w);
  }
  GifFreeMapObject(map);
  EGifCloseFile(g, &error);
  return path;
}

TEST_F(PictureCodecsTest, PngNameIsDecidedByTheLastFourCharacters) {
  EXPECT_TRUE(IsPngPath("a.png"));
  EXPECT_TRUE(IsPngPath("/x/B.PNG"));
  EXPECT_TRUE(IsPngPath(".pNg"));
  EXPECT_FALSE(IsPngPath("a.png.bmp"));
  EXPECT_FALSE(IsPngPath("png"));
  EXPECT_FALSE(IsPngPath("a.gif"));
}

TEST_F(PictureCodecsTest, BmpAndPngRoundTripExactly) {
  const Bitmap picture = Sample(7, 5);  // odd width: rows are padded
  for (const char* name : {"a.bmp", "b.PNG", "c.gif"}) {
    ASSERT_TRUE(SavePicture(picture, dir_ / name).ok());
    auto back = LoadPicture(dir_ / name);
    ASSERT_TRUE(back.ok()) << back.status().message();
    EXPECT_EQ((*back), picture) << name;
  }
  EXPECT_EQ(Bytes(dir_ / "b.PNG").substr(1, 3), "PNG");
  EXPECT_EQ(Bytes(dir_ / "c.gif").substr(0, 2), "BM");  // any other name is a bitmap
  EXPECT_EQ(Bytes(dir_ / "a.bmp").size(), 54u + 24u * 5u);
}

TEST_F(PictureCodecsTest, ReadsPalettedAndTopDownBitmaps) {
  // 2 x 2, 8 bits with a two-colour palette, stored top-down.
  std::string f = "BM";
  auto u32 = [&f](uint32_t v) {
    for (int i = 0; i < 4; ++i) f.push_back(static_cast<char>(v >> (8 * i)));
  };
  auto u16 = [&f](uint16_t v) {
    f.push_back(static_cast<char>(v));
    f.push_back(static_cast<char>(v >> 8));
  };
  u32(0);
  u32(0);
  u32(14 + 40 + 8);
  u32(40);
  u32(2);
  u32(static_cast<uint32_t>(-2));
  u16(1);
  u16(8);
  u32(0);
  u32(0);
  u32(0);
  u32(0);
  u32(2);
  u32(0);
  f += std::string("\x00\x00\xFF\x00", 4);  // red (blue, green, red, 0)
  f += std::string("\xFF\x00\x00\x00", 4);  // blue
  f += std::string("\x00\x01\x00\x00", 4);  // row 0: red, blue
  f += std::string("\x01\x00\x00\x00", 4);  // row 1: blue, red
  ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "p.bmp", f).ok());
  auto r = LoadPicture(dir_ / "p.bmp");
  ASSERT_TRUE(r.ok()) << r.status().message();
  EXPECT_EQ((*r).pixel(0, 0), 0x0000FFu);
  EXPECT_EQ((*r).pixel(1, 0), 0xFF0000u);
  EXPECT_EQ((*r).pixel(0, 1), 0xFF0000u);
}

TEST_F(PictureCodecsTest, ReadsJpegAndGif) {
  // A flat grey JPEG written with libjpeg.
  {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* mem = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &mem, &size);
    c.image_width = 16;
    c.image_height = 8;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 100, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<unsigned char> row(16 * 3, 128);
    while (c.next_scanline < c.image_height) {
      JSAMPROW p = row.data();
      jpeg_write_scanlines(&c, &p, 1);
    }
    jpeg_finish_compress(&c);
    ASSERT_TRUE(
        platform::WriteFileAtomically(dir_ / "g.jpg", std::string(reinterpret_cast<char*>(mem), size)).ok());
    jpeg_destroy_compress(&c);
    free(mem);
  }
  auto j = LoadPicture(dir_ / "g.jpg");
  ASSERT_TRUE(j.ok()) << j.status().message();
  EXPECT_EQ((*j).width(), 16);
  EXPECT_EQ((*j).height(), 8);
  EXPECT_NEAR(Red((*j).pixel(5, 5)), 128, 2);

  // A 3 x 2 GIF with a green pixel at (2, 1).
  {
    int error = 0;
    GifFileType* g = EGifOpenFileName((dir_ / "s.gif").c_str(), false, &error);
    ASSERT_NE(g, nullptr);
    GifColorType colors[2] = {{255, 255, 255}, {0, 255, 0}};
    ColorMapObject* map = GifMakeMapObject(2, colors);
    EGifPutScreenDesc(g, 3, 2, 1, 0, map);
    EGifPutImageDesc(g, 0, 0, 3, 2, false, nullptr);
    GifPixelType line0[3] = {0, 0, 0}, line1[3] = {0, 0, 1};
    EGifPutLine(g, line0, 3);
    EGifPutLine(g, line1, 3);
    GifFreeMapObject(map);
    ASSERT_EQ(EGifCloseFile(g, &error), GIF_OK);
  }
  auto gif = LoadPicture(dir_ / "s.gif");
  ASSERT_TRUE(gif.ok()) << gif.status().message();
  EXPECT_EQ((*gif).width(), 3);
  EXPECT_EQ((*gif).pixel(2, 1), MakeColor(0, 255, 0));
  EXPECT_EQ((*gif).pixel(0, 0), kWhite);
}

TEST_F(PictureCodecsTest, PngStoredValuesAreThePixels) {
  // 16-bit grey 0x8080 and 16-bit red 0xFFFF/0x0000/0x8080.
  auto grey = LoadPng(WritePng(dir_ / "g16.png", PNG_COLOR_TYPE_GRAY, 16, 1, {0x80, 0x80}));
  ASSERT_TRUE(grey.ok()) << grey.status().message();
  EXPECT_EQ((*grey).pixel(0, 0), MakeColor(128, 128, 128));
  auto rgb =
      LoadPng(WritePng(dir_ / "c16.png", PNG_COLOR_TYPE_RGB, 16, 1, {0xFF, 0xFF, 0x00, 0x00, 0x80, 0x80}));
  ASSERT_TRUE(rgb.ok()) << rgb.status().message();
  EXPECT_EQ((*rgb).pixel(0, 0), MakeColor(255, 0, 128));
  // Half-transparent black and opaque blue over white, blended in stored values.
  auto alpha =
      LoadPng(WritePng(dir_ / "a.png", PNG_COLOR_TYPE_RGB_ALPHA, 8, 2, {0, 0, 0, 128, 0, 0, 255, 255}));
  ASSERT_TRUE(alpha.ok()) << alpha.status().message();
  EXPECT_EQ((*alpha).pixel(0, 0), MakeColor(127, 127, 127));
  EXPECT_EQ((*alpha).pixel(1, 0), MakeColor(0, 0, 255));
  auto grey_alpha = LoadPng(WritePng(dir_ / "ga16.png", PNG_COLOR_TYPE_GRAY_ALPHA, 16, 1, {0, 0, 0, 0}));
  ASSERT_TRUE(grey_alpha.ok()) << grey_alpha.status().message();
  EXPECT_EQ((*grey_alpha).pixel(0, 0), kWhite);
  // A gamma chunk does not change the pixels.
  auto tagged = LoadPng(WritePng(dir_ / "gamma.png", PNG_COLOR_TYPE_RGB, 8, 1, {128, 64, 200}, 1.0));
  ASSERT_TRUE(tagged.ok()) << tagged.status().message();
  EXPECT_EQ((*tagged).pixel(0, 0), MakeColor(128, 64, 200));
}

TEST_F(PictureCodecsTest, GifFramesAreClippedToTheScreenOrRefusedWithAMessage) {
  // A 5 x 4 green frame at (1, 1) on a 3 x 2 screen.
  auto clipped = LoadGif(WriteGif(dir_ / "big.gif", 3, 2, 1, 1, 5, 4, false, {1, 1, 1, 1}));
  ASSERT_TRUE(clipped.ok()) << clipped.status().message();
  EXPECT_EQ((*clipped).width(), 3);
  EXPECT_EQ((*clipped).pixel(0, 0), kWhite);
  EXPECT_EQ((*clipped).pixel(0, 1), kWhite);
  EXPECT_EQ((*clipped).pixel(1, 1), MakeColor(0, 255, 0));
  EXPECT_EQ((*clipped).pixel(2, 1), MakeColor(0, 255, 0));
  // Interlaced rows are stored 0, 4, 2, 6, 1, 3, 5, 7: the second is row 4.
  auto interlaced = LoadGif(WriteGif(dir_ / "i.gif", 1, 8, 0, 0, 1, 8, true, {0, 1, 0, 0, 0, 0, 0, 0}));
  ASSERT_TRUE(interlaced.ok()) << interlaced.status().message();
  for (int y = 0; y < 8; ++y) EXPECT_EQ((*interlaced).pixel(0, y), y == 4 ? MakeColor(0, 255, 0) : kWhite);

  // A 65535 x 65535 frame on a 3 x 2 screen: refused before decoding.
  const std::string head =
      std::string("GIF89a\x03\x00\x02\x00\x80\x00\x00", 13) + std::string("\xFF\xFF\xFF\0\0\0", 6);
  auto huge = LoadPicture(Write("huge.gif", head + std::string("\x2C\0\0\0\0\xFF\xFF\xFF\xFF\0\x02\0;", 14)));
  EXPECT_FALSE(huge.ok());
  EXPECT_EQ(huge.status().message(), "picture too large");
  // A file without a frame fails without an error code of giflib's.
  auto empty = LoadPicture(Write("none.gif", head + ";"));
  EXPECT_FALSE(empty.ok());
  EXPECT_FALSE(empty.status().message().empty());
}

TEST_F(PictureCodecsTest, BadFilesAreErrorsNotCrashes) {
  ASSERT_TRUE(SavePicture(Sample(40, 30), dir_ / "ok.bmp").ok());
  ASSERT_TRUE(SavePicture(Sample(40, 30), dir_ / "ok.png").ok());
  const std::string bmp = Bytes(dir_ / "ok.bmp");
  const std::string png = Bytes(dir_ / "ok.png");
  auto write = [&](const char* name, const std::string& data) {
    EXPECT_TRUE(platform::WriteFileAtomically(dir_ / name, data).ok());
    return dir_ / name;
  };
  EXPECT_FALSE(LoadPicture(write("t.bmp", bmp.substr(0, bmp.size() / 2))).ok());
  EXPECT_FALSE(LoadPicture(write("t.png", png.substr(0, png.size() / 2))).ok());
  EXPECT_FALSE(LoadPicture(write("junk.jpg", "\xFF\xD8\xFF garbage")).ok());
  EXPECT_FALSE(LoadPicture(write("junk.gif", "GIF89a\x01")).ok());
  EXPECT_FALSE(LoadPicture(write("text.bmp", "hello")).ok());
  EXPECT_FALSE(LoadPicture(write("empty.png", "")).ok());
  EXPECT_FALSE(LoadPicture(dir_ / "missing.bmp").ok());
  EXPECT_FALSE(LoadPicture(dir_.path()).ok());

  // A header that claims 30000 x 30000 pixels is refused before allocation.
  std::string huge = bmp;
  huge[18] = '\x30';
  huge[19] = '\x75';
  huge[20] = 0;
  huge[21] = 0;
  huge[22] = '\x30';
  huge[23] = '\x75';
  huge[24] = 0;
  huge[25] = 0;
  auto r = LoadPicture(write("huge.bmp", huge));
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.status().message(), "picture too large");
}

TEST_F(PictureCodecsTest, FailedSaveLeavesNothingBehind) {
  std::filesystem::create_directory(dir_ / "taken.png");
  EXPECT_FALSE(SavePicture(Sample(3, 3), dir_ / "taken.png").message().empty());
  EXPECT_FALSE(SavePicture(Sample(3, 3), dir_ / "no" / "dir.bmp").ok());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);
}

}  // namespace
}  // namespace plakato
