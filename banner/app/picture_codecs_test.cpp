#include "banner/app/picture_codecs.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstddef>
#include <jpeglib.h>

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
  platform::ReadWholeFile(p, s);
  return s;
}

class PictureCodecsTest : public ::testing::Test {
 protected:
  platform::testing::TempDir dir_;
};

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
    std::string error;
    ASSERT_TRUE(SavePicture(picture, dir_ / name, &error)) << error;
    PictureResult back = LoadPicture(dir_ / name);
    ASSERT_TRUE(back.ok()) << back.error;
    EXPECT_EQ(back.picture, picture) << name;
  }
  EXPECT_EQ(Bytes(dir_ / "b.PNG").substr(1, 3), "PNG");
  EXPECT_EQ(Bytes(dir_ / "c.gif").substr(0, 2), "BM");  // any other name is a bitmap
  EXPECT_EQ(Bytes(dir_ / "a.bmp").size(), 54u + 24u * 5u);
}

TEST_F(PictureCodecsTest, ReadsPalettedAndTopDownBitmaps) {
  // 2 x 2, 8 bits with a two-colour palette, stored top-down.
  std::string f = "BM";
  auto u32 = [&f](uint32_t v) { for (int i = 0; i < 4; ++i) f.push_back(static_cast<char>(v >> (8 * i))); };
  auto u16 = [&f](uint16_t v) { f.push_back(static_cast<char>(v)); f.push_back(static_cast<char>(v >> 8)); };
  u32(0); u32(0); u32(14 + 40 + 8);
  u32(40); u32(2); u32(static_cast<uint32_t>(-2)); u16(1); u16(8); u32(0); u32(0); u32(0); u32(0); u32(2); u32(0);
  f += std::string("\x00\x00\xFF\x00", 4);  // red (blue, green, red, 0)
  f += std::string("\xFF\x00\x00\x00", 4);  // blue
  f += std::string("\x00\x01\x00\x00", 4);  // row 0: red, blue
  f += std::string("\x01\x00\x00\x00", 4);  // row 1: blue, red
  ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "p.bmp", f));
  PictureResult r = LoadPicture(dir_ / "p.bmp");
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.picture.pixel(0, 0), 0x0000FFu);
  EXPECT_EQ(r.picture.pixel(1, 0), 0xFF0000u);
  EXPECT_EQ(r.picture.pixel(0, 1), 0xFF0000u);
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
    ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "g.jpg", std::string(reinterpret_cast<char*>(mem), size)));
    jpeg_destroy_compress(&c);
    free(mem);
  }
  PictureResult j = LoadPicture(dir_ / "g.jpg");
  ASSERT_TRUE(j.ok()) << j.error;
  EXPECT_EQ(j.picture.width(), 16);
  EXPECT_EQ(j.picture.height(), 8);
  EXPECT_NEAR(Red(j.picture.pixel(5, 5)), 128, 2);

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
  PictureResult gif = LoadPicture(dir_ / "s.gif");
  ASSERT_TRUE(gif.ok()) << gif.error;
  EXPECT_EQ(gif.picture.width(), 3);
  EXPECT_EQ(gif.picture.pixel(2, 1), MakeColor(0, 255, 0));
  EXPECT_EQ(gif.picture.pixel(0, 0), kWhite);
}

TEST_F(PictureCodecsTest, BadFilesAreErrorsNotCrashes) {
  std::string error;
  ASSERT_TRUE(SavePicture(Sample(40, 30), dir_ / "ok.bmp", &error));
  ASSERT_TRUE(SavePicture(Sample(40, 30), dir_ / "ok.png", &error));
  const std::string bmp = Bytes(dir_ / "ok.bmp");
  const std::string png = Bytes(dir_ / "ok.png");
  auto write = [&](const char* name, const std::string& data) {
    EXPECT_TRUE(platform::WriteFileAtomically(dir_ / name, data));
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
  huge[18] = '\x30'; huge[19] = '\x75'; huge[20] = 0; huge[21] = 0;
  huge[22] = '\x30'; huge[23] = '\x75'; huge[24] = 0; huge[25] = 0;
  PictureResult r = LoadPicture(write("huge.bmp", huge));
  EXPECT_FALSE(r.ok());
  EXPECT_TRUE(r.picture.empty());
}

TEST_F(PictureCodecsTest, FailedSaveLeavesNothingBehind) {
  std::filesystem::create_directory(dir_ / "taken.png");
  std::string error;
  EXPECT_FALSE(SavePicture(Sample(3, 3), dir_ / "taken.png", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(SavePicture(Sample(3, 3), dir_ / "no" / "dir.bmp", &error));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);
}

}  // namespace
}  // namespace plakato
