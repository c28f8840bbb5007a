// Reading every value of a large installer script, as the wizard and the
// install engine do: each value is looked up when it is needed, and the file
// is checked for changes on every lookup.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/atomic_file.h"
#include "platform/profile_cache.h"
#include "platform/testing/temp_dir.h"
#include "setup/core/setup_script.h"

namespace {

namespace fs = std::filesystem;

constexpr int kItems = 2000;

// A script whose [File] list holds kItems entries of four keys each.
fs::path WriteScript() {
  static const fs::path file = [] {
    static const platform::testing::TempDir scratch("bench-script");
    const fs::path path = scratch / "Setup.dat";
    std::string text = "[Define]\r\nApplication=kestro Setup 1.00\r\nName=Maker\r\n[File]\r\n";
    text += "Count=" + std::to_string(kItems) + "\r\n";
    for (int n = 1; n <= kItems; ++n) {
      const std::string i = std::to_string(n);
      text += "NewFile" + i + "=<Setup>\\data\\file" + i + ".dat\r\n";
      text += "File" + i + "=data\\file" + i + ".dat\r\n";
      text += "Attrs" + i + "=32\r\n";
      text += "Shared" + i + "=0\r\n";
    }
    if (!platform::WriteFileAtomically(path, text).ok()) std::abort();
    // A script is read long after it was written; until then every lookup
    // compares the bytes as well (the file's times are too coarse to trust).
    std::this_thread::sleep_for(platform::kProfileTimeSlack + std::chrono::milliseconds(100));
    return path;
  }();
  return file;
}

// Count, then NewFile, File, Attrs and Shared of every item.
void BM_EveryValueOfA2000ItemScript(benchmark::State& state) {
  const setup::SetupScript script(WriteScript());
  for (auto _ : state) {
    const std::int32_t count = script.ReadCount("File");
    std::size_t total = 0;
    for (std::int32_t n = 1; n <= count; ++n) {
      total += script.ReadItem("File", "NewFile", n).size();
      total += script.ReadItem("File", "File", n).size();
      total += static_cast<std::size_t>(script.ReadItemInteger("File", "Attrs", n));
      total += static_cast<std::size_t>(script.ReadItemInteger("File", "Shared", n));
    }
    if (count != kItems) state.SkipWithError("the script was not read");
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * (1 + 4 * kItems));
}

BENCHMARK(BM_EveryValueOfA2000ItemScript)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
