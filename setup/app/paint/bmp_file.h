#pragma once

#include <string>

#include "setup/app/paint/pixel_buffer.h"

namespace setup::paint {

// A 24-bit Windows bitmap file of the pixels (rows bottom-up, padded to
// four bytes); alpha is dropped.
std::string EncodeBmp24(const PixelBuffer& pixels);

}  // namespace setup::paint
