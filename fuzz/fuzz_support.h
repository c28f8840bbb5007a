#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace fuzzing {

// A folder of this process alone, made at first use and removed when the
// process ends normally. Harnesses that need files put them here, so
// parallel fuzzing jobs never share a file.
const std::filesystem::path& ScratchFolder();

// Writes the bytes to the named file of the scratch folder (replacing it)
// and returns its path.
std::filesystem::path WriteScratchFile(std::string_view name, const std::uint8_t* data, std::size_t size);

// Prints the broken property and aborts, so that the fuzzer keeps the input.
[[noreturn]] void Fail(const char* condition, const char* file, int line);

}  // namespace fuzzing

// A property every input must keep; checked in every build type.
#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::fuzzing::Fail(#condition, __FILE__, __LINE__))
