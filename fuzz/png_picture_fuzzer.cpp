// PNG pictures through libpng.
#include "fuzz/picture_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzPictureDecoder(data, size, "picture.png", plakato::LoadPng);
  return 0;
}
