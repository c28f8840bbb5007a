#include "banner/app/window/foot_controls.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

#include "banner/app/window/option_sync.h"
#include "banner/app/window/preview_box.h"
#include "banner/app/window/preview_layout.h"
#include "banner/render/banner_renderer.h"
#include "platform/ui/whole_area_buttons.h"
#include "platform/ui/widget_placement.h"

namespace plakato {

using platform::ui::CheckBoxButton;
using platform::ui::MakeLabel;
using platform::ui::Place;

FootControls::FootControls(QWidget* window, Handlers handlers) : QObject(window) {
  auto* load = Place(new QPushButton("設定情報読込(&L)...", window), "cmdLoadConf", 11, 362, 140, 28);
  auto* save = Place(new QPushButton("設定情報保存(&G)...", window), "cmdSaveConf", 157, 362, 140, 28);
  auto* image = Place(new QPushButton("ｲﾒｰｼﾞ保存(&V)...", window), "cmdSaveImage", 303, 362, 140, 28);

  auto* line = Place(new QFrame(window), "Line1", 0, 397, 452, 2);
  line->setFrameStyle(QFrame::HLine | QFrame::Sunken);

  version_ = Place(new QLabel(window), "labVer", 375, 404, 68, 20);
  version_->setAlignment(Qt::AlignCenter);
  QFont arial("Arial");
  arial.setPixelSize(12);
  version_->setFont(arial);
  QPalette palette = version_->palette();
  palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
  version_->setPalette(palette);

  MakeLabel(window, "Label15", "プレビュー：", 8, 413);
  open_preview_ = new CheckBoxButton("別ウィンドウで開く(&P)", window);
  // At least the designed 147 x 12, and as large as the caption needs,
  // centred where the designed box stands.
  const QSize needed = open_preview_->sizeHint().expandedTo(QSize(147, 12));
  Place(open_preview_, "chkOpenPrev", 102, 413 + (12 - needed.height()) / 2, needed.width(), needed.height());
  // The box scrolls a banner larger than the window can show.
  preview_area_ = Place(new QScrollArea(window), "scrPreview", kPreviewLeft, kPreviewTop,
                        kInitialPreviewWidth, kInitialPreviewHeight);
  preview_area_->setFrameShape(QFrame::NoFrame);
  preview_ = new PreviewBox(nullptr);
  preview_->setObjectName("picPreview");
  preview_->ShowBanner({}, kInitialPreviewWidth, kInitialPreviewHeight);
  preview_area_->setWidget(preview_);

  connect(load, &QPushButton::clicked, this, handlers.load_settings);
  connect(save, &QPushButton::clicked, this, handlers.save_settings);
  connect(image, &QPushButton::clicked, this, handlers.save_image);
  connect(open_preview_, &QCheckBox::toggled, this, handlers.open_preview);
}

void FootControls::SetOpenPreviewChecked(bool checked) { SetChecked(open_preview_, checked); }

}  // namespace plakato
