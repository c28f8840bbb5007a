// Package files that a script asks to start or open: whatever their bytes
// and mode, only a real program (an ELF file, or a script whose interpreter
// is one on a drive) is started and only a plain, non-executable document is
// opened; and script text written to a terminal or the log carries no
// control character but tab and line break.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "fuzz/scratch_system.h"
#include "setup/app/launch_rule.h"
#include "setup/wizard/action_log.h"

namespace {

namespace fs = std::filesystem;
using platform::target::TargetSystem;
using setup::app::LaunchKind;

TargetSystem& TheSystem() { return fuzzing::ScratchSystem(); }

void CheckEscaped(std::string_view text) {
  const std::string escaped = setup::wizard::EscapeControlCharacters(text);
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    const auto byte = static_cast<unsigned char>(escaped[i]);
    FUZZ_CHECK(byte >= 0x20 || byte == '\n' || byte == '\t');
    FUZZ_CHECK(byte != 0x7f);
    if (byte == 0xc2 && i + 1 < escaped.size()) {
      const auto next = static_cast<unsigned char>(escaped[i + 1]);
      FUZZ_CHECK(next < 0x80 || next > 0x9f);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view content(reinterpret_cast<const char*>(data + 1), size - 1);
  CheckEscaped(content);

  static constexpr const char* kNames[] = {"file.exe", "file.txt", "file.desktop", "file"};
  const char* name = kNames[data[0] & 3];
  const bool executable = (data[0] & 4) != 0;
  TargetSystem& system = TheSystem();
  fs::path host;
  FUZZ_CHECK(system.drives().ToHostPath(std::string("C:\\") + name, &host).ok());
  fs::remove(host);
  {
    std::ofstream out(host, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
  }
  fs::permissions(host, executable ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write);

  const setup::app::LaunchTarget target =
      setup::app::ClassifyLaunchTarget(system, std::string("C:\\") + name);
  if (target.kind == LaunchKind::kProgram) {
    FUZZ_CHECK(executable);
    FUZZ_CHECK(content.starts_with("\x7f"
                                   "ELF") ||
               content.starts_with("#!"));
  } else if (target.kind == LaunchKind::kDocument) {
    FUZZ_CHECK(!executable && !content.starts_with("#!"));
    FUZZ_CHECK(std::string_view(name) == "file.txt");
  } else {
    FUZZ_CHECK(!target.reason.empty());
  }
  return 0;
}
