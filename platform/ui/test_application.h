#pragma once

#include <QApplication>
#include <QWidget>
#include <cstdlib>

namespace platform::ui::testing {

// The one application object of a widget test program, on the offscreen
// platform unless another one is asked for. Created on first use, so that
// listing the tests needs no display; configure (when given) runs once, on
// the new object.
inline QApplication& TestApplication(void (*configure)(QApplication&) = nullptr) {
  static QApplication* app = [configure] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "widget_tests";
    static char* argv[] = {name, nullptr};
    auto* created = new QApplication(argc, argv);
    if (configure) configure(*created);
    return created;
  }();
  return *app;
}

template <typename T = QWidget>
T* Find(const QObject* root, const char* name) {
  return root->findChild<T*>(name);
}

}  // namespace platform::ui::testing
