// The install as the wizard window runs it against the same install without
// a window, on the package that bench_install measures (10,000 files of
// 4 KiB in 100 folders). Both drive one wizard model through its pages with
// the default answers and the real engines; the window (Qt, offscreen unless
// QT_QPA_PLATFORM says otherwise) shows its progress bars and processes its
// events as a user's would. Only the press of 開始 on page 9, which runs the
// engine, is timed. The two alternate, each into a new folder, so both see
// the same load; the medians and their ratio are printed.
//   bench_wizard_install [ROUNDS]

#include <QApplication>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "platform/atomic_file.h"
#include "platform/target_system/folder_system.h"
#include "setup/app/engine_binding.h"
#include "setup/app/window/browse_dialog.h"
#include "setup/app/window/target_file_session.h"
#include "setup/app/window/work_box.h"
#include "setup/wizard/model/wizard_model.h"
#include "setup/wizard/model/wizard_pages.h"

namespace {

namespace fs = std::filesystem;
using namespace setup;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 10000;
constexpr int kFolders = 100;
constexpr int kStartPage = 9;  // its Next (開始) runs the engine

using bench::DefaultPrompter;
using bench::NoLauncher;

class NoFolders : public window::FolderPicker {
 public:
  bool Run(window::BrowseSession&, window::BrowseItem*) override { return false; }
  std::optional<std::string> ChooseFile(window::TargetFileSession&) override { return std::nullopt; }
};

// A target system with the package in C:\PKG: 4 KiB files and a script
// whose install folder each round sets anew.
class Package {
 public:
  Package() : scratch_("bench-wizard"), host_(scratch_.package_host()) {
    const std::string block(4096, 'k');
    for (int n = 1; n <= kFiles; ++n) {
      const std::string folder = "d" + std::to_string(n % kFolders);
      fs::create_directories(host_ / folder);
      std::ofstream(host_ / folder / ("f" + std::to_string(n) + ".bin"), std::ios::binary) << block;
      files_ += "NewFile" + std::to_string(n) + "=<Setup>\\" + folder + "\\f" + std::to_string(n) +
                ".bin\nFile" + std::to_string(n) + "=" + folder + "\\f" + std::to_string(n) + ".bin\n";
    }
    program_ = scratch_.root() / "Setup-program";
    if (!platform::WriteFileAtomically(program_, "program").ok()) std::abort();
  }

  // The script, installing into folder as a product of its own (the
  // wizard proposes the folder of a product installed before, where every
  // file would be kept).
  SetupScript Script(const std::string& folder, const std::string& key) const {
    const std::string script =
        "[Define]\nApplication=kestro Setup 1.00\nName=Bench\n[Install]\nUse=1\nDefault=" + folder +
        "\n[Uninstall]\nKeyName=" + key + "\nUse=1\n[File]\nCount=" + std::to_string(kFiles) + "\n" + files_;
    if (!platform::WriteFileAtomically(host_ / "Setup.dat", script).ok()) std::abort();
    return SetupScript(host_ / "Setup.dat");
  }
  platform::target::FolderSystem& system() { return scratch_.system(); }
  const fs::path& program() const { return program_; }

 private:
  bench::ScratchPackageSystem scratch_;
  fs::path host_;
  fs::path program_;
  std::string files_;
};

// One install through the model; press(model) presses Next. Seconds of the
// press on the start page, or a negative number when the install did not
// end on its done page.
template <typename Press>
double TimedInstall(wizard::WizardModel& model, Press press) {
  double seconds = -1;
  for (int presses = 0; presses < 20 && model.page() >= 2 && model.page() < wizard::kInstallDonePage;
       ++presses) {
    const bool starts = model.page() == kStartPage;
    const auto start = Clock::now();
    press();
    if (starts) seconds = std::chrono::duration<double>(Clock::now() - start).count();
  }
  return model.page() == wizard::kInstallDonePage ? seconds : -1;
}

// What one install needs around the wizard model, with the progress the
// model reports to.
template <typename Progress>
struct BenchRun {
  BenchRun(Package& package, const std::string& folder, const std::string& key)
      : script(package.Script(folder, key)),
        run{package.system(), prompter, log, launcher, progress, package.program(), "C:\\PKG\\", {}},
        engines(run, script) {}

  DefaultPrompter prompter;
  NoLauncher launcher;
  Progress progress;
  wizard::ActionLog log;
  const SetupScript script;
  wizard::SetupRun run;
  app::EngineBinding engines;
};

double Unattended(Package& package, const std::string& folder, const std::string& key) {
  BenchRun<wizard::EngineProgress> bench(package, folder, key);
  wizard::WizardModel model(bench.run, wizard::WizardStart::Setup(bench.script), bench.engines);
  model.FormShow();
  if (model.timer_armed()) model.Timer1Timer();
  return TimedInstall(model, [&] { model.Button2Click(); });
}

double Windowed(Package& package, const std::string& folder, const std::string& key) {
  BenchRun<window::WorkBoxProgress> bench(package, folder, key);
  window::LabelWidthMeasure measure;
  wizard::WizardModel model(bench.run, wizard::WizardStart::Setup(bench.script), bench.engines, &measure);
  NoFolders folders;
  window::TWorkBox box(model, package.system(), folders);
  bench.progress.Attach(&box);
  box.Start();
  box.show();
  // The start checks' timer, and the first paint.
  for (const auto until = Clock::now() + std::chrono::milliseconds(50); Clock::now() < until;) {
    QApplication::processEvents();
  }
  auto* next = qobject_cast<QPushButton*>(box.Widget(wizard::Control::kButton2));
  if (next == nullptr) std::abort();
  const double seconds = TimedInstall(model, [&] {
    next->click();
    QApplication::processEvents();
  });
  bench.progress.Attach(nullptr);
  box.hide();
  return seconds;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

}  // namespace

// Nine rounds by default: the window adds a few per cent, less than one
// round differs from the next.
int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  Package package;
  std::vector<double> unattended, windowed;
  for (int round = 1; round <= rounds; ++round) {
    const std::string n = std::to_string(round);
    const double a = Unattended(package, "C:\\Program Files\\Unattended" + n, "BenchUnattended" + n);
    const double b = Windowed(package, "C:\\Program Files\\Windowed" + n, "BenchWindowed" + n);
    if (a < 0 || b < 0) {
      std::fprintf(stderr, "round %d: an install did not complete\n", round);
      return 1;
    }
    std::printf("round %d: unattended %.3f s, window %.3f s\n", round, a, b);
    unattended.push_back(a);
    windowed.push_back(b);
  }
  const double a = Median(unattended), b = Median(windowed);
  std::printf("median of %d: unattended %.3f s, window %.3f s, ratio %.2f\n", rounds, a, b, b / a);
  return 0;
}
