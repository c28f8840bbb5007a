#include "banner/render/gradient_painter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "banner/render/nearest.h"

namespace plakato {

GradientRamp::Half GradientRamp::MakeHalf(Color from, Color to, double length, double origin) {
  Half half;
  half.origin = origin;
  for (int n = 0; n < 3; ++n) {
    half.start[n] = ColorComponent(from, n + 1);
    const int delta = ColorComponent(to, n + 1) - half.start[n];
    // A zero length would divide by zero; such a gradient has a single step.
    half.step[n] = length > 0 ? static_cast<float>(delta / length) : 0.0f;
  }
  return half;
}

GradientRamp GradientRamp::TwoColour(Color from, Color to, double length) {
  GradientRamp ramp;
  ramp.first_ = MakeHalf(from, to, length, 0);
  ramp.second_ = ramp.first_;
  ramp.split_ = std::numeric_limits<long long>::max();
  return ramp;
}

GradientRamp GradientRamp::ThreeColour(Color first, Color middle, Color last, double length, long long split,
                                       double second_origin) {
  GradientRamp ramp;
  ramp.first_ = MakeHalf(first, middle, length / 2, 0);
  ramp.second_ = MakeHalf(middle, last, length / 2, second_origin);
  ramp.split_ = split;
  return ramp;
}

Color GradientRamp::at(long long k) const {
  const Half& half = k < split_ ? first_ : second_;
  const double distance = static_cast<double>(k) - half.origin;
  int channel[3];
  for (int n = 0; n < 3; ++n) {
    const int value = Nearest(static_cast<double>(half.step[n]) * distance + half.start[n]);
    // A split that leaves the second half longer than half the length would
    // step past the last colour; a component never leaves 0..255.
    channel[n] = std::clamp(value, 0, 255);
  }
  return MakeColor(channel[0], channel[1], channel[2]);
}

namespace {

struct Line {
  long long index;
  int x1, y1, x2, y2;
};

struct Lengths {
  double w = 0, h = 0;  // twips
  int tx = 15, ty = 15;
  int wpx = 0, hpx = 0, dpx = 0, rpx = 0;
};

Lengths MeasureFrame(const GradientFrame& frame) {
  Lengths l;
  l.w = frame.width_twips;
  l.h = frame.height_twips;
  l.tx = std::max(1, frame.geometry.tx);
  l.ty = std::max(1, frame.geometry.ty);
  l.wpx = Nearest(l.w / l.tx);
  l.hpx = Nearest(l.h / l.ty);
  l.dpx = Nearest((l.w + l.h) / l.tx);
  l.rpx = Nearest(std::sqrt((l.w / 2) * (l.w / 2) + (l.h / 2) * (l.h / 2)) / l.tx);
  return l;
}

// Diagonals of constant x + y, each drawn once in increasing index.
std::vector<Line> DownRightDiagonals(const Lengths& l) {
  std::vector<Line> lines;
  const int wpx = l.wpx, hpx = l.hpx;
  if (l.w > l.h) {
    for (int k = 0; k <= hpx; ++k) lines.push_back({k, 0, k, k + 1, -1});
    for (int k = hpx + 1; k <= wpx; ++k) lines.push_back({k, k - hpx, hpx, k + 1, -1});
    for (int k = wpx + 1; k <= wpx + hpx; ++k) lines.push_back({k, k - hpx, hpx, wpx, k - wpx});
  } else {
    for (int k = 0; k <= wpx; ++k) lines.push_back({k, k, 0, -1, k + 1});
    for (int k = wpx + 1; k <= hpx; ++k) lines.push_back({k, wpx, k - wpx, -1, k + 1});
    for (int k = hpx + 1; k <= wpx + hpx; ++k) lines.push_back({k, wpx, k - wpx, k - hpx, hpx});
  }
  return lines;
}

// Diagonals of constant x - y from the top-right corner towards the
// bottom-left one. With skip_repeat the first-run diagonal that the middle
// run paints again is left out.
std::vector<Line> DownLeftDiagonals(const Lengths& l, bool skip_repeat) {
  std::vector<Line> lines;
  const int wpx = l.wpx, hpx = l.hpx;
  long long index = 0;
  if (l.w > l.h) {
    const int overhang = Nearest((l.w - l.h) / l.tx);
    for (int k = 0; k <= hpx; ++k, ++index) {
      if (skip_repeat && wpx - k == overhang) continue;
      lines.push_back({index, wpx - k, 0, wpx, k});
    }
    for (int j = overhang; j >= 1; --j, ++index) lines.push_back({index, j, 0, j + hpx, hpx});
    for (int j = 0; j <= hpx - 1; ++j, ++index) lines.push_back({index, 0, j, hpx - j, hpx});
  } else {
    const int overhang = Nearest((l.h - l.w) / l.tx);
    for (int k = 0; k <= wpx; ++k, ++index) lines.push_back({index, wpx - k, 0, wpx, k});
    int j = 1;
    for (; j <= overhang; ++j, ++index) lines.push_back({index, 0, j, wpx, wpx + j});
    for (; j <= hpx; ++j, ++index) lines.push_back({index, 0, j, hpx - j, hpx});
  }
  return lines;
}

// Index of the line through the bottom-left pixel (0, hpx - 1).
long long FarCornerIndex(const std::vector<Line>& lines, int hpx) {
  long long far = 0;
  for (const Line& line : lines) {
    const int dx = line.x2 > line.x1 ? 1 : -1;
    const int dy = line.y2 > line.y1 ? 1 : -1;
    // The line passes (0, hpx - 1) when that point lies on its diagonal
    // between start (included) and end (excluded).
    const long long steps = static_cast<long long>(0 - line.x1) * dx;
    if (steps >= 0 && steps < std::llabs(static_cast<long long>(line.x2) - line.x1) &&
        line.y1 + steps * dy == hpx - 1)
      far = line.index;
  }
  return far;
}

void EmitLines(const std::vector<Line>& lines, const GradientRamp& ramp,
               const std::function<void(const GradientStroke&)>& draw) {
  for (const Line& line : lines) {
    GradientStroke stroke;
    stroke.x1 = line.x1, stroke.y1 = line.y1, stroke.x2 = line.x2, stroke.y2 = line.y2;
    stroke.index = line.index;
    stroke.color = ramp.at(line.index);
    draw(stroke);
  }
}

}  // namespace

void SweepGradient(const GradientFrame& frame, const Color* colours, int count, int direction,
                   const std::function<void(const GradientStroke&)>& draw) {
  if (colours == nullptr || (count != 2 && count != 3)) return;
  if (direction < kTopToBottom || direction > kCentreOutwards) return;
  const Lengths l = MeasureFrame(frame);
  if (l.wpx <= 0 || l.hpx <= 0) return;
  const bool three = count == 3;

  // The ramp for a length split in two exact halves (rows, columns, rings).
  auto halves_ramp = [&](int length) {
    if (!three) return GradientRamp::TwoColour(colours[0], colours[1], length);
    return GradientRamp::ThreeColour(colours[0], colours[1], colours[2], length, Nearest(length / 2.0),
                                     length / 2.0);
  };
  // The ramp for diagonals restarting at split diagonal s.
  auto diagonal_ramp = [&](long long s) {
    if (!three) return GradientRamp::TwoColour(colours[0], colours[1], l.dpx);
    return GradientRamp::ThreeColour(colours[0], colours[1], colours[2], l.dpx, s, static_cast<double>(s));
  };

  switch (direction) {
    case kTopToBottom: {
      const GradientRamp ramp = halves_ramp(l.hpx);
      std::vector<Line> lines;
      for (int k = 0; k <= l.hpx; ++k) lines.push_back({k, 0, k, l.wpx, k});
      EmitLines(lines, ramp, draw);
      break;
    }
    case kLeftToRight: {
      const GradientRamp ramp = halves_ramp(l.wpx);
      std::vector<Line> lines;
      for (int k = 0; k <= l.wpx; ++k) lines.push_back({k, k, 0, k, l.hpx});
      EmitLines(lines, ramp, draw);
      break;
    }
    case kTopLeftToBottomRight: {
      long long split;
      if (l.w > l.h) {
        split = Nearest(Nearest((l.w - l.h) / l.tx) / 2.0) + static_cast<long long>(l.hpx) + 1;
      } else {
        split = Nearest(Nearest((l.h - l.w) / l.tx) / 2.0) + static_cast<long long>(l.wpx) + 1;
      }
      EmitLines(DownRightDiagonals(l), diagonal_ramp(split), draw);
      break;
    }
    case kTopRightToBottomLeft: {
      const std::vector<Line> lines = DownLeftDiagonals(l, three);
      const long long split = FarCornerIndex(lines, l.hpx) - l.dpx / 2;
      EmitLines(lines, diagonal_ramp(split), draw);
      break;
    }
    case kCentreOutwards: {
      const GradientRamp ramp = halves_ramp(l.rpx);
      const double cx = l.w / 2 / l.tx;
      const double cy = l.h / 2 / l.ty;
      for (int k = 0; k <= l.rpx; ++k) {
        GradientStroke stroke;
        stroke.ring = true;
        stroke.cx = cx;
        stroke.cy = cy;
        stroke.radius = k;
        stroke.index = k;
        stroke.color = ramp.at(k);
        draw(stroke);
      }
      break;
    }
  }
}

void PaintGradient(WorkPicture& target, const Color* colours, int count, int direction) {
  const GradientFrame frame{target.width_twips(), target.height_twips(), target.geometry()};
  std::vector<Color> ring_colors;
  double cx = 0, cy = 0;
  SweepGradient(frame, colours, count, direction, [&](const GradientStroke& stroke) {
    if (stroke.ring) {
      // Rings come in increasing radius 0, 1, 2, ...; they are drawn
      // together below, with the same result as one by one.
      ring_colors.push_back(stroke.color);
      cx = stroke.cx;
      cy = stroke.cy;
    } else {
      target.DrawLine(stroke.x1, stroke.y1, stroke.x2, stroke.y2, stroke.color);
    }
  });
  if (!ring_colors.empty()) {
    target.SetPenWidth(2);
    target.DrawConcentricRings(cx, cy, ring_colors);
    target.SetPenWidth(1);
  }
}

}  // namespace plakato
