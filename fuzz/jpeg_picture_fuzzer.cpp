// JPEG pictures through libjpeg.
#include "fuzz/picture_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzPictureDecoder(data, size, "picture.jpg", plakato::LoadJpeg);
  return 0;
}
