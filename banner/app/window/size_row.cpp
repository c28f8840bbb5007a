#include "banner/app/window/size_row.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "banner/app/banner_editor.h"
#include "platform/ui/validating_line_edit.h"
#include "platform/ui/widget_placement.h"

namespace plakato {

using platform::ui::kListHeight;
using platform::ui::MakeLabel;
using platform::ui::Place;
using platform::ui::ValidatingLineEdit;

namespace {

ValidatingLineEdit* MakeSizeBox(QWidget* window, const char* name, int x) {
  auto* box = Place(new ValidatingLineEdit(window), name, x, 9, 48, 22);
  box->setAttribute(Qt::WA_InputMethodEnabled, false);
  box->setEnabled(false);
  return box;
}

void ShowText(ValidatingLineEdit* box, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (box->text() == shown) return;
  const QSignalBlocker blocker(box);
  box->setText(shown);
}

}  // namespace

SizeRow::SizeRow(QWidget* window, BannerEditor& editor) : QObject(window), editor_(editor) {
  size_list_ = new QComboBox(window);
  for (std::string_view text : kSizePresetTexts)
    size_list_->addItem(QString::fromUtf8(text.data(), text.size()));
  size_list_->setCurrentIndex(-1);
  Place(size_list_, "cboSize", 78, 10, 139, kListHeight);
  width_box_ = MakeSizeBox(window, "txtUSizeW", 319);
  height_box_ = MakeSizeBox(window, "txtUSizeH", 388);
  MakeLabel(window, "Label1", "サイズ(&S)：", 12, 14, size_list_);
  MakeLabel(window, "Label2", "ユーザ指定(&U)：", 234, 14, width_box_);
  MakeLabel(window, "Label3", "×", 372, 14);

  connect(size_list_, &QComboBox::currentIndexChanged, this,
          [this](int index) { editor_.SelectSize(index); });
  connect(width_box_, &QLineEdit::textChanged, this,
          [this](const QString& text) { editor_.SetUserWidthText(text.toStdString()); });
  connect(height_box_, &QLineEdit::textChanged, this,
          [this](const QString& text) { editor_.SetUserHeightText(text.toStdString()); });
  width_box_->SetCheck([this] { return editor_.ValidateUserWidth().keep_focus; });
  height_box_->SetCheck([this] { return editor_.ValidateUserHeight().keep_focus; });
  connect(width_box_, &ValidatingLineEdit::shortcutRefused, this, &SizeRow::shortcutRefused);
  connect(height_box_, &ValidatingLineEdit::shortcutRefused, this, &SizeRow::shortcutRefused);
}

void SizeRow::Sync() {
  const BannerSettings& settings = editor_.settings();
  if (size_list_->currentIndex() != settings.Size.index) {
    const QSignalBlocker blocker(size_list_);
    size_list_->setCurrentIndex(settings.Size.index);
  }
  ShowText(width_box_, settings.Size.Width);
  ShowText(height_box_, settings.Size.Height);
  const bool enabled = editor_.controls().user_size_enabled;
  width_box_->setEnabled(enabled);
  height_box_->setEnabled(enabled);
}

}  // namespace plakato
