// Registry cost of the installer's per-operation functions (each call is a
// transaction of its own on the target system's registry) against the same
// writes and reads through one raw SQLite connection with the same journal
// settings; and the cost of one shortcut-macro expansion on a fresh system.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/target_system/folder_system.h"
#include "platform/target_system/registry_text.h"
#include "platform/testing/temp_dir.h"
#include "setup/core/path_macros.h"
#include "setup/core/registry_utils.h"

namespace {

namespace fs = std::filesystem;
using platform::target::FolderSystem;
using platform::target::RegistryRoot;

constexpr int kOperations = 10000;

// A folder for one benchmark, removed with the object.
class ScratchFolder : public platform::testing::TempDir {
 public:
  ScratchFolder() : TempDir("bench-registry") {}
};

std::unique_ptr<FolderSystem> FreshSystem(const fs::path& folder) {
  platform::target::InitOptions options;
  options.user_name = "taro";
  std::unique_ptr<FolderSystem> system;
  if (!FolderSystem::Create(folder / "system", options, &system).ok()) std::abort();
  return system;
}

// Keys and value names spread over 100 keys, as an install writes them.
std::string KeyOf(int i) { return "Software\\Bench\\Key" + std::to_string(i % 100); }
std::string NameOf(int i) { return "Value" + std::to_string(i); }
// Every round writes new data, so no write leaves a value as it was.
std::string DataOf(int round) { return "C:\\Program Files\\Maker" + std::to_string(round) + "\\App.exe"; }

void BM_PerOperationWrites(benchmark::State& state) {
  ScratchFolder scratch;
  auto system = FreshSystem(scratch.path());
  int round = 0;
  for (auto _ : state) {
    const std::string data = DataOf(++round);
    for (int i = 0; i < kOperations; ++i) {
      if (!setup::RegWriteString(*system, RegistryRoot::kLocalMachine, KeyOf(i), NameOf(i), data).ok()) {
        state.SkipWithError("write failed");
        return;
      }
    }
  }
}

void BM_PerOperationReads(benchmark::State& state) {
  ScratchFolder scratch;
  auto system = FreshSystem(scratch.path());
  for (int i = 0; i < kOperations; ++i) {
    if (!setup::RegWriteString(*system, RegistryRoot::kLocalMachine, KeyOf(i), NameOf(i), "data").ok())
      std::abort();
  }
  for (auto _ : state) {
    for (int i = 0; i < kOperations; ++i) {
      benchmark::DoNotOptimize(
          setup::RegReadString(*system, RegistryRoot::kLocalMachine, KeyOf(i), NameOf(i), ""));
    }
  }
}

// One connection with prepared statements on a flat table: the least an
// SQLite-backed registry could cost per value.
class RawStore {
 public:
  explicit RawStore(const fs::path& file) {
    if (sqlite3_open(file.c_str(), &db_) != SQLITE_OK) std::abort();
    Exec("PRAGMA journal_mode=WAL");
    Exec("PRAGMA synchronous=NORMAL");
    Exec(
        "CREATE TABLE vals(key TEXT NOT NULL, name TEXT NOT NULL, data BLOB NOT NULL,"
        " PRIMARY KEY(key, name))");
    sqlite3_prepare_v2(db_,
                       "INSERT INTO vals(key, name, data) VALUES(?, ?, ?)"
                       " ON CONFLICT(key, name) DO UPDATE SET data = excluded.data",
                       -1, &write_, nullptr);
    sqlite3_prepare_v2(db_, "SELECT data FROM vals WHERE key = ? AND name = ?", -1, &read_, nullptr);
  }
  ~RawStore() {
    sqlite3_finalize(write_);
    sqlite3_finalize(read_);
    sqlite3_close(db_);
  }
  bool Write(const std::string& key, const std::string& name, const std::string& data) {
    sqlite3_bind_text(write_, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
    sqlite3_bind_text(write_, 2, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
    sqlite3_bind_blob(write_, 3, data.data(), static_cast<int>(data.size()), SQLITE_STATIC);
    const bool done = sqlite3_step(write_) == SQLITE_DONE;
    sqlite3_reset(write_);
    return done;
  }
  std::string Read(const std::string& key, const std::string& name) {
    sqlite3_bind_text(read_, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
    sqlite3_bind_text(read_, 2, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
    std::string data;
    if (sqlite3_step(read_) == SQLITE_ROW) {
      data.assign(static_cast<const char*>(sqlite3_column_blob(read_, 0)),
                  static_cast<std::size_t>(sqlite3_column_bytes(read_, 0)));
    }
    sqlite3_reset(read_);
    return data;
  }

 private:
  void Exec(const char* sql) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) std::abort();
  }
  sqlite3* db_ = nullptr;
  sqlite3_stmt* write_ = nullptr;
  sqlite3_stmt* read_ = nullptr;
};

void BM_RawSqliteWrites(benchmark::State& state) {
  ScratchFolder scratch;
  RawStore store(scratch.path() / "raw.sqlite");
  int round = 0;
  for (auto _ : state) {
    const std::string data = DataOf(++round);
    for (int i = 0; i < kOperations; ++i) {
      if (!store.Write(KeyOf(i), NameOf(i), data)) {
        state.SkipWithError("write failed");
        return;
      }
    }
  }
}

void BM_RawSqliteReads(benchmark::State& state) {
  ScratchFolder scratch;
  RawStore store(scratch.path() / "raw.sqlite");
  for (int i = 0; i < kOperations; ++i) store.Write(KeyOf(i), NameOf(i), "data");
  for (auto _ : state) {
    for (int i = 0; i < kOperations; ++i) benchmark::DoNotOptimize(store.Read(KeyOf(i), NameOf(i)));
  }
}

void BM_ExpandShortcutMacro(benchmark::State& state) {
  ScratchFolder scratch;
  auto system = FreshSystem(scratch.path());
  for (auto _ : state) {
    benchmark::DoNotOptimize(setup::ExpandShortcutMacro(*system, "<SSetup>\\Plakato.lnk", "Plakato", false));
  }
}

// Export of a chain of keys state.range(0) levels deep, and of a flat key
// with as many subkeys: each key is read once, so both grow with the number
// of keys (the chain's text itself grows with the square of its depth).
void ExportTree(benchmark::State& state, bool deep) {
  ScratchFolder scratch;
  auto system = FreshSystem(scratch.path());
  platform::target::RegistryBatch batch;
  std::string path = "Software\\Tree";
  for (int i = 0; i < state.range(0); ++i) {
    const std::string key =
        deep ? (path += "\\k" + std::to_string(i % 10)) : path + "\\k" + std::to_string(i);
    batch.SetValue(RegistryRoot::kLocalMachine, key, platform::target::RegistryValue::Dword("n", i));
  }
  if (!system->registry().Apply(batch).ok()) std::abort();
  for (auto _ : state) {
    std::string text;
    if (!platform::target::ExportRegistryText(system->registry(), RegistryRoot::kLocalMachine,
                                              "Software\\Tree", &text)
             .ok()) {
      state.SkipWithError("export failed");
      return;
    }
    benchmark::DoNotOptimize(text);
  }
}
void BM_ExportDeepChain(benchmark::State& state) { ExportTree(state, true); }
void BM_ExportWideKey(benchmark::State& state) { ExportTree(state, false); }

// Each iteration is 10,000 operations; medians of five runs are reported.
BENCHMARK(BM_PerOperationWrites)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PerOperationReads)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RawSqliteWrites)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RawSqliteReads)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ExportDeepChain)->Arg(250)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportWideKey)->Arg(250)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandShortcutMacro)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
