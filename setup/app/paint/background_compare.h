#pragma once

#include <string>
#include <vector>

#include "setup/app/paint/background_plan.h"
#include "setup/app/paint/pixel_buffer.h"

namespace setup::paint {

// A rectangle of the screen, right and bottom excluded.
struct Region {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Where the plan's texts may put ink: each text's measured box grown by a
// margin for glyphs that reach out of their cell and for the two font
// engines' different measurements (6 pixels and a quarter of the line
// height), overlapping boxes merged into one region.
std::vector<Region> TextRegions(const BackgroundPlan& plan, const FontMeasure& measure);

// Compares two paintings of the same plan made by different text drawing.
// Outside the text regions every pixel must be the same (alpha aside).
// Inside a region the ink, the pixels that differ from the field, is
// compared by its bounding box (each edge within 3 pixels and a twentieth
// of the region's size) and its amount (within a factor of 1.6), since two
// font rasterisers never put the same pixels.
struct BackgroundComparison {
  bool same = true;
  std::string report;  // one line per difference found
};
BackgroundComparison CompareBackgrounds(const PixelBuffer& expected, const PixelBuffer& actual,
                                        const PixelBuffer& field, const std::vector<Region>& regions);

}  // namespace setup::paint
