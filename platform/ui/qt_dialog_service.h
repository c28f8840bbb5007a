#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <string>

#include "platform/ui/dialog_service.h"

namespace platform::ui {

// The caption of every message box and the texts of its buttons, with the
// accelerators Windows gives them; each program gives its own title.
struct MessageBoxTexts {
  std::string caption;
  std::string ok = "OK";
  std::string cancel = "キャンセル";
  std::string yes = "はい(&Y)";
  std::string no = "いいえ(&N)";
  std::string abort = "中止(&A)";
  std::string retry = "再試行(&R)";
  std::string ignore = "無視(&I)";
};

// The dialogs on the toolkit's own dialogs and message boxes, owned by one
// window. One object is one file dialog: unless a request suggests a name,
// it offers the name chosen last.
class QtDialogService : public DialogService {
 public:
  QtDialogService(QWidget* owner, MessageBoxTexts texts) : owner_(owner), texts_(std::move(texts)) {}

  // The buttons stand in Windows' order. As on Windows, Escape and the
  // close box answer OK or Cancel where the box has them; a Yes/No or an
  // Abort/Retry/Ignore box has no close box and ignores Escape.
  Answer ShowMessage(const Message& message) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  std::optional<ColorRef> ChooseColor(ColorRef initial) override;
  std::optional<FontChoice> ChooseFont(const FontRequest& request) override;

 private:
  QPointer<QWidget> owner_;
  MessageBoxTexts texts_;
  QString last_file_;
};

}  // namespace platform::ui
