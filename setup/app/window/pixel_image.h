#pragma once

#include <QImage>

#include "setup/app/paint/pixel_buffer.h"

namespace setup::window {

// A shared pixel buffer as the toolkit's image (ARGB32, straight alpha),
// pixel for pixel.
QImage ToQImage(const paint::PixelBuffer& pixels);
// And back: any image format, converted to ARGB32 first.
paint::PixelBuffer ToPixels(const QImage& image);

}  // namespace setup::window
