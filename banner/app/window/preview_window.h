#pragma once

#include <QWidget>

#include "banner/render/bitmap.h"

namespace plakato {

class PreviewBox;

// The separate preview window: no controls, its inside exactly the banner.
class PreviewWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDesignedWidth = 242;
  static constexpr int kDesignedHeight = 116;

  explicit PreviewWindow(QWidget* owner);

  // Sizes the inside to the banner and shows it.
  void ShowBanner(const Bitmap& banner);
  // Shows the window centred on its owner.
  void ShowCentred();
  PreviewBox* box() const { return box_; }

 signals:
  void closedByUser();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  PreviewBox* box_;
};

}  // namespace plakato
