#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "setup/app/window/target_file_session.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace setup::window {

// The file-open dialog over the target system's drives: the drive list,
// the folder shown as a Windows path, its folders and files, the file name
// and the file type, 開く and キャンセル. Object names: "drives", "folder",
// "up", "entries", "name", "types", "status", "open", "cancel".
class TargetFileDialog : public QDialog {
  Q_OBJECT

 public:
  TargetFileDialog(TargetFileSession& session, QWidget* owner);

  // The chosen file's Windows path once accepted.
  const std::string& chosen() const { return chosen_; }

  // 開く: a file name chooses that file, a folder name opens the folder;
  // anything else keeps the dialog open with a note.
  void OpenTyped();

 private:
  void ShowFolder();
  void EntryActivated(QListWidgetItem* item);

  TargetFileSession& session_;
  QComboBox* drives_;
  QLabel* folder_;
  QListWidget* entries_;
  QLineEdit* name_;
  QComboBox* types_;
  QLabel* status_;
  std::string chosen_;
};

}  // namespace setup::window
