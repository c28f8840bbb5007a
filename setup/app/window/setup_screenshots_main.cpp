// Screenshots of Setup's windows for the documentation and for looking at
// every page: the background, each wizard page of an installation of the
// example package, the uninstallation and the clean-up question, on a fresh
// target system in a temporary folder. Usage: setup-screenshots OUT_FOLDER
// [EXAMPLE_PACKAGE_FOLDER].
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/cp932.h"
#include "platform/ui/scripted_dialogs.h"
#include "setup/app/default_answer_prompter.h"
#include "setup/app/engine_binding.h"
#include "setup/app/host_program_launcher.h"
#include "setup/app/window/backgrd_form.h"
#include "setup/app/window/folder_browser.h"
#include "setup/app/window/windows_fonts.h"
#include "setup/app/window/work_box.h"

namespace fs = std::filesystem;
using namespace setup;

namespace {

// The background of the screenshots: a blue fade with captions in both
// corners.
constexpr const char* kBackground =
    "\r\n[Background]\r\nWay=2\r\nRed=0\r\nGreen=40\r\nBlue=0\r\n"
    "Caption1=Hello kestro\r\nSize1=40\r\nCaption2=サンプル製品\r\nSize2=20\r\nItalic2=0\r\n"
    "Caption4=Version 1.00\r\nSize4=14\r\nItalic4=0\r\nColor4=16777215\r\n"
    "Caption6=(C) kestro sample\r\nSize6=12\r\nBold6=0\r\nItalic6=0\r\nColor6=16777215\r\n";

// Grabs the wizard once in the middle of the first step of an engine.
class GrabbingProgress : public window::WorkBoxProgress {
 public:
  std::function<void()> on_first_item;
  void Advanced(int step) override {
    WorkBoxProgress::Advanced(step);
    if (on_first_item) {
      std::function<void()> grab = std::move(on_first_item);
      on_first_item = nullptr;
      grab();
    }
  }
};

void Save(const QPixmap& pixmap, const fs::path& file) {
  pixmap.save(QString::fromStdString(file.string()), "PNG");
  std::cout << file.string() << "\n";
}

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: setup-screenshots OUT_FOLDER [EXAMPLE_PACKAGE_FOLDER]\n";
    return 2;
  }
  QApplication app(argc, argv);
  app.setFont(window::DialogFont());
  const fs::path out = argv[1];
  const fs::path package = argc > 2 ? fs::path(argv[2]) : fs::path(PLAKATO_SOURCE) / "examples/setup-package";
  fs::create_directories(out);
  const fs::path temp = fs::temp_directory_path() / ("setup-screenshots-" + std::to_string(::getpid()));
  std::unique_ptr<platform::target::FolderSystem> system;
  if (!platform::target::FolderSystem::Create(temp / "system", {}, &system).ok()) {
    std::cerr << "cannot make a target system in " << temp << "\n";
    return 1;
  }
  // The package in C:\PKG, its script with a background added.
  fs::path host_package;
  if (!system->files().CreateFolderTree("C:\\PKG").ok() ||
      !system->drives().ToHostPath("C:\\PKG", &host_package).ok()) {
    return 1;
  }
  for (const auto& entry : fs::directory_iterator(package))
    fs::copy(entry.path(), host_package / entry.path().filename());
  std::ofstream(host_package / "Setup.dat", std::ios::app | std::ios::binary)
      << platform::Utf8ToCp932(kBackground);
  const SetupScript script(host_package / "Setup.dat");

  std::ostringstream messages;
  wizard::ActionLog log;
  app::DefaultAnswerPrompter prompter(messages, wizard::Answer::kAbort);
  app::HostProgramLauncher launcher(*system, log, true);
  GrabbingProgress progress;
  platform::ui::testing::ScriptedDialogs dialogs;
  window::QtFolderPicker folders(nullptr);
  wizard::SetupRun run{*system, prompter, log, launcher, progress, {}, "C:\\PKG\\", {}};

  window::TBackgrdForm background;
  background.Paint(script, system->drives(), QSize(1024, 768));
  background.image().save(QString::fromStdString((out / "setup-background.png").string()), "PNG");

  auto page_file = [&](int page) {
    return out / ("setup-page" + std::string(page < 10 ? "0" : "") + std::to_string(page) + ".png");
  };
  auto drive = [&](wizard::WizardStart start, int last_page) {
    app::EngineBinding engines(run, script);
    window::LabelWidthMeasure measure;
    wizard::WizardModel model(run, std::move(start), engines, &measure);
    window::TWorkBox box(model, *system, folders);
    progress.Attach(&box);
    box.Start();
    box.show();
    Settle();
    for (int guard = 0; guard < 20 && box.isVisible(); ++guard) {
      const int page = model.page();
      if (page == 4 && static_cast<QLineEdit*>(box.Widget(wizard::Control::kEdit401))->text().isEmpty()) {
        model.SetText(wizard::Control::kEdit401, "山田 太郎");
        box.Refresh();
      }
      Settle();
      Save(box.grab(), page_file(page));
      if (page == 2 && model.mode() == wizard::WizardMode::kSetup) {
        // The wizard over the background, as the user sees it first.
        QPixmap whole = QPixmap::fromImage(background.image());
        QPainter painter(&whole);
        painter.drawPixmap((whole.width() - box.width()) / 2, (whole.height() - box.height()) / 2,
                           box.grab());
        painter.end();
        Save(whole, out / "setup-wizard.png");
      }
      if (page >= last_page || model.page() <= 1) break;
      const int engine_page = page == 9 ? 10 : page == 12 ? 13 : 0;
      if (engine_page) {
        progress.on_first_item = [&, engine_page] {
          Settle();
          Save(box.grab(), page_file(engine_page));
        };
      }
      static_cast<QPushButton*>(box.Widget(wizard::Control::kButton2))->click();
      Settle();
      if (model.page() == page) break;  // refused
    }
    progress.Attach(nullptr);
    if (model.mode() == wizard::WizardMode::kCleanUp) Save(box.grab(), out / "setup-cleanup.png");
  };
  drive(wizard::WizardStart::Setup(script), 11);
  drive(wizard::WizardStart::Uninstall("HelloKestro"), 14);
  drive(wizard::WizardStart::CleanUp("C:\\PKG", script), 0);
  std::error_code ignored;
  fs::remove_all(temp, ignored);
  if (!messages.str().empty()) std::cerr << messages.str();
  return 0;
}
