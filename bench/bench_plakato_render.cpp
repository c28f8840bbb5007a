// The whole plakato-render process on an example design, from exec to exit,
// and, when ImageMagick's convert is installed, convert drawing the same kind
// of banner (gradient, fitted label, offset shadow, -raise) for comparison.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

bool Run(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 0, 0);
  pid_t pid = 0;
  int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string OutputPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void BM_PlakatoRenderProcess(benchmark::State& state) {
  const std::string exe = PLAKATO_RENDER_EXE;
  const std::string settings = std::string(PLAKATO_EXAMPLES_DIR) + "/welcome.pkc";
  const std::string out = OutputPath("bench-plakato-render.png");
  for (auto _ : state) {
    if (!Run({exe, settings, out})) state.SkipWithError("plakato-render failed");
  }
  std::filesystem::remove(out);
}
BENCHMARK(BM_PlakatoRenderProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImageMagickConvertProcess(benchmark::State& state) {
  const std::string out = OutputPath("bench-convert.png");
  const std::vector<std::string> args = {"convert",
                                         "-size",
                                         "234x60",
                                         "gradient:#FFE0B0-#B0E0FF",
                                         "(",
                                         "-size",
                                         "164x42",
                                         "-background",
                                         "none",
                                         "-fill",
                                         "#C0C0C0",
                                         "label:Plakato",
                                         "-repage",
                                         "+37+11",
                                         ")",
                                         "(",
                                         "-size",
                                         "164x42",
                                         "-background",
                                         "none",
                                         "-fill",
                                         "#000080",
                                         "label:Plakato",
                                         "-repage",
                                         "+35+9",
                                         ")",
                                         "-flatten",
                                         "-raise",
                                         "3",
                                         out};
  if (!Run(args)) {
    state.SkipWithError("ImageMagick convert is not installed");
    return;
  }
  for (auto _ : state) Run(args);
  std::filesystem::remove(out);
}
BENCHMARK(BM_ImageMagickConvertProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
