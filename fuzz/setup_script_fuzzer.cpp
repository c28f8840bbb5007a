// The installer script: every value the script readers take from a hostile
// Setup.dat, by the names the file itself holds and by the fixed ones.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/cp932.h"
#include "platform/private_profile.h"
#include "setup/core/script_values.h"
#include "setup/core/setup_script.h"

namespace {

void CheckValue(const setup::SetupScript& script, const std::string& section, const std::string& key) {
  const std::string value = script.Read(section, key);
  // A decimal byte count within 32 bits is the same number to the integer reader.
  if (auto size = setup::ParseStrictSize(value); size && *size <= std::numeric_limits<std::int32_t>::max())
    FUZZ_CHECK(setup::ParseInteger(value) == static_cast<std::int32_t>(*size));
  if (auto n = setup::ItemNumberOfKey(key)) {
    const std::string field = key.substr(0, key.size() - std::to_string(*n).size());
    FUZZ_CHECK(setup::ItemKey(field, *n) == key);
  }
  script.ReadOneFlag(section, key, "1");
  script.ReadZeroFlag(section, key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto file = fuzzing::WriteScratchFile("Setup.dat", data, size);
  const setup::SetupScript script(file);
  FUZZ_CHECK(script.Exists());

  const std::string application = script.Application();
  FUZZ_CHECK(!setup::IsAcceptedForSetup(application) || setup::IsAcceptedForCleanUp(application));
  FUZZ_CHECK(!script.ApplicationKeyName().empty());
  if (auto install_size = script.ReadInstallSize()) FUZZ_CHECK(*install_size >= 0);
  for (const char* section : {"Outline", "Licence", "UnOutline"}) {
    const auto lines = script.ReadLines(section);
    FUZZ_CHECK(lines.size() <= static_cast<std::size_t>(script.ReadCount(section)));
  }

  int read = 0;
  for (const std::string& raw_section : platform::GetPrivateProfileSections(file)) {
    const std::string section = platform::Cp932ToUtf8(raw_section);
    FUZZ_CHECK(script.ReadCount(section) >= 0);
    FUZZ_CHECK(script.HighestItemNumber(section) >= 0);
    for (const std::string& raw_key : platform::GetPrivateProfileKeys(raw_section, file)) {
      if (++read > 32) return 0;
      CheckValue(script, section, platform::Cp932ToUtf8(raw_key));
    }
  }
  return 0;
}
