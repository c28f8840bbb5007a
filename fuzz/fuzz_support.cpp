#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/testing/temp_dir.h"

namespace fuzzing {
namespace {

// Memory-backed when the host has it: the writers flush every file to
// disk, which would otherwise bound the harnesses at the disk's pace.
std::filesystem::path ScratchBase() {
  std::error_code ec;
  if (std::filesystem::is_directory("/dev/shm", ec) && access("/dev/shm", W_OK) == 0) return "/dev/shm";
  return {};
}

}  // namespace

const std::filesystem::path& ScratchFolder() {
  static const platform::testing::TempDir scratch("plakato-fuzz", ScratchBase());
  return scratch.path();
}

std::filesystem::path WriteScratchFile(std::string_view name, const std::uint8_t* data, std::size_t size) {
  std::filesystem::path path = ScratchFolder() / name;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr || (size > 0 && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0) {
    std::perror(path.c_str());
    std::abort();
  }
  return path;
}

void Fail(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, condition);
  std::abort();
}

}  // namespace fuzzing
