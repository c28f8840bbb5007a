#pragma once

#include <QWidget>
#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace platform::ui {
class DialogService;
}  // namespace platform::ui

namespace plakato {

class BannerEditor;
class ColorSwatch;

// The page "背景(&B)": background option, colours, gradient direction, image
// button and the button look.
class BackgroundTab : public QWidget {
  Q_OBJECT

 public:
  BackgroundTab(BannerEditor& editor, platform::ui::DialogService& dialogs,
                std::function<void()> choose_image);

  void Sync();

 private:
  void PickColor(int index);

  BannerEditor& editor_;
  platform::ui::DialogService& dialogs_;
  QButtonGroup* options_;
  std::array<QLabel*, 3> color_labels_{};
  std::array<ColorSwatch*, 3> swatches_{};
  QComboBox* direction_list_;
  QPushButton* select_image_;
  QCheckBox* buttonize_;
};

}  // namespace plakato
