#include "banner/render/raster_op.h"

#include <algorithm>

namespace plakato {

namespace {

template <typename Combine>
void CombineRows(Bitmap& destination, int dx, int dy, int w, int h, const Bitmap& source, int sx, int sy,
                 Combine combine) {
  for (int row = 0; row < h; ++row) {
    Color* to = destination.row(dy + row) + dx;
    const Color* from = source.row(sy + row) + sx;
    for (int i = 0; i < w; ++i) to[i] = combine(to[i], from[i]);
  }
}

}  // namespace

void BitBlt(Bitmap& destination, int dx, int dy, int w, int h, const Bitmap& source, int sx, int sy,
            RasterOp op) {
  // Clip in 64 bits: shift the rectangle wherever it starts before either
  // picture, then cut it where it ends beyond either.
  long long x0 = dx, y0 = dy, u0 = sx, v0 = sy, width = w, height = h;
  const long long skip_x = std::max({0LL, -x0, -u0});
  const long long skip_y = std::max({0LL, -y0, -v0});
  x0 += skip_x, u0 += skip_x, width -= skip_x;
  y0 += skip_y, v0 += skip_y, height -= skip_y;
  width = std::min({width, destination.width() - x0, source.width() - u0});
  height = std::min({height, destination.height() - y0, source.height() - v0});
  if (width <= 0 || height <= 0) return;

  const int cx = static_cast<int>(x0), cy = static_cast<int>(y0);
  const int cu = static_cast<int>(u0), cv = static_cast<int>(v0);
  const int cw = static_cast<int>(width), ch = static_cast<int>(height);
  switch (op) {
    case RasterOp::kSrcCopy:
      CombineRows(destination, cx, cy, cw, ch, source, cu, cv, [](Color, Color s) { return s; });
      break;
    case RasterOp::kSrcPaint:
      CombineRows(destination, cx, cy, cw, ch, source, cu, cv, [](Color d, Color s) { return d | s; });
      break;
    case RasterOp::kSrcAnd:
      CombineRows(destination, cx, cy, cw, ch, source, cu, cv, [](Color d, Color s) { return d & s; });
      break;
  }
}

}  // namespace plakato
