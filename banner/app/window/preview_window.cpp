#include "banner/app/window/preview_window.h"

#include <QCloseEvent>

#include "banner/app/window/preview_box.h"

namespace plakato {

PreviewWindow::PreviewWindow(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      box_(new PreviewBox(this)) {
  setObjectName("frmPreview");
  setWindowTitle("プレビュー");
  box_->setObjectName("picPreviewWindow");
  box_->move(0, 0);
  box_->ShowBanner({}, kDesignedWidth, kDesignedHeight);
  setFixedSize(kDesignedWidth, kDesignedHeight);
}

void PreviewWindow::ShowBanner(const Bitmap& banner) {
  if (banner.empty()) return;
  box_->ShowBanner(banner, banner.width(), banner.height());
  setFixedSize(banner.width(), banner.height());
}

void PreviewWindow::ShowCentred() {
  if (QWidget* owner = parentWidget()) {
    const QPoint centre = owner->geometry().center();
    move(centre.x() - width() / 2, centre.y() - height() / 2);
  }
  show();
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closedByUser();
}

}  // namespace plakato
