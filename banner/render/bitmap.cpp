#include "banner/render/bitmap.h"

#include <algorithm>

namespace plakato {

Bitmap CropBitmap(const Bitmap& source, int x, int y, int w, int h, Color outside) {
  Bitmap result(w, h, outside);
  // Intersection of the rectangle with the source, in result coordinates;
  // 64-bit sums so huge offsets cannot overflow.
  const long long left = std::max<long long>(0, -static_cast<long long>(x));
  const long long top = std::max<long long>(0, -static_cast<long long>(y));
  const long long right = std::min<long long>(result.width(), static_cast<long long>(source.width()) - x);
  const long long bottom = std::min<long long>(result.height(), static_cast<long long>(source.height()) - y);
  if (right <= left || bottom <= top) return result;  // no overlap
  for (long long row = top; row < bottom; ++row) {
    const Color* from = source.row(static_cast<int>(row + y)) + (left + x);
    std::copy(from, from + (right - left), result.row(static_cast<int>(row)) + left);
  }
  return result;
}

}  // namespace plakato
