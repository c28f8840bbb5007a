// The uninstall engine removing a product of 10,000 files of 4 KiB in 20
// folders with 200 registry entries to undo, against `rm -r` of the same
// files on the same disk. The installed state is written directly (files on
// the host, the record in one registry batch) before each timed run.

#include <benchmark/benchmark.h>

#include <time.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/target_system/folder_system.h"
#include "platform/target_system/registry_batch.h"
#include "platform/testing/temp_dir.h"
#include "setup/wizard/engine/uninstall_engine.h"
#include "setup/wizard/engine/uninstall_fixture_for_test.h"
#include "setup/wizard/record/record_keys.h"
#include "setup/wizard/record/record_list.h"

namespace {

namespace fs = std::filesystem;
using platform::target::FolderSystem;
using platform::target::RegistryBatch;
using platform::target::RegistryRoot;
using platform::target::RegistryValue;
using platform::target::TargetSystem;
using setup::wizard::kListCountName;
using setup::wizard::ListItemName;

constexpr int kFiles = 10000;
constexpr int kFolders = 20;
constexpr int kRegistryEntries = 200;
constexpr const char* kProduct = "BenchProduct";
const std::string kInstallFolder = "C:\\Program Files\\Bench";

// CPU time of this process, to tell the engine's own work from waiting for
// the disk.
double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

std::string FolderName(int folder) { return "part" + std::to_string(folder); }
std::string FileName(int file) { return "file" + std::to_string(file) + ".dat"; }

// 10,000 files of 4 KiB below root, spread over the folders.
void WriteFiles(const fs::path& root) {
  const std::string block(4096, 'k');
  for (int folder = 0; folder < kFolders; ++folder) fs::create_directories(root / FolderName(folder));
  for (int file = 0; file < kFiles; ++file) {
    std::ofstream(root / FolderName(file / (kFiles / kFolders)) / FileName(file), std::ios::binary) << block;
  }
}

// The files, the product's registry entries and its record, as an
// installation leaves them.
void Install(TargetSystem& system) {
  if (!system.files().CreateFolderTree(kInstallFolder).ok()) std::abort();
  fs::path host;
  if (!system.drives().ToHostPath(kInstallFolder, &host).ok()) std::abort();
  WriteFiles(host);

  constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;
  const std::string record = setup::wizard::RecordKey(kProduct);
  RegistryBatch batch;
  batch.SetValue(kMachine, record, RegistryValue::String("Name", kProduct));
  batch.SetValue(kMachine, record + "\\UnFile", RegistryValue::Dword(kListCountName, kFiles));
  for (int file = 0; file < kFiles; ++file) {
    const int n = file + 1;
    const std::string path =
        kInstallFolder + "\\" + FolderName(file / (kFiles / kFolders)) + "\\" + FileName(file);
    batch.SetValue(kMachine, record + "\\UnFile", RegistryValue::String(ListItemName("File", n), path));
    batch.SetValue(kMachine, record + "\\UnFile", RegistryValue::Dword(ListItemName("Shared", n), 0));
  }
  batch.SetValue(kMachine, record + "\\UnFolder", RegistryValue::Dword(kListCountName, 1));
  batch.SetValue(kMachine, record + "\\UnFolder", RegistryValue::String("Folder1", kInstallFolder));
  batch.SetValue(kMachine, record + "\\UnRegistry", RegistryValue::Dword(kListCountName, kRegistryEntries));
  for (int entry = 0; entry < kRegistryEntries; ++entry) {
    const int n = entry + 1;
    const std::string key = "Software\\Bench\\Key" + std::to_string(entry % 10);
    batch.SetValue(RegistryRoot::kCurrentUser, key, RegistryValue::String(ListItemName("Value", n), "data"));
    const std::string list = record + "\\UnRegistry";
    batch.SetValue(kMachine, list, RegistryValue::Dword(ListItemName("Way", n), 2));
    batch.SetValue(kMachine, list,
                   RegistryValue::String(ListItemName("Key", n), "HKEY_CURRENT_USER\\" + key));
    batch.SetValue(kMachine, list, RegistryValue::String(ListItemName("Name", n), ListItemName("Value", n)));
    batch.SetValue(kMachine, list, RegistryValue::String(ListItemName("Data", n), ""));
    batch.SetValue(kMachine, list, RegistryValue::Dword(ListItemName("Type", n), 0));
  }
  if (!system.registry().Apply(batch).ok()) std::abort();
}

void BM_UninstallEngine(benchmark::State& state) {
  for (auto _ : state) {
    const platform::testing::TempDir scratch;
    platform::target::InitOptions options;
    options.user_name = "taro";
    std::unique_ptr<FolderSystem> system;
    if (!FolderSystem::Create(scratch.path() / "system", options, &system).ok()) std::abort();
    Install(*system);
    setup::wizard::testing::RunHarness harness(*system);
    const double cpu_start = ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const auto maxima = setup::wizard::ComputeUninstallMaxima(harness.run, kProduct);
    const auto result = setup::wizard::RunUninstallEngine(harness.run, kProduct, false, maxima);
    const auto end = std::chrono::steady_clock::now();
    if (result != setup::wizard::EngineResult::kCompleted || system->files().Exists(kInstallFolder)) {
      state.SkipWithError("the product was not removed");
    }
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    state.counters["engine_cpu_ms"] = (ProcessCpuSeconds() - cpu_start) * 1000;
  }
}
BENCHMARK(BM_UninstallEngine)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

void BM_RmMinusR(benchmark::State& state) {
  for (auto _ : state) {
    const platform::testing::TempDir scratch;
    const fs::path root = scratch.path() / "Bench";
    WriteFiles(root);
    const std::string command = "rm -r '" + root.string() + "'";
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) state.SkipWithError("rm -r failed");
    const auto end = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
}
BENCHMARK(BM_RmMinusR)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

}  // namespace

BENCHMARK_MAIN();
