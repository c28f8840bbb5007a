#include "banner/app/window/qt_dialog_service.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QListView>
#include <QMessageBox>

#include "banner/app/window/bitmap_image.h"
#include "banner/app/window/file_filter.h"
#include "banner/app/window/window_texts.h"

namespace plakato {

namespace {

void ShowMessage(QWidget* owner, QMessageBox::Icon icon, const std::string& text) {
  QMessageBox box(icon, kApplicationTitle, QString::fromStdString(text), QMessageBox::Ok, owner);
  box.button(QMessageBox::Ok)->setText(kOkButton);
  box.exec();
}

// The font dialog has no setting for a fixed size; its size entry and list
// are the third of its labelled entries and lists, so they are switched off.
void LockFontSize(QFontDialog& dialog) {
  int labelled = 0;
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    if (label->buddy() && ++labelled == 3) label->buddy()->setEnabled(false);
  }
  const QList<QListView*> lists = dialog.findChildren<QListView*>();
  if (lists.size() >= 3) lists[2]->setEnabled(false);
}

}  // namespace

Answer QtDialogService::AskYesNoCancel(const std::string& question) {
  QMessageBox box(QMessageBox::Question, kApplicationTitle, QString::fromStdString(question),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner_);
  box.button(QMessageBox::Yes)->setText(kYesButton);
  box.button(QMessageBox::No)->setText(kNoButton);
  box.button(QMessageBox::Cancel)->setText(kCancelButton);
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    default:
      return Answer::kCancel;
  }
}

void QtDialogService::ShowWarning(const std::string& text) { ShowMessage(owner_, QMessageBox::Warning, text); }

void QtDialogService::ShowError(const std::string& text) { ShowMessage(owner_, QMessageBox::Critical, text); }

std::optional<std::string> QtDialogService::ChooseFile(const FileDialogRequest& request) {
  QFileDialog dialog(owner_);
  const bool save = request.mode == FileDialogRequest::Mode::kSave;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.title.empty()) dialog.setWindowTitle(QString::fromStdString(request.title));
  dialog.setNameFilter(QString::fromStdString(ToToolkitFilter(request.filter)));
  dialog.setDefaultSuffix(QString::fromStdString(request.default_extension));
  // Save mode asks before overwriting; that is the dialog's default.
  if (!last_file_.isEmpty()) dialog.selectFile(last_file_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  last_file_ = dialog.selectedFiles().first();
  return last_file_.toStdString();
}

std::optional<Color> QtDialogService::ChooseColor(Color initial) {
  const QColor chosen = QColorDialog::getColor(ToQColor(initial), owner_);
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

std::optional<FontChoice> QtDialogService::ChooseFont(const FontRequest& request) {
  QFont font(QString::fromStdString(request.face));
  font.setBold(request.bold);
  font.setItalic(request.italic);
  font.setPointSize(std::max(1, request.points));
  QFontDialog dialog(font, owner_);
  dialog.setOption(QFontDialog::ScalableFonts);
  LockFontSize(dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QFont chosen = dialog.selectedFont();
  return FontChoice{chosen.family().toStdString(), chosen.bold(), chosen.italic()};
}

}  // namespace plakato
