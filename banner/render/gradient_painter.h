#pragma once

#include <functional>

#include "banner/render/color.h"
#include "banner/render/screen_geometry.h"
#include "banner/render/work_picture.h"

namespace plakato {

// Directions of a gradient, as the direction lists number them.
enum GradientDirection : int {
  kTopToBottom = 0,
  kLeftToRight = 1,
  kTopLeftToBottomRight = 2,
  kTopRightToBottomLeft = 3,
  kCentreOutwards = 4,
};

// Colour of step index k of a gradient. Each channel steps by
// (end - start) / length, rounded to single precision, and the value is
// nearest(step * (k - origin) + start) computed in double precision.
// A three-colour ramp switches at split from the first pair of colours to the
// second, counting the second half from second_origin.
class GradientRamp {
 public:
  static GradientRamp TwoColour(Color from, Color to, double length);
  static GradientRamp ThreeColour(Color first, Color middle, Color last, double length, long long split,
                                  double second_origin);

  Color at(long long k) const;
  long long split() const { return split_; }

 private:
  struct Half {
    float step[3] = {0, 0, 0};
    int start[3] = {0, 0, 0};
    double origin = 0;
  };
  static Half MakeHalf(Color from, Color to, double length, double origin);

  Half first_;
  Half second_;
  long long split_ = 0;
};

// One drawing call of the gradient sweep: a 1-pixel line from (x1, y1)
// towards (x2, y2) (end point excluded), or a ring of the given radius drawn
// with a 2-pixel pen around (cx, cy), all in pixels.
struct GradientStroke {
  bool ring = false;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  double cx = 0, cy = 0;
  int radius = 0;
  long long index = 0;
  Color color = 0;
};

// The banner the sweep covers: its size in twips and the screen geometry.
struct GradientFrame {
  double width_twips = 0;
  double height_twips = 0;
  ScreenGeometry geometry;
};

// Emits the strokes of a gradient in drawing order. colours holds count (2 or
// 3) colours; any direction outside 0..4 emits nothing.
//
// Three-colour diagonals restart the index at a split diagonal S so that the
// second half starts exactly at the middle colour:
//  - top-left to bottom-right, wide banners: S = nearest(O / 2) + hpx + 1 with
//    O = nearest((W - H) / tx); tall or square ones mirror it:
//    S = nearest(O' / 2) + wpx + 1 with O' = nearest((H - W) / tx);
//  - top-right to bottom-left: S = kfar - floor(L / 2), kfar being the index
//    of the diagonal through the bottom-left pixel, so that corner ends in the
//    last colour (exactly when L is even, within half a step otherwise). The
//    sweep leaves out the first-run diagonal that the two-colour sweep paints
//    and then paints over, so every diagonal is painted once.
void SweepGradient(const GradientFrame& frame, const Color* colours, int count, int direction,
                   const std::function<void(const GradientStroke&)>& draw);

// Paints a gradient over target with target's own line and circle drawing.
void PaintGradient(WorkPicture& target, const Color* colours, int count, int direction);

}  // namespace plakato
