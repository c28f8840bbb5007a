#include "setup/app/win32/win32_artwork.h"

namespace setup::win32 {

HBITMAP ArtworkBitmap(std::string_view) { return nullptr; }

}  // namespace setup::win32
