#pragma once

#include <QApplication>
#include <QWidget>
#include <cstdlib>

#include "banner/app/window/application_setup.h"

namespace plakato::testing {

// The one application object of the widget tests, on the offscreen platform
// unless another one is asked for. Created on first use, so that listing the
// tests needs no display.
inline QApplication& TestApplication() {
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "banner_window_tests";
    static char* argv[] = {name, nullptr};
    auto* created = new QApplication(argc, argv);
    ConfigureApplication(*created);
    return created;
  }();
  return *app;
}

template <typename T = QWidget>
T* Find(const QObject* root, const char* name) {
  return root->findChild<T*>(name);
}

}  // namespace plakato::testing
