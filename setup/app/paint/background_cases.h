#pragma once

#include <string>
#include <vector>

#include "setup/app/paint/pixel_buffer.h"

namespace setup::paint {

// Backgrounds painted by both windows for the same script and screen size
// and compared pixel by pixel: the colour field's edge cases, each picture
// mode, captions with shadows. Scripts name their pictures relative to the
// folder they are painted in.
struct BackgroundCase {
  std::string name;
  int width = 0;
  int height = 0;
  std::string background;  // the [Background] section's lines, UTF-8
};
std::vector<BackgroundCase> BackgroundCases();

// The pictures the cases name, by file name: a small pattern for tiling and
// stretching, a wide one for centring.
struct CasePicture {
  std::string file;
  PixelBuffer pixels;
};
std::vector<CasePicture> CasePictures();

}  // namespace setup::paint
