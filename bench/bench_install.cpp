// The install engine against `cp -r`, and the uninstall engine against
// `rm -r` (of a copy flushed to the disk first, as installed files are), of
// the same package folder on the same disk, for packages of 4 KiB files:
// 1,000, 10,000 and 100,000 in one folder, and 10,000 in 100 folders. A
// re-run installs the package again over a complete installation (every
// file kept as "same age and size"). The arguments of each benchmark are the
// number of files and of folders.
//
// Each iteration times its reference (`cp -r` or `rm -r`) right beside the
// engine, so that both see the same load of a shared machine: the counter
// ratio is engine time over reference time, and its median is the figure
// to read; us_per_file is the engine's time per file.
//
// Each install goes into a new folder; the folders are removed only with the
// packages at the end, and the uninstalls come last, because creating
// thousands of files right after deleting thousands costs the file system
// far more than either alone, and would measure that instead. The reference
// copies reach the disk (untimed) before the engine runs, whose one flush
// would otherwise write them too.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "bench/bench_support.h"
#include "platform/atomic_file.h"
#include "platform/target_system/folder_system.h"
#include "setup/core/setup_script.h"
#include "setup/wizard/engine/install_engine.h"
#include "setup/wizard/engine/uninstall_engine.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace setup::wizard;
using Clock = std::chrono::steady_clock;

constexpr const char* kProduct = "Bench";

using bench::DefaultPrompter;
using bench::NoLauncher;

// A target system with a package of files in C:\PKG and its script.
class Package {
 public:
  Package(int files, int folders)
      : files_(files), folders_(folders), scratch_("bench-install"), package_host_(scratch_.package_host()) {
    // The package is written straight to the host: only the engines are
    // measured.
    const std::string block(4096, 'k');
    std::string script =
        "[Define]\nApplication=kestro Setup 1.00\nName=Bench\n[Uninstall]\nKeyName=" + std::string(kProduct) +
        "\nUse=1\n[File]\nCount=" + std::to_string(files) + "\n";
    std::string un_file = "[UnFile]\nCount=" + std::to_string(files) + "\n";
    for (int f = 0; folders > 1 && f < folders; ++f) fs::create_directories(package_host_ / FolderOf(f));
    for (int n = 1; n <= files; ++n) {
      std::ofstream(package_host_ / HostFileOf(n), std::ios::binary) << block;
      script += "NewFile" + std::to_string(n) + "=<Setup>\\" + FileOf(n) + "\nFile" + std::to_string(n) +
                "=" + FileOf(n) + "\n";
      un_file += "File" + std::to_string(n) + "=<Setup>\\" + FileOf(n) + "\n";
    }
    script += un_file;
    if (!system().files().WriteFile("C:\\PKG\\Setup.dat", script).ok()) std::abort();
    program_ = scratch_.root() / "Setup-program";
    if (!platform::WriteFileAtomically(program_, "program").ok()) std::abort();
  }
  platform::target::FolderSystem& system() { return scratch_.system(); }
  int files() const { return files_; }
  const fs::path& package_host() const { return package_host_; }
  const fs::path& program() const { return program_; }
  setup::SetupScript Script() const { return setup::SetupScript(package_host_ / "Setup.dat"); }
  // A host folder beside the package for cp -r, on the same disk.
  fs::path HostCopy(const std::string& name) const { return package_host_.parent_path() / name; }

 private:
  std::string FolderOf(int n) const { return "d" + std::to_string(n % folders_); }
  std::string FileOf(int n) const {
    return (folders_ > 1 ? FolderOf(n) + "\\" : "") + "f" + std::to_string(n) + ".bin";
  }
  fs::path HostFileOf(int n) const {
    return folders_ > 1 ? fs::path(FolderOf(n)) / ("f" + std::to_string(n) + ".bin")
                        : fs::path("f" + std::to_string(n) + ".bin");
  }

  int files_;
  int folders_;
  bench::ScratchPackageSystem scratch_;
  fs::path package_host_;
  fs::path program_;
};

// Numbers the install folders and copies of the whole run apart.
int round = 0;

// One package per shape, made when first needed and kept, with everything
// installed from it, until the run ends: ext4 skips inodes freed in the last
// half minute when it makes files, so a mass delete between two shapes
// would slow the next one's first rounds (engine and reference alike).
std::map<std::pair<int, int>, std::unique_ptr<Package>>& Packages() {
  static std::map<std::pair<int, int>, std::unique_ptr<Package>> packages;
  return packages;
}

