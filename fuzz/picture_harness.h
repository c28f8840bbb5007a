#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "banner/app/picture_codecs.h"
#include "fuzz/fuzz_support.h"

namespace fuzzing {

// The body of every picture decoder's harness: the decoder reads a file of
// that name; a refusal says why, a success gives a picture within the size
// limits whose pixels survive both writers exactly.
inline void FuzzPictureDecoder(const std::uint8_t* data, std::size_t size, std::string_view name,
                               platform::StatusOr<plakato::Bitmap> (*decode)(const std::filesystem::path&)) {
  const platform::StatusOr<plakato::Bitmap> result = decode(WriteScratchFile(name, data, size));
  if (!result.ok()) {
    FUZZ_CHECK(!result.status().message().empty());
    return;
  }
  const plakato::Bitmap& picture = *result;
  FUZZ_CHECK(!picture.empty());
  FUZZ_CHECK(picture.width() <= plakato::kMaxPictureSide && picture.height() <= plakato::kMaxPictureSide);
  FUZZ_CHECK(static_cast<long long>(picture.width()) * picture.height() <= plakato::kMaxPicturePixels);
  // Small pictures only: a large one would slow the run and teaches nothing new.
  if (static_cast<long long>(picture.width()) * picture.height() > 4096) return;
  for (const char* copy : {"copy.bmp", "copy.png"}) {
    const std::filesystem::path path = ScratchFolder() / copy;
    FUZZ_CHECK(plakato::SavePicture(picture, path).ok());
    const platform::StatusOr<plakato::Bitmap> again = plakato::LoadPicture(path);
    FUZZ_CHECK(again.ok() && *again == picture);
  }
}

}  // namespace fuzzing
