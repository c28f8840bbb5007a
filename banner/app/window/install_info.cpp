#include "banner/app/window/install_info.h"

namespace plakato {

QString ProgramFolder(const QString& application_dir) {
  QString folder = application_dir;
  while (folder.size() > 1 && folder.endsWith('/')) folder.chop(1);
  return folder;
}

bool RecordInstallInfo(QSettings& store, const QString& application_dir, const ProgramVersion& version) {
  store.beginGroup("UpdateInfo");
  store.setValue("ApplicationPath", ProgramFolder(application_dir));
  store.setValue("CurrentVersion", QString::fromStdString(FormatInstallVersion(version)));
  store.endGroup();
  store.sync();
  return store.status() == QSettings::NoError && store.isWritable();
}

}  // namespace plakato
