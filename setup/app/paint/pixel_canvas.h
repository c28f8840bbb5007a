#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "setup/app/paint/pixel_buffer.h"

namespace setup::paint {

struct Point {
  double x = 0;
  double y = 0;
};

// Drawing on a pixel buffer with smooth edges: each pixel is sampled at
// 4 x 4 points, and the share of points inside a shape is the coverage its
// colour is laid over with. Pixel (x, y) covers the square from (x, y) to
// (x + 1, y + 1).
class PixelCanvas {
 public:
  explicit PixelCanvas(PixelBuffer& target) : target_(target) {}

  // A colour for a point, for fills that change across a shape.
  using Paint = std::function<Argb(double x, double y)>;

  void FillRect(int x, int y, int width, int height, Argb colour);
  // Even-odd filled polygon.
  void FillPolygon(const std::vector<Point>& points, const Paint& paint);
  void FillPolygon(const std::vector<Point>& points, Argb colour);
  // The polygon's closed outline, a pen of the given width centred on it.
  void StrokePolygon(const std::vector<Point>& points, double pen, Argb colour);
  void Line(Point from, Point to, double pen, Argb colour);
  // A circle outline of radius r (the pen's middle) and pen width.
  void Ring(Point centre, double r, double pen, Argb colour);

  // Text in the built-in pixel font, each font pixel drawn as a scale x
  // scale square; (x, y) is the top left of the first letter.
  void Text(int x, int y, std::string_view text, int scale, Argb colour);
  // The same, centred in the columns [left, left + width).
  void TextCentred(int left, int width, int y, std::string_view text, int scale, Argb colour);

 private:
  void Cover(double left, double top, double right, double bottom,
             const std::function<bool(double, double)>& inside, const Paint& paint);

  PixelBuffer& target_;
};

// A vertical fade through colour stops (position 0 at top, 1 at bottom).
struct ColourStop {
  double at = 0;
  Argb colour = 0;
};
Argb FadeAt(const std::vector<ColourStop>& stops, double at);

}  // namespace setup::paint
