#include "platform/ui/font_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace platform::ui {

namespace {

// Latin, kana and kanji, so the sample shows what a title in this face is like.
constexpr const char* kSampleText = "AaBbYyZz あア亜";

}  // namespace

FontDialog::FontDialog(const FontRequest& request, QWidget* owner) : QDialog(owner), request_(request) {
  setWindowTitle("フォント");
  faces_ = new QListWidget(this);
  faces_->setObjectName("lstFace");
  faces_->addItems(QFontDatabase::families());
  const QString face = QString::fromStdString(request.face);
  QList<QListWidgetItem*> found = faces_->findItems(face, Qt::MatchExactly);
  if (found.isEmpty() && !face.isEmpty()) {
    // A face known by another name (an alias) is shown as the family drawn.
    found = faces_->findItems(QFontInfo(QFont(face)).family(), Qt::MatchExactly);
  }
  if (!found.isEmpty()) {
    start_row_ = faces_->row(found.first());
    faces_->setCurrentRow(start_row_);
  }
  bold_ = new QCheckBox("太字(&B)", this);
  bold_->setObjectName("chkBold");
  bold_->setChecked(request.bold);
  italic_ = new QCheckBox("斜体(&I)", this);
  italic_->setObjectName("chkItalic");
  italic_->setChecked(request.italic);
  auto* size = new QLabel(QString("サイズ：%1 ポイント").arg(request.points), this);
  sample_ = new QLabel(QString::fromUtf8(kSampleText), this);
  sample_->setObjectName("labSample");
  sample_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  sample_->setAlignment(Qt::AlignCenter);
  sample_->setMinimumSize(240, 64);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText("キャンセル");

  auto* layout = new QGridLayout(this);
  auto* face_label = new QLabel("フォント名(&F)：", this);
  face_label->setBuddy(faces_);
  layout->addWidget(face_label, 0, 0);
  layout->addWidget(faces_, 1, 0, 4, 1);
  layout->addWidget(bold_, 1, 1);
  layout->addWidget(italic_, 2, 1);
  layout->addWidget(size, 3, 1);
  layout->addWidget(sample_, 5, 0, 1, 2);
  layout->addWidget(buttons, 6, 0, 1, 2);

  connect(faces_, &QListWidget::currentRowChanged, this, &FontDialog::ShowSample);
  connect(bold_, &QCheckBox::toggled, this, &FontDialog::ShowSample);
  connect(italic_, &QCheckBox::toggled, this, &FontDialog::ShowSample);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  ShowSample();
}

void FontDialog::ShowSample() {
  QFont font = faces_->currentItem() ? QFont(faces_->currentItem()->text())
                                     : QFont(QString::fromStdString(request_.face));
  font.setBold(bold_->isChecked());
  font.setItalic(italic_->isChecked());
  font.setPointSize(std::max(1, request_.points));
  sample_->setFont(font);
}

FontChoice FontDialog::choice() const {
  const int row = faces_->currentRow();
  // The face as asked for while the list stays where it started, so an
  // alias is never replaced by the family it stands for.
  const std::string face =
      row == start_row_ || row < 0 ? request_.face : faces_->item(row)->text().toStdString();
  return FontChoice{face, bold_->isChecked(), italic_->isChecked()};
}

}  // namespace platform::ui
