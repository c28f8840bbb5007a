#include "setup/app/win32/win32_artwork.h"

namespace setup::win32 {

HBITMAP ArtworkBitmap(wizard::Control) { return nullptr; }

}  // namespace setup::win32
