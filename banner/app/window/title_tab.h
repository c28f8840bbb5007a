#pragma once

#include <QWidget>
#include <array>

#include "banner/app/font_face_names.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace platform::ui {
class DialogService;
class UpDownControl;
}  // namespace platform::ui

namespace plakato {

class BannerEditor;
class ColorSwatch;

// The page "タイトル(&T)": title text, font, placement and the frame
// "文字色(&C)" with the title colours and the shadow.
class TitleTab : public QWidget {
  Q_OBJECT

 public:
  TitleTab(BannerEditor& editor, platform::ui::DialogService& dialogs);

  void Sync();
  // After the design's undo or redo the box's typing steps belong to a
  // design no longer shown.
  void ForgetTypingHistory();

 private:
  void BuildColourFrame();
  void PickColor(int index);
  void PickFont();
  // The box's own undo and redo while it has steps; otherwise the keys
  // reach the window's undo and redo of the design.
  bool eventFilter(QObject* watched, QEvent* event) override;

  BannerEditor& editor_;
  platform::ui::DialogService& dialogs_;
  QLineEdit* title_;
  QLabel* font_label_;
  QPushButton* select_font_;
  QComboBox* location_list_;
  QButtonGroup* options_;
  std::array<QLabel*, 3> color_labels_{};
  std::array<ColorSwatch*, 4> swatches_{};  // three title colours, then the shadow
  QComboBox* direction_list_;
  QCheckBox* shadow_;
  QComboBox* shadow_direction_list_;
  QLineEdit* offset_text_;
  platform::ui::UpDownControl* offset_;
  FontFaceNames face_names_ = FontFaceNames::LoadInstalled();
  bool box_history_ = false;  // the box is undoing or redoing its typing
};

}  // namespace plakato
