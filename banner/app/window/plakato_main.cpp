// Plakato, the banner maker.
#include <QApplication>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

#include "banner/app/window/application_setup.h"
#include "banner/app/window/desktop_registration.h"
#include "banner/app/window/main_window.h"

namespace {

// Runs a desktop database tool when it is installed, and waits for it.
void RunToolIfPresent(const std::string& tool, const std::vector<std::string>& arguments) {
  const QString program = QStandardPaths::findExecutable(QString::fromStdString(tool));
  if (program.isEmpty()) return;
  QStringList list;
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  QProcess process;
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  process.start(program, list);
  process.waitForFinished(30000);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  plakato::ConfigureApplication(app);

  plakato::MainWindow window(
      std::make_unique<plakato::BannerEditor>(plakato::BannerRenderer::CreateDefault()), nullptr);
  QSettings install_store(QSettings::NativeFormat, QSettings::UserScope, "Plakato", "Plakato");
  plakato::DocumentTypeRegistrar registrar(plakato::XdgDataDirsFromEnvironment(),
                                           QCoreApplication::applicationFilePath().toStdString(),
                                           RunToolIfPresent);
  registrar.SetIconPainter(plakato::IconPng);
  plakato::StartupContext context;
  context.install_store = &install_store;
  context.application_dir = QCoreApplication::applicationDirPath();
  context.registrar = &registrar;
  context.arguments.assign(argv, argv + argc);
  window.FormLoad(context);
  window.show();
  return app.exec();
}
