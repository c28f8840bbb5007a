#pragma once

#include "platform/win32/windows_api.h"
#include "setup/wizard/model/control_id.h"

namespace setup::win32 {

// The installer's own pictures as bitmaps for the wizard's image controls:
// Image1 the left column, Image1002/Image1302 the step marker, Image2 the
// clean-up picture; nullptr for any other control. The caller deletes the
// bitmap.
HBITMAP ArtworkBitmap(wizard::Control image);

}  // namespace setup::win32
