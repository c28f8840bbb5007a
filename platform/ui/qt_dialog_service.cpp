#include "platform/ui/qt_dialog_service.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/ui/file_filter.h"
#include "platform/ui/font_dialog.h"
#include "platform/ui/name_only_icon_provider.h"

namespace platform::ui {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

std::vector<Answer> AnswersOf(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOk: return {Answer::kOk};
    case MessageButtons::kYesNo: return {Answer::kYes, Answer::kNo};
    case MessageButtons::kYesNoCancel: return {Answer::kYes, Answer::kNo, Answer::kCancel};
    case MessageButtons::kAbortRetryIgnore: return {Answer::kAbort, Answer::kRetry, Answer::kIgnore};
  }
  return {Answer::kOk};
}

QMessageBox::Icon IconFor(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kNone: return QMessageBox::NoIcon;
    case MessageIcon::kInformation: return QMessageBox::Information;
    case MessageIcon::kQuestion: return QMessageBox::Question;
    case MessageIcon::kWarning: return QMessageBox::Warning;
    case MessageIcon::kError: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

const std::string& ButtonText(const MessageBoxTexts& texts, Answer answer) {
  switch (answer) {
    case Answer::kOk: return texts.ok;
    case Answer::kCancel: return texts.cancel;
    case Answer::kYes: return texts.yes;
    case Answer::kNo: return texts.no;
    case Answer::kAbort: return texts.abort;
    case Answer::kRetry: return texts.retry;
    case Answer::kIgnore: return texts.ignore;
  }
  return texts.ok;
}

// "*.png" gives "png"; patterns with wildcards elsewhere give nothing.
QString ExtensionOf(const std::string& pattern) {
  const QString text = Text(pattern);
  if (!text.startsWith("*.")) return {};
  const QString extension = text.mid(2);
  if (extension.isEmpty() || extension.contains('*') || extension.contains('?')) return {};
  return extension;
}

}  // namespace

Answer QtDialogService::ShowMessage(const Message& message) {
  const std::vector<Answer> answers = AnswersOf(message.buttons);
  QMessageBox box(IconFor(message.icon), Text(texts_.caption), Text(message.text), QMessageBox::NoButton,
                  owner_);
  // One role for every button keeps them in the order added (the toolkit
  // would sort them by role, after the desktop's habits) and lets the box
  // find no escape button of its own.
  std::vector<std::pair<QPushButton*, Answer>> buttons;
  for (Answer answer : answers) {
    buttons.emplace_back(box.addButton(Text(ButtonText(texts_, answer)), QMessageBox::ActionRole), answer);
  }
  const auto button_of = [&buttons](Answer answer) -> QPushButton* {
    for (const auto& [button, its_answer] : buttons) {
      if (its_answer == answer) return button;
    }
    return nullptr;
  };
  const Answer default_answer =
      std::find(answers.begin(), answers.end(), message.default_answer) != answers.end()
          ? message.default_answer
          : answers.front();
  box.setDefaultButton(button_of(default_answer));
  const std::optional<Answer> escape = CloseAnswer(message.buttons);
  const bool escapable = escape.has_value();
  if (escapable) {
    box.setEscapeButton(button_of(*escape));
  } else {
    // Without an escape button the box ignores Escape and close requests.
    box.setWindowFlags((box.windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) &
                       ~Qt::WindowCloseButtonHint);
  }
  box.exec();
  for (const auto& [button, answer] : buttons) {
    if (box.clickedButton() == button) return answer;
  }
  return escapable ? *escape : default_answer;
}

std::optional<std::string> QtDialogService::ChooseFile(const FileDialogRequest& request) {
  NameOnlyIconProvider icons;  // outlives the dialog
  QFileDialog dialog(owner_);
  // The toolkit's own widgets, so that listing never reads file contents
  // and filters show their texts as written.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setIconProvider(&icons);
  const bool save = request.mode == FileDialogRequest::Mode::kSave;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.title.empty()) dialog.setWindowTitle(Text(request.title));

  const std::vector<FileTypeFilter> filters = ParseFileFilter(request.filter);
  QStringList toolkit_filters;
  for (const FileTypeFilter& entry : filters) toolkit_filters << Text(ToToolkitFilter(entry));
  dialog.setNameFilters(toolkit_filters);
  // The list shows each description alone; the dialog still filters by the
  // patterns it was given.
  auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
  if (types) {
    for (int i = 0; i < types->count() && i < static_cast<int>(filters.size()); ++i) {
      types->setItemText(i, Text(filters[static_cast<std::size_t>(i)].description));
    }
  }
  dialog.setDefaultSuffix(Text(request.default_extension));
  // With a default extension, choosing a type makes its extension the one a
  // bare name gets; the dialog itself changes the ending of a typed name.
  if (types && !request.default_extension.empty()) {
    QObject::connect(types, &QComboBox::activated, &dialog, [&dialog, &filters](int index) {
      if (index < 0 || static_cast<std::size_t>(index) >= filters.size()) return;
      const QString extension = ExtensionOf(filters[static_cast<std::size_t>(index)].patterns.front());
      if (!extension.isEmpty()) dialog.setDefaultSuffix(extension);
    });
  }
  if (!request.suggested_name.empty()) {
    dialog.selectFile(Text(request.suggested_name));
  } else if (!last_file_.isEmpty()) {
    dialog.selectFile(last_file_);
  }
  // Save mode asks before overwriting, naming the file; that is the dialog's default.
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  last_file_ = dialog.selectedFiles().first();
  return last_file_.toStdString();
}

std::optional<ColorRef> QtDialogService::ChooseColor(ColorRef initial) {
  const QColor start(static_cast<int>(initial & 0xFF), static_cast<int>((initial >> 8) & 0xFF),
                     static_cast<int>((initial >> 16) & 0xFF));
  const QColor chosen = QColorDialog::getColor(start, owner_);
  if (!chosen.isValid()) return std::nullopt;
  return static_cast<ColorRef>(chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16));
}

std::optional<FontChoice> QtDialogService::ChooseFont(const FontRequest& request) {
  FontDialog dialog(request, owner_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

}  // namespace platform::ui
