#pragma once

#include "banner/render/banner_settings.h"
#include "banner/render/bitmap.h"
#include "banner/render/work_picture.h"

namespace plakato {

// Fills the freshly sized and cleared background buffer by the background
// pattern: plain colour (which also becomes the buffer's background colour
// for later renders), two- or three-colour gradient, or the prepared
// picture. Without a picture, or with a direction outside 0..4, the cleared
// buffer keeps showing its background colour.
void PaintBackground(WorkPicture& background, const BannerSettings::BackGroundGroup& settings,
                     const Bitmap* picture);

}  // namespace plakato
