#include "setup/app/paint/pixel_canvas.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "setup/app/paint/pixel_font.h"

namespace setup::paint {
namespace {

constexpr int kSamples = 4;

bool InsidePolygon(const std::vector<Point>& points, double x, double y) {
  bool inside = false;
  for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
    const Point& a = points[i];
    const Point& b = points[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}

double DistanceToSegment(Point p, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

void PixelCanvas::Cover(double left, double top, double right, double bottom,
                        const std::function<bool(double, double)>& inside, const Paint& paint) {
  const int x0 = std::max(0, static_cast<int>(std::floor(left)));
  const int y0 = std::max(0, static_cast<int>(std::floor(top)));
  const int x1 = std::min(target_.width, static_cast<int>(std::ceil(right)));
  const int y1 = std::min(target_.height, static_cast<int>(std::ceil(bottom)));
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          if (inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) ++hits;
        }
      }
      if (hits == 0) continue;
      target_.At(x, y) = BlendOver(target_.At(x, y), paint(x + 0.5, y + 0.5),
                                   static_cast<double>(hits) / (kSamples * kSamples));
    }
  }
}

namespace {

// The smallest box holding every point: left, top, right, bottom.
std::array<double, 4> BoundsOf(const std::vector<Point>& points) {
  std::array<double, 4> box = {points[0].x, points[0].y, points[0].x, points[0].y};
  for (const Point& p : points) {
    box[0] = std::min(box[0], p.x);
    box[1] = std::min(box[1], p.y);
    box[2] = std::max(box[2], p.x);
    box[3] = std::max(box[3], p.y);
  }
  return box;
}

}  // namespace

void PixelCanvas::FillRect(int x, int y, int width, int height, Argb colour) {
  for (int row = std::max(0, y); row < std::min(target_.height, y + height); ++row) {
    for (int col = std::max(0, x); col < std::min(target_.width, x + width); ++col) {
      target_.At(col, row) = BlendOver(target_.At(col, row), colour);
    }
  }
}

void PixelCanvas::FillPolygon(const std::vector<Point>& points, const Paint& paint) {
  if (points.size() < 3) return;
  const auto [left, top, right, bottom] = BoundsOf(points);
  Cover(
      left, top, right, bottom, [&](double x, double y) { return InsidePolygon(points, x, y); }, paint);
}

void PixelCanvas::FillPolygon(const std::vector<Point>& points, Argb colour) {
  FillPolygon(points, [colour](double, double) { return colour; });
}

void PixelCanvas::Line(Point from, Point to, double pen, Argb colour) {
  const double half = pen / 2;
  Cover(
      std::min(from.x, to.x) - half, std::min(from.y, to.y) - half, std::max(from.x, to.x) + half,
      std::max(from.y, to.y) + half,
      [&](double x, double y) {
        return DistanceToSegment({x, y}, from, to) <= half;
      },
      [colour](double, double) { return colour; });
}

void PixelCanvas::StrokePolygon(const std::vector<Point>& points, double pen, Argb colour) {
  if (points.size() < 2) return;
  // One pass over the whole outline, so corners are not covered twice.
  const auto [left, top, right, bottom] = BoundsOf(points);
  const double half = pen / 2;
  Cover(
      left - half, top - half, right + half, bottom + half,
      [&](double x, double y) {
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
          if (DistanceToSegment({x, y}, points[j], points[i]) <= half) return true;
        }
        return false;
      },
      [colour](double, double) { return colour; });
}

void PixelCanvas::Ring(Point centre, double r, double pen, Argb colour) {
  const double outer = r + pen / 2;
  const double inner = r - pen / 2;
  Cover(
      centre.x - outer, centre.y - outer, centre.x + outer, centre.y + outer,
      [&](double x, double y) {
        const double d = std::hypot(x - centre.x, y - centre.y);
        return d >= inner && d <= outer;
      },
      [colour](double, double) { return colour; });
}

void PixelCanvas::Text(int x, int y, std::string_view text, int scale, Argb colour) {
  for (char c : text) {
    if (const auto* rows = GlyphRows(c)) {
      for (int row = 0; row < kGlyphHeight; ++row) {
        for (int col = 0; col < kGlyphWidth; ++col) {
          if ((*rows)[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] == '#') {
            FillRect(x + col * scale, y + row * scale, scale, scale, colour);
          }
        }
      }
    }
    x += kGlyphAdvance * scale;
  }
}

void PixelCanvas::TextCentred(int left, int width, int y, std::string_view text, int scale, Argb colour) {
  Text(left + (width - PixelTextWidth(text) * scale) / 2, y, text, scale, colour);
}

Argb FadeAt(const std::vector<ColourStop>& stops, double at) {
  if (stops.empty()) return 0;
  if (at <= stops.front().at) return stops.front().colour;
  for (std::size_t i = 1; i < stops.size(); ++i) {
    if (at <= stops[i].at) {
      const ColourStop& a = stops[i - 1];
      const ColourStop& b = stops[i];
      const double t = b.at > a.at ? (at - a.at) / (b.at - a.at) : 1.0;
      auto mix = [t](int p, int q) { return static_cast<int>(std::lround(p + (q - p) * t)); };
      return MakeArgb(mix(AlphaOf(a.colour), AlphaOf(b.colour)), mix(RedOf(a.colour), RedOf(b.colour)),
                      mix(GreenOf(a.colour), GreenOf(b.colour)), mix(BlueOf(a.colour), BlueOf(b.colour)));
    }
  }
  return stops.back().colour;
}

}  // namespace setup::paint
