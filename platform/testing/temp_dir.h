#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace platform::testing {

// A fresh folder that exists for the life of the object, for tests,
// benchmarks and fuzz harnesses. It is made under base (the system's
// temporary folder unless given) with a name no other process holds, so
// parallel runs never share a file, and removed with everything in it.
// Without a folder nothing can run: a failure to make one aborts.
class TempDir {
 public:
  explicit TempDir(std::string_view prefix = "plakato-test", const std::filesystem::path& base = {}) {
    const std::filesystem::path parent = base.empty() ? std::filesystem::temp_directory_path() : base;
#if defined(_WIN32)
    // No mkdtemp there: a random name, taken only when creating it succeeds.
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::filesystem::path candidate = parent / (std::string(prefix) + "-" + std::to_string(random()));
      std::error_code ec;
      if (std::filesystem::create_directory(candidate, ec)) {
        path_ = candidate;
        return;
      }
    }
    std::perror(prefix.data());
    std::abort();
#else
    std::string pattern = (parent / (std::string(prefix) + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      std::perror(pattern.c_str());
      std::abort();
    }
    path_ = pattern;
#endif
  }
  ~TempDir() {
    // A test may have taken the folder's own write permission away.
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace platform::testing
