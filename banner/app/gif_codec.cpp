// GIF reading through giflib: the first frame on the logical screen.
#include <gif_lib.h>

#include <cstring>

#include "banner/app/picture_codecs.h"
#include "platform/atomic_file.h"

namespace plakato {
namespace {

struct Memory {
  const std::string* data;
  std::size_t at;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length) {
  auto* m = static_cast<Memory*>(gif->UserData);
  std::size_t n = std::min(static_cast<std::size_t>(length), m->data->size() - m->at);
  std::memcpy(out, m->data->data() + m->at, n);
  m->at += n;
  return static_cast<int>(n);
}

}  // namespace

PictureResult LoadGif(const std::filesystem::path& path) {
  std::string data;
  std::string error;
  if (!platform::ReadWholeFile(path, data, &error)) return {{}, error};
  Memory memory{&data, 0};
  int code = 0;
  GifFileType* gif = DGifOpen(&memory, ReadFromMemory, &code);
  if (!gif) return {{}, std::string("GIF: ") + GifErrorString(code)};
  struct Closer {
    GifFileType* g;
    ~Closer() { DGifCloseFile(g, nullptr); }
  } closer{gif};
  const long long sw = gif->SWidth, sh = gif->SHeight;
  if (sw <= 0 || sh <= 0 || sw > kMaxPictureSide || sh > kMaxPictureSide || sw * sh > kMaxPicturePixels)
    return {{}, "picture too large"};
  if (DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1) return {{}, std::string("GIF: ") + GifErrorString(gif->Error)};

  const SavedImage& frame = gif->SavedImages[0];
  const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
  if (!map) return {{}, "GIF: no colour map"};
  GraphicsControlBlock gcb{};
  gcb.TransparentColor = NO_TRANSPARENT_COLOR;
  DGifSavedExtensionToGCB(gif, 0, &gcb);

  Bitmap bmp(static_cast<int>(sw), static_cast<int>(sh), kWhite);
  const GifImageDesc& d = frame.ImageDesc;
  for (int y = 0; y < d.Height; ++y) {
    for (int x = 0; x < d.Width; ++x) {
      const int px = d.Left + x, py = d.Top + y;
      if (!bmp.contains(px, py)) continue;
      const int index = frame.RasterBits[static_cast<std::size_t>(y) * static_cast<std::size_t>(d.Width) +
                                         static_cast<std::size_t>(x)];
      if (index == gcb.TransparentColor || index >= map->ColorCount) continue;
      const GifColorType& c = map->Colors[index];
      bmp.set_pixel(px, py, MakeColor(c.Red, c.Green, c.Blue));
    }
  }
  return {std::move(bmp), {}};
}

}  // namespace plakato
