#pragma once

#include <QWidget>
#include <array>

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

 private:
  void BuildColourFrame();
  void PickColor(int index);
  void PickFont();

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
};

}  // namespace plakato
