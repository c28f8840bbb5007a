#pragma once

#include <string>
#include <vector>

#include "setup/app/paint/background_plan.h"
#include "setup/app/paint/pixel_buffer.h"

namespace setup::paint {

// A rectangle of the screen, right and bottom excluded, and how far the
// edges of the ink in it may move between two paintings.
struct Region {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int slack_x = 3;
  int slack_y = 3;
};

// Where the plan's texts may put ink. Two font engines measure a text
// differently: its ink may move by 3 pixels and a twentieth of its size,
// and sideways by one pixel more per character (a bold made from a
// regular face is one pixel wider per letter on Windows). Each text's
// measured box is grown by that and by a quarter of its line height for
// glyphs that reach out of their cell; overlapping boxes merge into one
// region.
std::vector<Region> TextRegions(const BackgroundPlan& plan, const FontMeasure& measure);

// Compares two paintings of the same plan made by different text drawing.
// Outside the text regions every pixel must be the same (alpha aside).
// Inside a region the ink, the pixels that differ from the field, is
// compared by its bounding box (each edge within the region's slack), its
// amount (within a factor of 1.6) and its mean colour (each channel within
// 64), since two font rasterisers never put the same pixels.
struct BackgroundComparison {
  bool same = true;
  std::string report;  // one line per difference found
};
BackgroundComparison CompareBackgrounds(const PixelBuffer& expected, const PixelBuffer& actual,
                                        const PixelBuffer& field, const std::vector<Region>& regions);

}  // namespace setup::paint
