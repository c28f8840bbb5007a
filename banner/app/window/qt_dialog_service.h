#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "banner/app/window/dialog_service.h"

namespace plakato {

// The dialogs on the toolkit's own dialogs and message boxes, owned by one
// window. One object is one file dialog: it offers the name chosen last.
class QtDialogService : public DialogService {
 public:
  explicit QtDialogService(QWidget* owner) : owner_(owner) {}

  Answer AskYesNoCancel(const std::string& question) override;
  void ShowWarning(const std::string& text) override;
  void ShowError(const std::string& text) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  std::optional<Color> ChooseColor(Color initial) override;
  std::optional<FontChoice> ChooseFont(const FontRequest& request) override;

 private:
  QPointer<QWidget> owner_;
  QString last_file_;
};

}  // namespace plakato
