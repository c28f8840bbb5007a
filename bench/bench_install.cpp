// The install engine on a package of 10,000 files of 4 KiB in 100 folders
// with 200 registry entries and the matching uninstall list, against `cp -r`
// of the same package folder on the same disk. Each round installs into a
// new folder; the folders are removed only with the package at the end, because
// creating thousands of files right after deleting thousands costs the file
// system far more than either alone, and would measure that instead.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/atomic_file.h"
#include "platform/target_system/folder_system.h"
#include "platform/testing/temp_dir.h"
#include "setup/core/setup_script.h"
#include "setup/wizard/engine/install_engine.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace setup::wizard;

constexpr int kFiles = 10000;
constexpr int kFolders = 100;
constexpr int kRegistryEntries = 200;

std::string FolderOf(int n) { return "d" + std::to_string(n % kFolders); }
std::string FileOf(int n) { return FolderOf(n) + "\\f" + std::to_string(n) + ".bin"; }

class DefaultPrompter : public Prompter {
 public:
  Answer Ask(const Message& message) override { return message.default_answer; }
};

class NoLauncher : public ProgramLauncher {
 public:
  bool Start(std::string_view, std::string_view) override { return false; }
  bool RunAndWait(std::string_view, EngineProgress&) override { return false; }
  void RestartWindows() override {}
};

// A target system with the package in C:\PKG and its script.
class Package {
 public:
  Package() {
    platform::target::InitOptions options;
    options.user_name = "taro";
    if (!platform::target::FolderSystem::Create(root_ / "system", options, &system_).ok()) std::abort();
    const auto& files = system_->files();
    const std::string block(4096, 'k');
    std::string script =
        "[Define]\nApplication=kestro Setup 1.00\nName=Bench\n[Uninstall]\nKeyName=Bench\nUse=1\n"
        "[File]\nCount=" + std::to_string(kFiles) + "\n";
    std::string un_file = "[UnFile]\nCount=" + std::to_string(kFiles) + "\n";
    for (int f = 0; f < kFolders; ++f) {
      if (!files.CreateFolderTree("C:\\PKG\\" + FolderOf(f)).ok()) std::abort();
    }
    for (int n = 1; n <= kFiles; ++n) {
      if (!files.WriteFile("C:\\PKG\\" + FileOf(n), block).ok()) std::abort();
      script += "NewFile" + std::to_string(n) + "=<Setup>\\" + FileOf(n) + "\nFile" +
                std::to_string(n) + "=" + FileOf(n) + "\n";
      un_file += "File" + std::to_string(n) + "=<Setup>\\" + FileOf(n) + "\n";
    }
    script += "[Registry]\nCount=" + std::to_string(kRegistryEntries) + "\n";
    for (int n = 1; n <= kRegistryEntries; ++n) {
      const std::string i = std::to_string(n);
      script += "Key" + i + "=HKEY_LOCAL_MACHINE\\Software\\Bench\\Key" + std::to_string(n % 10) +
                "\nName" + i + "=Value" + i + "\nData" + i + "=C:\\Program Files\\Bench\\" + i + "\n";
    }
    script += un_file;
    if (!files.WriteFile("C:\\PKG\\Setup.dat", script).ok()) std::abort();
    if (!system_->drives().ToHostPath("C:\\PKG", &package_host_).ok()) std::abort();
    program_ = root_ / "Setup-program";
    if (!platform::WriteFileAtomically(program_, "program")) std::abort();
  }
  platform::target::TargetSystem& system() { return *system_; }
  const fs::path& package_host() const { return package_host_; }
  const fs::path& program() const { return program_; }
  setup::SetupScript Script() const { return setup::SetupScript(package_host_ / "Setup.dat"); }
  // A host folder beside the package for cp -r, on the same disk.
  fs::path CopyTarget(int round) const { return package_host_.parent_path() / ("cp" + std::to_string(round)); }

 private:
  // Removed last, after the target system is closed.
  const platform::testing::TempDir scratch_{"bench-install"};
  const fs::path root_ = scratch_.path();
  fs::path package_host_;
  fs::path program_;
  std::unique_ptr<platform::target::FolderSystem> system_;
};

// Numbers the install folders and copies of the whole run apart.
int round = 0;

Package& SharedPackage() {
  static Package package;
  return package;
}

// Runs the engine with the given steps; only_files keeps the other bars at 0.
void RunInstall(benchmark::State& state, bool only_files) {
  Package& package = SharedPackage();
  DefaultPrompter prompter;
  NoLauncher launcher;
  EngineProgress progress;
  const setup::SetupScript script = package.Script();
  for (auto _ : state) {
    ActionLog log;
    SetupRun run{package.system(), prompter, log, launcher, progress, package.program(), "C:\\PKG\\", {}};
    InstallChoices choices;
    choices.install_folder_text = "C:\\Program Files\\Bench" + std::to_string(++round);
    StepMaxima maxima = ComputeInstallMaxima(run, script, choices);
    if (only_files) maxima = {maxima[kFilesStep], 0, 0, 0, 0};
    if (RunInstallEngine(run, script, choices, maxima) != EngineResult::kCompleted ||
        log.LinesOf("COPY").size() != kFiles) {
      state.SkipWithError("install failed");
      return;
    }
  }
}

void BM_InstallWhole(benchmark::State& state) { RunInstall(state, false); }
void BM_InstallCopyStep(benchmark::State& state) { RunInstall(state, true); }

double Milliseconds(const struct rusage& usage) {
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// cp -r of the package folder as a process; cp_cpu_ms is its processor time.
void BM_CpR(benchmark::State& state) {
  Package& package = SharedPackage();
  for (auto _ : state) {
    const std::string from = package.package_host().string();
    const std::string to = package.CopyTarget(++round).string();
    const char* argv[] = {"cp", "-r", from.c_str(), to.c_str(), nullptr};
    struct rusage before {};
    getrusage(RUSAGE_CHILDREN, &before);
    pid_t pid = 0;
    int status = 0;
    if (posix_spawnp(&pid, "cp", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0 ||
        waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("cp -r failed");
      return;
    }
    struct rusage after {};
    getrusage(RUSAGE_CHILDREN, &after);
    state.counters["cp_cpu_ms"] = Milliseconds(after) - Milliseconds(before);
  }
}

BENCHMARK(BM_CpR)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);
BENCHMARK(BM_InstallCopyStep)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);
BENCHMARK(BM_InstallWhole)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);

}  // namespace

BENCHMARK_MAIN();
