#include "banner/render/work_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "banner/render/nearest.h"

namespace plakato {

namespace {

// One channel of colour drawn over base with coverage alpha (0..255). With a
// white text colour on black this gives alpha, with black on white 255 -
// alpha, so the two title masks come out as exact inverses.
int BlendChannel(int base, int colour, int alpha) {
  return (base * (255 - alpha) + colour * alpha + 127) / 255;
}

Color Blend(Color base, Color colour, int alpha) {
  return MakeColor(BlendChannel(Red(base), Red(colour), alpha),
                   BlendChannel(Green(base), Green(colour), alpha),
                   BlendChannel(Blue(base), Blue(colour), alpha));
}

int SafeGeometry(int twips_per_pixel) { return twips_per_pixel < 1 ? 1 : twips_per_pixel; }

}  // namespace

WorkPicture::WorkPicture(ScreenGeometry geometry, Color back_color, Color fore_color)
    : back_color_(back_color & 0xFFFFFF), fore_color_(fore_color & 0xFFFFFF) {
  SetGeometry(geometry);
}

void WorkPicture::SetGeometry(ScreenGeometry geometry) {
  geometry_ = {SafeGeometry(geometry.tx), SafeGeometry(geometry.ty)};
}

void WorkPicture::Resize(int width, int height) {
  // Same size: refill in place rather than allocate a fresh buffer.
  if (width == bitmap_.width() && height == bitmap_.height()) {
    bitmap_.fill(back_color_);
  } else {
    bitmap_ = Bitmap(width, height, back_color_);
  }
}

void WorkPicture::Clear() { bitmap_.fill(back_color_); }

void WorkPicture::SetBackColor(Color color) {
  back_color_ = color & 0xFFFFFF;
  bitmap_.fill(back_color_);
}

void WorkPicture::FillSpan(int y, int x_begin, int x_end, Color color) {
  if (y < 0 || y >= height()) return;
  x_begin = std::max(x_begin, 0);
  x_end = std::min(x_end, width());
  if (x_begin >= x_end) return;
  Color* row = bitmap_.row(y);
  std::fill(row + x_begin, row + x_end, color & 0xFFFFFF);
}

void WorkPicture::DrawLine(int x1, int y1, int x2, int y2, Color color) {
  color &= 0xFFFFFF;
  const long long dx = static_cast<long long>(x2) - x1;
  const long long dy = static_cast<long long>(y2) - y1;
  if (dx == 0 && dy == 0) return;

  if (dy == 0) {  // horizontal: one row fill, end point excluded
    if (dx > 0) {
      FillSpan(y1, x1, x2, color);
    } else {
      FillSpan(y1, x2 + 1, x1 + 1, color);
    }
    return;
  }

  const long long steps = std::max(std::llabs(dx), std::llabs(dy));
  const int sx = dx > 0 ? 1 : (dx < 0 ? -1 : 0);
  const int sy = dy > 0 ? 1 : -1;

  if (dx == 0 || std::llabs(dx) == std::llabs(dy)) {
    // Vertical and 45-degree lines: every step moves by (sx, sy). Clip the
    // step range to the picture, then walk the pixels directly.
    long long first = 0, last = steps - 1;
    auto clip = [&](long long start, int step, long long size) {
      if (step == 0) {
        if (start < 0 || start >= size) last = -1;
        return;
      }
      // start + i * step in [0, size)
      long long lo = step > 0 ? -start : start - (size - 1);
      long long hi = step > 0 ? size - 1 - start : start;
      first = std::max(first, lo);
      last = std::min(last, hi);
    };
    clip(x1, sx, width());
    clip(y1, sy, height());
    if (first > last) return;
    const long long stride = static_cast<long long>(width()) * sy + sx;
    Color* p = bitmap_.data() + (y1 + first * sy) * static_cast<long long>(width()) + x1 + first * sx;
    for (long long i = first; i <= last; ++i, p += stride) *p = color;
    return;
  }

  // General Bresenham along the major axis; the end point is left out.
  const long long adx = std::llabs(dx), ady = std::llabs(dy);
  long long x = x1, y = y1;
  if (adx >= ady) {
    long long error = adx / 2;
    for (long long i = 0; i < adx; ++i) {
      if (x >= 0 && y >= 0 && x < width() && y < height())
        bitmap_.set_pixel(static_cast<int>(x), static_cast<int>(y), color);
      x += sx;
      error -= ady;
      if (error < 0) {
        y += sy;
        error += adx;
      }
    }
  } else {
    long long error = ady / 2;
    for (long long i = 0; i < ady; ++i) {
      if (x >= 0 && y >= 0 && x < width() && y < height())
        bitmap_.set_pixel(static_cast<int>(x), static_cast<int>(y), color);
      y += sy;
      error -= adx;
      if (error < 0) {
        x += sx;
        error += ady;
      }
    }
  }
}

void WorkPicture::DrawCircle(double cx, double cy, double radius, Color color) {
  if (empty_picture()) return;
  const double half_pen = pen_width_ / 2.0;
  const double outer = radius + half_pen;
  const double inner = radius - half_pen;
  // Far beyond any picture size nothing can be drawn; bailing out keeps the
  // conversions below in range.
  constexpr double kFar = 1e8;
  if (!(outer > 0) || !(outer < kFar) || !(std::fabs(cx) < kFar) || !(std::fabs(cy) < kFar)) return;
  const double outer2 = outer * outer;
  const double inner2 = inner > 0 ? inner * inner : -1.0;

  const double top = std::max(0.0, std::floor(cy - outer - 0.5));
  const double bottom = std::min(height() - 1.0, std::ceil(cy + outer - 0.5));
  for (int y = static_cast<int>(top); y <= bottom; ++y) {
    const double fy = y + 0.5 - cy;
    const double dy2 = fy * fy;
    if (dy2 >= outer2) continue;
    auto distance2 = [&](long long x) {
      const double fx = static_cast<double>(x) + 0.5 - cx;
      return fx * fx + dy2;
    };
    // [a, b] = pixels with distance2 < limit2 on this row, found from the
    // closed form and then settled with the exact test so that every span
    // agrees with the per-pixel definition.
    auto span = [&](double limit2, long long& a, long long& b) {
      const double half = std::sqrt(limit2 - dy2);
      a = static_cast<long long>(std::ceil(cx - half - 0.5));
      b = static_cast<long long>(std::floor(cx + half - 0.5));
      while (distance2(a - 1) < limit2) --a;
      while (a <= b && !(distance2(a) < limit2)) ++a;
      while (distance2(b + 1) < limit2) ++b;
      while (b >= a && !(distance2(b) < limit2)) --b;
    };
    long long a = 0, b = -1;
    span(outer2, a, b);
    if (a > b) continue;
    long long ha = 0, hb = -1;
    if (dy2 < inner2) span(inner2, ha, hb);
    auto fill = [&](long long from, long long to) {  // inclusive
      from = std::max<long long>(from, 0);
      to = std::min<long long>(to, width() - 1);
      if (from <= to) FillSpan(y, static_cast<int>(from), static_cast<int>(to + 1), color);
    };
    if (ha > hb) {
      fill(a, b);
    } else {
      fill(a, ha - 1);
      fill(hb + 1, b);
    }
  }
}

WorkPicture::TextCell WorkPicture::MeasureText(FontBackend& fonts, std::string_view text) const {
  const TextExtent extent = fonts.Measure(font_, text);
  return {static_cast<double>(extent.width) * geometry_.tx,
          static_cast<double>(extent.height) * geometry_.ty};
}

void WorkPicture::DrawConcentricRings(double cx, double cy, const std::vector<Color>& colors) {
  if (empty_picture() || colors.empty()) return;
  const double half_pen = pen_width_ / 2.0;
  constexpr double kFar = 1e8;
  const int last = static_cast<int>(colors.size()) - 1;
  if (!(last + half_pen < kFar) || !(std::fabs(cx) < kFar) || !(std::fabs(cy) < kFar)) return;
  // Ring k covers (k - pen/2)^2 <= d^2 < (k + pen/2)^2, the lower bound
  // dropped while k - pen/2 <= 0 (as in DrawCircle). For one pixel the rings
  // meeting the lower bound are 0..k*, and the upper bound holds for all
  // rings from some k on, so the last ring drawn over a pixel is k* when k*
  // meets the upper bound, and none otherwise. Along a row, d^2 grows away
  // from the centre and k* with it, so each half row is one outward walk.
  auto lower = [&](int k, double d2) {
    const double inner = k - half_pen;
    return !(inner > 0) || d2 >= inner * inner;
  };
  auto upper = [&](int k, double d2) {
    const double outer = k + half_pen;
    return d2 < outer * outer;
  };
  const long long centre_column = static_cast<long long>(std::ceil(cx - 0.5));
  for (int y = 0; y < height(); ++y) {
    const double fy = y + 0.5 - cy;
    const double dy2 = fy * fy;
    Color* row = bitmap_.row(y);
    auto walk = [&](long long from, long long to, int step) {  // from..to inclusive
      int k = -1;
      for (long long x = from; step > 0 ? x <= to : x >= to; x += step) {
        const double fx = static_cast<double>(x) + 0.5 - cx;
        const double d2 = fx * fx + dy2;
        if (k < 0) {
          k = std::clamp(static_cast<int>(std::sqrt(d2) + half_pen), 0, last);
          while (k > 0 && !lower(k, d2)) --k;
        }
        while (k < last && lower(k + 1, d2)) ++k;
        if (upper(k, d2)) row[x] = colors[static_cast<std::size_t>(k)] & 0xFFFFFF;
      }
    };
    walk(std::max<long long>(centre_column, 0), width() - 1, 1);
    walk(std::min<long long>(centre_column - 1, width() - 1), 0, -1);
  }
}

double WorkPicture::TextWidth(FontBackend& fonts, std::string_view text) const {
  return static_cast<double>(fonts.Measure(font_, text).width) * geometry_.tx;
}

double WorkPicture::TextHeight(FontBackend& fonts, std::string_view text) const {
  return static_cast<double>(fonts.Measure(font_, text).height) * geometry_.ty;
}

void WorkPicture::DrawText(FontBackend& fonts, std::string_view text) {
  if (empty_picture() || text.empty()) return;
  const std::shared_ptr<const CoverageMask> mask = fonts.Render(font_, text);
  if (!mask || mask->width <= 0 || mask->height <= 0) return;
  const long long origin_x = static_cast<long long>(Nearest(current_x_ / geometry_.tx)) + mask->left;
  const long long origin_y = static_cast<long long>(Nearest(current_y_ / geometry_.ty)) + mask->top;
  const long long x_begin = std::max(0LL, -origin_x);
  const long long x_end = std::min<long long>(mask->width, width() - origin_x);
  const long long y_begin = std::max(0LL, -origin_y);
  const long long y_end = std::min<long long>(mask->height, height() - origin_y);
  for (long long my = y_begin; my < y_end; ++my) {
    Color* row = bitmap_.row(static_cast<int>(origin_y + my)) + origin_x;
    const std::uint8_t* coverage = mask->coverage.data() + my * mask->width;
    for (long long mx = x_begin; mx < x_end; ++mx) {
      const int alpha = coverage[mx];
      if (alpha == 0) continue;
      row[mx] = alpha == 255 ? fore_color_ : Blend(row[mx], fore_color_, alpha);
    }
  }
}

void WorkPicture::DrawPicture(const Bitmap& picture) {
  BitBlt(bitmap_, 0, 0, picture.width(), picture.height(), picture, 0, 0, RasterOp::kSrcCopy);
}

}  // namespace plakato
