#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "banner/app/window/chooser_geometry.h"
#include "banner/render/bitmap.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace platform::ui {
class DialogService;
class QtDialogService;
}  // namespace platform::ui

namespace plakato {

class CutOutFrame;

// The background image chooser: shows an image scaled into its display box
// with a banner-sized frame at the same scale, lets the user drag the frame,
// and on OK cuts that part out of the full-size image.
class ImageChooser : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 366;
  static constexpr int kClientHeight = 252;

  // stored_file is the main window's background image file: when it names an
  // existing file the chooser opens showing it. dialogs may be null: the
  // chooser then uses its own file dialog.
  ImageChooser(QWidget* owner, const std::string& stored_file, int banner_width, int banner_height,
               platform::ui::DialogService* dialogs);
  ~ImageChooser() override;

  // Results after OK.
  const std::string& file_name() const { return file_name_; }
  int clip_x() const { return clip_x_; }
  int clip_y() const { return clip_y_; }
  const std::optional<Bitmap>& cut_out() const { return cut_out_; }

  const ChooserGeometry& geometry_model() const { return geometry_; }

  // Loads and shows a picture; a picture that cannot be loaded is reported
  // and the chooser stays as it was. False in that case.
  bool FitPictureToBox(const std::string& path);
  void Browse();

 private:
  void PlaceImageAndFrame();
  void BeginDrag(QPoint press);
  void MoveOutline(QPoint pointer);
  void Drop(QPoint pointer);
  void AcceptCutOut();

  std::unique_ptr<platform::ui::QtDialogService> own_dialogs_;
  platform::ui::DialogService* dialogs_;
  int banner_width_;
  int banner_height_;
  ChooserGeometry geometry_;
  Bitmap full_image_;  // the chosen image at its own size
  QPointF grab_;       // the press point inside the frame
  QLineEdit* file_box_;
  QLabel* image_view_;
  CutOutFrame* frame_;
  QWidget* outline_;
  QPushButton* ok_;

  std::string file_name_;
  int clip_x_ = 0;
  int clip_y_ = 0;
  std::optional<Bitmap> cut_out_;
};

}  // namespace plakato
