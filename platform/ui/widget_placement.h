#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

namespace platform::ui {

// Small helpers that place a control the way the window is designed: by
// object name, position and size in pixels.

inline constexpr int kListHeight = 20;  // drop-down lists take the font's height

template <typename W>
W* Place(W* widget, const char* name, int x, int y, int width = -1, int height = -1) {
  widget->setObjectName(name);
  if (width < 0 || height < 0) {
    widget->adjustSize();
    if (width < 0) width = widget->width();
    if (height < 0) height = widget->height();
  }
  widget->setGeometry(x, y, width, height);
  return widget;
}

// A label whose access key moves the focus to its buddy.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y,
                  QWidget* buddy = nullptr);

// The colour of a label's text: the labels of colours in use are red.
void SetLabelRed(QLabel* label, bool red);
bool IsLabelRed(const QLabel* label);

}  // namespace platform::ui
