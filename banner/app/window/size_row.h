#pragma once

#include <QObject>

class QComboBox;

namespace plakato {

class BannerEditor;
class ValidatingLineEdit;

// The top row of the main window: the size list and the two user-size boxes,
// placed directly on the window.
class SizeRow : public QObject {
  Q_OBJECT

 public:
  SizeRow(QWidget* window, BannerEditor& editor);

  // Shows the editor's state without triggering any handler.
  void Sync();

 private:
  BannerEditor& editor_;
  QComboBox* size_list_;
  ValidatingLineEdit* width_box_;
  ValidatingLineEdit* height_box_;
};

}  // namespace plakato
