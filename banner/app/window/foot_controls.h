#pragma once

#include <QObject>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace plakato {

class PreviewBox;

// The foot of the main window: the file buttons, the version label, the
// separator, the preview box and the separate-window check box, placed
// directly on the window.
class FootControls : public QObject {
  Q_OBJECT

 public:
  struct Handlers {
    std::function<void()> load_settings;
    std::function<void()> save_settings;
    std::function<void()> save_image;
    std::function<void(bool)> open_preview;
  };

  FootControls(QWidget* window, Handlers handlers);

  PreviewBox* preview() const { return preview_; }
  QScrollArea* preview_area() const { return preview_area_; }
  QLabel* version_label() const { return version_; }
  void SetOpenPreviewChecked(bool checked);

 private:
  PreviewBox* preview_;
  QScrollArea* preview_area_;
  QLabel* version_;
  QCheckBox* open_preview_;
};

}  // namespace plakato
