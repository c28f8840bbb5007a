#pragma once

#include "banner/render/bitmap.h"

namespace plakato {

// The raster operations the renderer combines pictures with.
enum class RasterOp {
  kSrcCopy,   // destination := source
  kSrcPaint,  // destination := destination OR source
  kSrcAnd,    // destination := destination AND source
};

// Combines the w x h rectangle of source at (sx, sy) into destination at
// (dx, dy). The rectangle is clipped to both pictures; nothing outside them
// is read or written.
void BitBlt(Bitmap& destination, int dx, int dy, int w, int h, const Bitmap& source, int sx, int sy,
            RasterOp op);

}  // namespace plakato
