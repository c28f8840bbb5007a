#pragma once

namespace plakato {

// Twips (1/1440 inch) per screen pixel along x and y. Sizes and text
// positions are held in twips and turned into pixels with these.
struct ScreenGeometry {
  int tx = 15;
  int ty = 15;
};

}  // namespace plakato
