#pragma once

#include "setup/app/paint/pixel_buffer.h"

namespace setup::paint {

// The installer's own pictures, drawn in code into pixel buffers so that
// the toolkit's windows and the Win32 windows show the same pixels and no
// file is needed.

// The left column of the wizard: 120 x 248, opaque: a deep blue fade with a
// boxed package and the product's name.
PixelBuffer LeftPicture();
// The step marker beside the running step's label: 5 x 11, an arrow head
// on a transparent ground.
PixelBuffer StepMarker();
// The clean-up question's picture: 32 x 32, a waste bin on a transparent
// ground.
PixelBuffer CleanUpIcon();

}  // namespace setup::paint
