// GIF reading through giflib: the first frame on the logical screen. Only
// the first frame is decoded, line by line, after its size is checked.
#include <gif_lib.h>

#include <cstring>
#include <vector>

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

// giflib has no text for some failures (and none for "no error").
std::string GifError(int code) {
  const char* text = GifErrorString(code);
  return text ? std::string("GIF: ") + text : "GIF: broken file (" + std::to_string(code) + ")";
}

bool TooLarge(long long width, long long height) {
  return width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
         width * height > kMaxPicturePixels;
}

// The rows of the frame in the order they are stored: interlaced frames
// store every 8th row from 0, every 8th from 4, every 4th from 2, every
// 2nd from 1.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> order;
  order.reserve(static_cast<std::size_t>(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) order.push_back(y);
    return order;
  }
  static constexpr int kStart[] = {0, 4, 2, 1};
  static constexpr int kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
  }
  return order;
}

}  // namespace

platform::StatusOr<Bitmap> LoadGif(const std::filesystem::path& path) {
  std::string data;
  if (platform::Status read = platform::ReadWholeFile(path, data); !read.ok()) return read;
  Memory memory{&data, 0};
  int code = 0;
  GifFileType* gif = DGifOpen(&memory, ReadFromMemory, &code);
  if (!gif) return platform::Status::Corruption(GifError(code));
  struct Closer {
    GifFileType* g;
    ~Closer() { DGifCloseFile(g, nullptr); }
  } closer{gif};
  const long long sw = gif->SWidth, sh = gif->SHeight;
  if (TooLarge(sw, sh)) return platform::Status::InvalidArgument("picture too large");

  int transparent = NO_TRANSPARENT_COLOR;
  for (;;) {
    GifRecordType record;
    if (DGifGetRecordType(gif, &record) != GIF_OK) return platform::Status::Corruption(GifError(gif->Error));
    if (record == TERMINATE_RECORD_TYPE) return platform::Status::Corruption("GIF: no picture in the file");
    if (record == EXTENSION_RECORD_TYPE) {
      int kind = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif, &kind, &block) != GIF_OK)
        return platform::Status::Corruption(GifError(gif->Error));
      if (kind == GRAPHICS_EXT_FUNC_CODE && block) {
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK) transparent = gcb.TransparentColor;
      }
      while (block) {
        if (DGifGetExtensionNext(gif, &block) != GIF_OK)
          return platform::Status::Corruption(GifError(gif->Error));
      }
      continue;
    }
    if (record != IMAGE_DESC_RECORD_TYPE) continue;

    if (DGifGetImageDesc(gif) != GIF_OK) return platform::Status::Corruption(GifError(gif->Error));
    const GifImageDesc& d = gif->Image;
    // A frame may be larger than the screen; it is clipped to it, but it is
    // decoded whole, so it is held to the same limit as a picture.
    if (TooLarge(d.Width, d.Height)) return platform::Status::InvalidArgument("picture too large");
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    if (!map) return platform::Status::Corruption("GIF: no colour map");

    Bitmap bmp(static_cast<int>(sw), static_cast<int>(sh), kWhite);
    std::vector<GifPixelType> line(static_cast<std::size_t>(d.Width));
    for (int y : RowOrder(d.Height, d.Interlace)) {
      if (DGifGetLine(gif, line.data(), d.Width) != GIF_OK)
        return platform::Status::Corruption(GifError(gif->Error));
      const int py = d.Top + y;
      for (int x = 0; x < d.Width; ++x) {
        const int px = d.Left + x;
        const int index = line[static_cast<std::size_t>(x)];
        if (!bmp.contains(px, py) || index == transparent || index >= map->ColorCount) continue;
        const GifColorType& c = map->Colors[index];
        bmp.set_pixel(px, py, MakeColor(c.Red, c.Green, c.Blue));
      }
    }
    return bmp;
  }
}

}  // namespace plakato