Package& PackageFor(const benchmark::State& state) {
  auto& packages = Packages();
  const auto shape = std::make_pair(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  if (packages.find(shape) == packages.end()) {
    packages[shape] = std::make_unique<Package>(shape.first, shape.second);
  }
  return *packages[shape];
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

bool Install(Package& package, const std::string& folder) {
  DefaultPrompter prompter;
  NoLauncher launcher;
  EngineProgress progress;
  ActionLog log;
  const setup::SetupScript script = package.Script();
  SetupRun run{package.system(), prompter, log, launcher, progress, package.program(), "C:\\PKG\\", {}};
  InstallChoices choices;
  choices.install_folder_text = folder;
  const StepMaxima maxima = ComputeInstallMaxima(run, script, choices);
  return RunInstallEngine(run, script, choices, maxima) == EngineResult::kCompleted &&
         log.LinesOf("COPYFAIL").empty();
}

bool Uninstall(Package& package) {
  DefaultPrompter prompter;
  NoLauncher launcher;
  EngineProgress progress;
  ActionLog log;
  SetupRun run{package.system(), prompter, log, launcher, progress, package.program(), "C:\\PKG\\", {}};
  const StepMaxima maxima = ComputeUninstallMaxima(run, kProduct);
  return RunUninstallEngine(run, kProduct, false, maxima) == EngineResult::kCompleted;
}

bool Run(const char* const* argv) {
  pid_t pid = 0;
  int status = 0;
  return posix_spawnp(&pid, argv[0], nullptr, nullptr, const_cast<char* const*>(argv), environ) == 0 &&
         waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool CopyTree(const fs::path& from, const fs::path& to) {
  const std::string a = from.string(), b = to.string();
  const char* argv[] = {"cp", "-r", a.c_str(), b.c_str(), nullptr};
  return Run(argv);
}

// Flushes the files of a host folder to the disk.
bool Sync(const fs::path& folder) {
  const std::string path = folder.string();
  const char* argv[] = {"sync", "-f", path.c_str(), nullptr};
  return Run(argv);
}

// cp -r of the package; its copy then reaches the disk untimed, so that
// the engine's one flush at the end of its file step writes only what the
// engine wrote.
double TimedCopy(Package& package) {
  const fs::path to = package.HostCopy("cp" + std::to_string(++round));
  const auto start = Clock::now();
  if (!CopyTree(package.package_host(), to)) return -1;
  const double seconds = Seconds(Clock::now() - start);
  return Sync(to) ? seconds : -1;
}

// rm -r of a copy of the package that is on the disk, as an installation
// leaves its files: deleting a file whose data never reached the disk costs
// the file system far less.
double TimedRemove(Package& package) {
  const fs::path copy = package.HostCopy("rm" + std::to_string(++round));
  if (!CopyTree(package.package_host(), copy) || !Sync(copy)) return -1;
  const std::string path = copy.string();
  const char* argv[] = {"rm", "-r", path.c_str(), nullptr};
  const auto start = Clock::now();
  if (!Run(argv)) return -1;
  return Seconds(Clock::now() - start);
}

void Report(benchmark::State& state, const Package& package, double engine, double reference) {
  state.SetIterationTime(engine);
  state.counters["reference_ms"] = reference * 1000;
  state.counters["ratio"] = engine / reference;
  state.counters["us_per_file"] = engine * 1e6 / package.files();
}

void BM_Install(benchmark::State& state) {
  Package& package = PackageFor(state);
  for (auto _ : state) {
    const double reference = TimedCopy(package);
    const std::string folder = "C:\\Program Files\\Bench" + std::to_string(++round);
    const auto start = Clock::now();
    const bool installed = Install(package, folder);
    const double engine = Seconds(Clock::now() - start);
    if (!installed || reference <= 0) state.SkipWithError("install or cp -r failed");
    Report(state, package, engine, reference);
  }
}

// The same package again over a complete installation: every file is kept.
void BM_Rerun(benchmark::State& state) {
  Package& package = PackageFor(state);
  const std::string folder = "C:\\Program Files\\BenchRerun" + std::to_string(++round);
  if (!Install(package, folder)) state.SkipWithError("first install failed");
  for (auto _ : state) {
    const double reference = TimedCopy(package);
    const auto start = Clock::now();
    const bool installed = Install(package, folder);
    const double engine = Seconds(Clock::now() - start);
    if (!installed || reference <= 0) state.SkipWithError("install or cp -r failed");
    Report(state, package, engine, reference);
  }
}

void BM_Uninstall(benchmark::State& state) {
  Package& package = PackageFor(state);
  for (auto _ : state) {
    const std::string folder = "C:\\Program Files\\BenchU" + std::to_string(++round);
    if (!Install(package, folder)) state.SkipWithError("install failed");
    const double reference = TimedRemove(package);
    const auto start = Clock::now();
    const bool removed = Uninstall(package) && !package.system().files().Exists(folder);
    const double engine = Seconds(Clock::now() - start);
    if (!removed || reference <= 0) state.SkipWithError("uninstall or rm -r failed");
    Report(state, package, engine, reference);
  }
}

// The benchmarks of one kind for every shape, in a row.
void Register(const char* name, void (*bench)(benchmark::State&)) {
  const std::pair<int, int> shapes[] = {{1000, 1}, {10000, 1}, {10000, 100}, {100000, 1}};
  for (const auto& [files, folders] : shapes) {
    benchmark::RegisterBenchmark(name, bench)
        ->Args({files, folders})
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(files >= 100000 ? 2 : 5);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The uninstalls, which delete, come after every install and re-run.
  Register("BM_Install", BM_Install);
  Register("BM_Rerun", BM_Rerun);
  Register("BM_Uninstall", BM_Uninstall);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Packages().clear();
  return 0;
}
