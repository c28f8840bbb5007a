#pragma once

#include <QDialog>

#include "platform/ui/dialog_service.h"

class QCheckBox;
class QLabel;
class QListWidget;

namespace platform::ui {

// Face and style of a font, its size shown but fixed. Bold and italic are
// flags, offered for every face (drawn synthetically where a face has no
// such style), so a Japanese face with only a regular style can still be
// bold. OK without a change gives back exactly what was asked for.
class FontDialog : public QDialog {
  Q_OBJECT

 public:
  FontDialog(const FontRequest& request, QWidget* owner);

  FontChoice choice() const;

 private:
  void ShowSample();

  FontRequest request_;
  int start_row_ = -1;
  QListWidget* faces_;
  QCheckBox* bold_;
  QCheckBox* italic_;
  QLabel* sample_;
};

}  // namespace platform::ui
