#include "setup/app/window/qt_front.h"

#include <QApplication>
#include <QEventLoop>
#include <QLibraryInfo>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <cstdlib>

#include "platform/ui/qt_dialog_service.h"
#include "setup/app/exit_status.h"
#include "setup/app/window/backgrd_form.h"
#include "setup/app/window/folder_browser.h"
#include "setup/app/window/windows_fonts.h"
#include "setup/wizard/model/wizard_pages.h"

namespace setup::window {
namespace {

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

void ConfigureSetupApplication(QApplication& app) {
  app.setApplicationName(
      QString::fromUtf8(wizard::kSetupTitle.data(), static_cast<qsizetype>(wizard::kSetupTitle.size())));
  app.setFont(DialogFont());
  // The toolkit's own texts (context menus of the edit boxes) in Japanese.
  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(QLocale::Japanese), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(translator);
  }
}

}  // namespace

QtFront::QtFront(app::ProgramMode mode) : mode_(mode) {
  prompter_ = MakeQtPrompter([this] { return owner_.data(); });
}

int QtFront::ShowWizard(wizard::WizardModel& model) {
  platform::target::TargetSystem& system = model.run().system;
  // Setup mode covers the screen with the painted background; uninstall
  // and clean-up show the wizard alone.
  std::unique_ptr<TBackgrdForm> background;
  if (model.mode() == wizard::WizardMode::kSetup) {
    background = std::make_unique<TBackgrdForm>();
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    background->Paint(model.script(), system.drives(), area.size());
    background->ShowCovering(area);
    owner_ = background.get();
  }
  platform::ui::QtDialogService dialogs(background.get(), {std::string(wizard::kSetupTitle)});
  QtFolderPicker folders(nullptr);
  TWorkBox box(model, system, folders, background.get());
  progress_.Attach(&box);
  prompter_->set_before_showing([&box] { box.Refresh(); });

  QEventLoop loop;
  QTimer::singleShot(1, &box, [&] {
    owner_ = &box;
    box.Start();
    box.exec();
    loop.quit();
  });
  loop.exec();

  prompter_->set_before_showing(nullptr);
  progress_.Attach(nullptr);
  owner_ = nullptr;
  if (background) background->close();
  return WizardExitStatus(model.mode(), box.furthest_page(), model.run().log.leftovers());
}

bool HasDisplay() { return Set("QT_QPA_PLATFORM") || Set("DISPLAY") || Set("WAYLAND_DISPLAY"); }

app::FrontFactory QtFrontFactory(int& argc, char** argv) {
  return [&argc, argv](const app::FrontRequest& request) -> std::unique_ptr<app::ProgramFront> {
    if (!HasDisplay()) {
      request.err << "Setup: no display to show the windows on; run it with /silent for the unattended "
                     "mode (every question takes its default answer)\n";
      return nullptr;
    }
    if (QApplication::instance() == nullptr) {
      static QApplication* app = new QApplication(argc, argv);
      ConfigureSetupApplication(*app);
    }
    return std::make_unique<QtFront>(request.mode);
  };
}

}  // namespace setup::window
