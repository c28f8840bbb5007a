#pragma once

#include <QObject>

class QComboBox;

namespace platform::ui {
class ValidatingLineEdit;
}  // namespace platform::ui

namespace plakato {

class BannerEditor;

// The top row of the main window: the size list and the two user-size boxes,
// placed directly on the window.
class SizeRow : public QObject {
  Q_OBJECT

 public:
  SizeRow(QWidget* window, BannerEditor& editor);

  // Shows the editor's state without triggering any handler.
  void Sync();

 signals:
  // A shortcut did nothing because a user-size box holds no usable size.
  void shortcutRefused();

 private:
  BannerEditor& editor_;
  QComboBox* size_list_;
  platform::ui::ValidatingLineEdit* width_box_;
  platform::ui::ValidatingLineEdit* height_box_;
};

}  // namespace plakato
