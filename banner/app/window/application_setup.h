#pragma once

#include <QIcon>
#include <string>

class QApplication;

namespace plakato {

// The application-wide look: a Japanese-capable dialog font, the toolkit's
// Japanese translations where installed, the program icon.
void ConfigureApplication(QApplication& app);

// The program's icon, drawn: a small banner with a "P".
QIcon ProgramIcon();

// The program's icon (document false) or the settings files' icon (a page
// with the banner on it) at a pixel size, as PNG bytes.
std::string IconPng(int size, bool document);

}  // namespace plakato
