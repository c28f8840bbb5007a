#include "platform/ui/widget_placement.h"

#include <QPalette>

namespace platform::ui {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  if (buddy) label->setBuddy(buddy);
  return Place(label, name, x, y);
}

void SetLabelRed(QLabel* label, bool red) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, red ? QColor(255, 0, 0) : QColor(0, 0, 0));
  label->setPalette(palette);
}

bool IsLabelRed(const QLabel* label) {
  return label->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
}

}  // namespace platform::ui
