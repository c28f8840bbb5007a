#pragma once

#include <QDialog>
#include <QPointer>

#include "setup/app/window/browse_dialog.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace setup::window {

// The folder picker window: the caption above a tree of the target system's
// drives and folders (filled as branches open), the status line when asked
// for, OK and Cancel. Object names: "caption", "tree", "status", "ok",
// "cancel".
class FolderBrowser : public QDialog {
  Q_OBJECT

 public:
  FolderBrowser(BrowseSession& session, QWidget* owner);

  // The item under the current tree item.
  BrowseItem CurrentItem() const;
  // Selects the item of an existing folder below the root, opening its
  // parents; false when there is none.
  bool SelectPath(const std::string& path);

 private:
  QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, const BrowseItem& item);
  void Fill(QTreeWidgetItem* item);
  void OnCurrentChanged();
  void Refresh();

  BrowseSession& session_;
  QLabel* caption_;
  QTreeWidget* tree_;
  QLabel* status_;
  QPushButton* ok_;
  bool opened_ = false;
};

// Runs the picker modally over its owner.
class QtFolderPicker : public FolderPicker {
 public:
  explicit QtFolderPicker(QWidget* owner) : owner_(owner) {}
  bool Run(BrowseSession& session, BrowseItem* chosen) override;
  std::optional<std::string> ChooseFile(TargetFileSession& session) override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace setup::window
