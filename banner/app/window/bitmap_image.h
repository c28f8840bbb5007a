#pragma once

#include <QColor>
#include <QImage>

#include "banner/render/bitmap.h"

namespace plakato {

// A toolkit image of the bitmap's pixels (0x00BBGGRR becomes 0xFFRRGGBB).
QImage ToQImage(const Bitmap& bitmap);

QColor ToQColor(Color color);
Color FromQColor(const QColor& color);

}  // namespace plakato
