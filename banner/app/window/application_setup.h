#pragma once

#include <QIcon>

class QApplication;

namespace plakato {

// The application-wide look: a Japanese-capable dialog font, the toolkit's
// Japanese translations where installed, the program icon.
void ConfigureApplication(QApplication& app);

// The program's icon, drawn: a small banner with a "P".
QIcon ProgramIcon();

}  // namespace plakato
