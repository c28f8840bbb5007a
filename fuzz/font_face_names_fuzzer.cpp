// The font alias file: any text parses without failing, and every Windows
// face it names maps onto its family and back onto a name of that family.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "banner/app/font_face_names.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const plakato::FontFaceNames names = plakato::FontFaceNames::Parse(text);
  // A probe face taken from the input itself.
  const std::string face(text.substr(0, text.find('\n')).substr(0, 64));
  const std::string family = names.RealFamily(face);
  FUZZ_CHECK(names.RealFamily(names.WindowsFace(family)) == family);
  return 0;
}
