#pragma once

#include <string>
#include <string_view>

#include "setup/app/paint/background_plan.h"
#include "setup/app/paint/pixel_buffer.h"

namespace setup::paint {

// The colour field and the picture of a plan in one opaque buffer of the
// plan's size: the bands, then the picture by its mode (an empty picture is
// skipped; a stretched one is sampled at each screen pixel's centre). Both
// windows paint this buffer and then draw the plan's texts on it with their
// own text drawing, so everything but the texts is the same pixels.
PixelBuffer PaintBackgroundField(const BackgroundPlan& plan, const PixelBuffer& picture);

// The picture kinds the background reads, told by the file's first bytes:
// "BMP", "JPEG" or "GIF"; empty for anything else.
std::string_view PictureKindOf(std::string_view bytes);

}  // namespace setup::paint
