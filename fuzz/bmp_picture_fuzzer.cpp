// Windows bitmaps: uncompressed, bit fields and run-length forms.
#include "fuzz/picture_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzPictureDecoder(data, size, "picture.bmp", plakato::LoadBmp);
  return 0;
}
