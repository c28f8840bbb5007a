#include "setup/app/paint/background_cases.h"

namespace setup::paint {
namespace {

// Every pixel its own colour, so a shifted or mirrored copy shows.
PixelBuffer Pattern(int w, int h) {
  PixelBuffer p(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) p.At(x, y) = Opaque((x * 7) & 255, (y * 11) & 255, ((x + y) * 5) & 255);
  }
  return p;
}

}  // namespace

std::vector<BackgroundCase> BackgroundCases() {
  return {
      {"fade_768_no_picture", 1024, 768, "Way=2\r\nRed=0\r\nGreen=0\r\n"},
      {"fade_1050_remainder", 1280, 1050, "Way=0\r\nRed=3\r\nGreen=10\r\nBlue=20\r\n"},
      {"plain_tiled_odd_size", 643, 401,
       "Way=3\r\nRed=9\r\nGreen=99\r\nBlue=199\r\nFile=tile.bmp\r\nPosition=1\r\n"},
      {"centred_wider_than_screen", 640, 480, "Way=1\r\nFile=wide.bmp\r\nPosition=0\r\n"},
      {"stretched", 803, 611, "Way=2\r\nFile=tile.bmp\r\nPosition=2\r\n"},
      {"missing_picture", 640, 480, "Way=0\r\nFile=missing.bmp\r\nPosition=0\r\n"},
      {"captions_with_shadows", 1024, 768,
       "Way=2\r\nRed=0\r\nGreen=40\r\n"
       "Caption1=Hello kestro\r\nSize1=40\r\n"
       "Caption2=サンプル製品\r\nSize2=24\r\nItalic2=0\r\nShadowColor2=255\r\nShadowLeft2=4\r\nShadowTop2="
       "3\r\n"
       "Caption3=Third line\r\nSize3=16\r\nBold3=0\r\nItalic3=0\r\nShadowVisible3=0\r\nColor3=65535\r\n"
       "Caption4=Version 1.00\r\nSize4=14\r\nItalic4=0\r\nColor4=16777215\r\nName4=ＭＳ 明朝\r\n"
       "Caption5=上書きインストール\r\nSize5=18\r\nName5=ＭＳ ゴシック\r\nShadowLeft5=-2\r\nShadowTop5=-2\r\n"
       "Caption6=(C) kestro sample\r\nSize6=12\r\nBold6=0\r\nItalic6=0\r\nColor6=16777215\r\n"},
  };
}

std::vector<CasePicture> CasePictures() {
  return {{"tile.bmp", Pattern(37, 23)}, {"wide.bmp", Pattern(700, 90)}};
}

}  // namespace setup::paint
