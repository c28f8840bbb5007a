// GIF pictures through giflib: the first frame on the logical screen.
#include "fuzz/picture_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzPictureDecoder(data, size, "picture.gif", plakato::LoadGif);
  return 0;
}
