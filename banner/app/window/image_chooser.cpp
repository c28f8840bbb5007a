#include "banner/app/window/image_chooser.h"

#include "banner/app/error_texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <filesystem>

#include "banner/app/picture_codecs.h"
#include "banner/app/window/bitmap_image.h"
#include "banner/app/window/cut_out_frame.h"
#include "banner/app/window/window_texts.h"
#include "banner/render/nearest.h"
#include "platform/ui/qt_dialog_service.h"
#include "platform/ui/widget_placement.h"

namespace plakato {

using platform::ui::DialogService;
using platform::ui::FileDialogRequest;
using platform::ui::Place;
using platform::ui::QtDialogService;

namespace {

QRect Rounded(const ChooserRect& r) {
  // At least one pixel, so that a very thin image or frame stays visible.
  return QRect(Nearest(r.left), Nearest(r.top), std::max(1, Nearest(r.width)),
               std::max(1, Nearest(r.height)));
}

}  // namespace

ImageChooser::ImageChooser(QWidget* owner, const std::string& stored_file, int banner_width,
                           int banner_height, DialogService* dialogs)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      banner_width_(banner_width),
      banner_height_(banner_height) {
  if (!dialogs) {
    own_dialogs_ = std::make_unique<QtDialogService>(this, platform::ui::MessageBoxTexts{kApplicationTitle});
    dialogs = own_dialogs_.get();
  }
  dialogs_ = dialogs;
  setObjectName("frmImage");
  setWindowTitle("画像の指定");
  setModal(true);
  setFixedSize(kClientWidth, kClientHeight);

  file_box_ = Place(new QLineEdit(this), "txtFileName", 3, 3, 278, 21);
  file_box_->setReadOnly(true);
  browse_ = Place(new QPushButton("参照...", this), "cmdBrowse", 290, 3, 73, 21);
  const QRect box = Rounded(ChooserGeometry::kDisplayBox);
  image_view_ = Place(new QLabel(this), "imgPic", box.x(), box.y(), box.width(), box.height());
  image_view_->setScaledContents(true);
  const QRect designed = Rounded(ChooserGeometry::kDesignedFrame);
  frame_ = Place(new CutOutFrame(this), "labRect", designed.x(), designed.y(), designed.width(),
                 designed.height());
  frame_->hide();
  outline_ = new QWidget(this);
  outline_->setObjectName("dragOutline");
  outline_->setAttribute(Qt::WA_TransparentForMouseEvents);
  outline_->setStyleSheet("#dragOutline { border: 1px dotted black; background: transparent; }");
  outline_->hide();
  ok_ = Place(new QPushButton("&OK", this), "cmdOK", 176, 222, 91, 27);
  ok_->setEnabled(false);
  ok_->setDefault(true);
  cancel_ = Place(new QPushButton("ｷｬﾝｾﾙ(&C)", this), "cmdCancel", 270, 222, 91, 27);

  connect(browse_, &QPushButton::clicked, this, &ImageChooser::Browse);
  connect(ok_, &QPushButton::clicked, this, &ImageChooser::AcceptCutOut);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(frame_, &CutOutFrame::dragStarted, this, &ImageChooser::BeginDrag);
  connect(frame_, &CutOutFrame::dragMoved, this, &ImageChooser::MoveOutline);
  connect(frame_, &CutOutFrame::dropped, this, &ImageChooser::Drop);

  // A stored file that is gone opens the chooser empty, without a message.
  std::error_code error;
  if (!stored_file.empty() && std::filesystem::is_regular_file(stored_file, error))
    FitPictureToBox(stored_file);
}

ImageChooser::~ImageChooser() = default;

void ImageChooser::Browse() {
  const auto path = dialogs_->ChooseFile({FileDialogRequest::Mode::kOpen, "", kImageFilter, "", ""});
  if (path) FitPictureToBox(*path);
}

bool ImageChooser::FitPictureToBox(const std::string& path) {
  platform::StatusOr<Bitmap> loaded = LoadPicture(path);
  if (!loaded.ok() || loaded->empty()) {
    dialogs_->ShowWarning(std::string(kPictureLoadFailed) + "\n" + path +
                          (loaded.ok() ? "" : "\n" + JapaneseErrorText(loaded.status().message())));
    return false;
  }
  if (!geometry_.FitImage(loaded->width(), loaded->height(), banner_width_, banner_height_)) {
    return false;
  }
  full_image_ = *std::move(loaded);
  file_box_->setText(QString::fromStdString(path));
  ok_->setEnabled(true);
  PlaceImageAndFrame();
  // Scaled once to the shown size, so a large picture is not kept twice.
  image_view_->setPixmap(QPixmap::fromImage(
      ToQImage(full_image_).scaled(image_view_->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
  frame_->show();
  frame_->raise();
  // A picture smaller than the banner gives a frame larger than the window;
  // the buttons and the file box stay above it and usable.
  for (QWidget* control : std::initializer_list<QWidget*>{file_box_, browse_, ok_, cancel_}) control->raise();
  return true;
}

void ImageChooser::PlaceImageAndFrame() {
  image_view_->setGeometry(Rounded(geometry_.image()));
  frame_->setGeometry(Rounded(geometry_.frame()));
}

void ImageChooser::BeginDrag(QPoint press) {
  grab_ = QPointF(press.x() - geometry_.frame().left, press.y() - geometry_.frame().top);
  geometry_.BeginDrag(grab_.x(), grab_.y());
  outline_->setGeometry(frame_->geometry());
  outline_->show();
  outline_->raise();
}

void ImageChooser::MoveOutline(QPoint pointer) {
  outline_->move(Nearest(pointer.x() - grab_.x()), Nearest(pointer.y() - grab_.y()));
}

void ImageChooser::Drop(QPoint pointer) {
  outline_->hide();
  // The frame lies above the image, so a drop inside the frame is a drop on
  // the frame itself; a drop anywhere else but the image moves nothing.
  const ChooserRect frame = geometry_.frame();
  const ChooserRect image = geometry_.image();
  if (frame.Contains(pointer.x(), pointer.y())) {
    geometry_.DropOnFrame(pointer.x() - frame.left, pointer.y() - frame.top);
  } else if (image.Contains(pointer.x(), pointer.y())) {
    geometry_.DropOnImage(pointer.x() - image.left, pointer.y() - image.top);
  } else {
    return;
  }
  frame_->setGeometry(Rounded(geometry_.frame()));
}

void ImageChooser::AcceptCutOut() {
  if (!geometry_.has_image()) return;
  const auto [x, y] = geometry_.CutOutOrigin();
  // The work picture is cleared to white first; where the frame reaches
  // beyond the image, that white stays.
  cut_out_ = CropBitmap(full_image_, x, y, banner_width_, banner_height_, kWhite);
  file_name_ = file_box_->text().toStdString();
  clip_x_ = x;
  clip_y_ = y;
  accept();
}

}  // namespace plakato
