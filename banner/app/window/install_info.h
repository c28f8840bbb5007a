#pragma once

#include <QSettings>
#include <QString>

#include "banner/app/window/startup_rules.h"

namespace plakato {

// The folder of the program file without a trailing separator (the root
// folder stays "/").
QString ProgramFolder(const QString& application_dir);

// Writes ApplicationPath and CurrentVersion into the group UpdateInfo of the
// per-user application settings, replacing earlier values. False when the
// store could not be written.
bool RecordInstallInfo(QSettings& store, const QString& application_dir,
                       const ProgramVersion& version = kProgramVersion);

}  // namespace plakato
