#pragma once

#include <string>
#include <string_view>

#include "banner/render/banner_settings.h"
#include "banner/render/font_backend.h"
#include "banner/render/work_picture.h"

namespace plakato {

// Smallest and largest title sizes in points.
inline constexpr int kMinTitlePoints = 1;
inline constexpr int kMaxTitlePoints = 80;

// text without leading and trailing blanks (U+0020 only).
std::string_view TrimSpaces(std::string_view text);

// Sets the mask's font size to one less than the smallest size from 2 to 80
// points at which text takes more than 70 % of the mask's width or height,
// or 80 when it never does.
void FitTitleFont(WorkPicture& mask, FontBackend& fonts, std::string_view text);

// Top-left corner of the text cell, in twips (single precision, unrounded),
// for a title location on a w x h banner with a tw x th text cell.
struct TitlePosition {
  float x = 0;
  float y = 0;
};
TitlePosition LocateTitle(int location, float w, float h, float tw, float th);

// Shadow displacement in twips: offset pixels (offset * tx twips) along the
// axes the shadow direction moves.
struct Displacement {
  double dx = 0;
  double dy = 0;
};
Displacement ShadowDisplacement(int direction, long long offset, int tx);

// background := (background OR mask0) AND (colour_layer OR mask1); the colour
// layer keeps (colour_layer OR mask1).
void CompositeTitleLayer(WorkPicture& background, const WorkPicture& mask0, const WorkPicture& mask1,
                         WorkPicture& colour_layer);

// The buffers the title painter works on.
struct TitleBuffers {
  WorkPicture& background;  // the banner being composed
  WorkPicture& mask0;       // white glyphs on black
  WorkPicture& mask1;       // black glyphs on white
  WorkPicture& colour_layer;
};

struct TitleRepairs {
  bool location = false;
  bool shadow_direction = false;
  std::string font_error;  // no font could be loaded for the title
};

// Draws the title (and first its shadow, when set) onto the background.
// Does nothing for a title that is empty after trimming. Repairs an unset
// location and an unset shadow direction (-1 becomes 0).
TitleRepairs PaintTitle(const TitleBuffers& buffers, FontBackend& fonts, BannerSettings::TitleGroup& title);

}  // namespace plakato
