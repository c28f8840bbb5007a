// Code page 932 decoding and encoding: any bytes convert without failing,
// the result of decoding is valid UTF-8, and representable text survives the
// round trip.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "platform/cp932.h"
#include "platform/utf8.h"

namespace {

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (!platform::NextUtf8Char(text, i)) return false;
  }
  return true;
}

void CheckRoundTrip(const std::string& utf8) {
  if (!platform::IsCp932Representable(utf8)) return;
  FUZZ_CHECK(platform::Cp932ToUtf8(platform::Utf8ToCp932(utf8)) == utf8);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // The bytes as a file's code page 932 text.
  const std::string utf8 = platform::Cp932ToUtf8(bytes);
  FUZZ_CHECK(IsValidUtf8(utf8));
  CheckRoundTrip(utf8);

  // The same bytes as UTF-8 text from the program, possibly malformed.
  const std::string cp932 = platform::Utf8ToCp932(bytes);
  FUZZ_CHECK(IsValidUtf8(platform::Cp932ToUtf8(cp932)));
  if (IsValidUtf8(bytes)) CheckRoundTrip(std::string(bytes));
  return 0;
}
