#pragma once

#include <QApplication>
#include <QWidget>
#include <cstdlib>

namespace setup::window::testing {

// The one application object of the window tests, on the offscreen platform
// unless another one is asked for. Created on first use, so that listing the
// tests needs no display.
inline QApplication& TestApplication() {
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "setup_window_tests";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
  }();
  return *app;
}

template <typename T = QWidget>
T* Find(const QObject* root, const char* name) {
  return root->findChild<T*>(name);
}

}  // namespace setup::window::testing
