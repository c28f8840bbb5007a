#include "setup/app/window/folder_browser.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/target_system/name_folding.h"
#include "platform/target_system/windows_path.h"
#include "setup/app/window/target_file_dialog.h"

namespace setup::window {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFileSystemRole = Qt::UserRole + 1;
constexpr int kFilledRole = Qt::UserRole + 2;

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::string WithBackslash(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

// True when path is folder or lies below it (Windows paths, any case).
bool IsAtOrBelow(const std::string& folder, const std::string& path) {
  if (folder.empty()) return false;
  const std::string f = WithBackslash(folder);
  const std::string p = WithBackslash(path);
  return p.size() >= f.size() && platform::target::NamesEqual(p.substr(0, f.size()), f);
}

}  // namespace

FolderBrowser::FolderBrowser(BrowseSession& session, QWidget* owner) : QDialog(owner), session_(session) {
  setObjectName("FolderBrowser");
  setWindowTitle("フォルダの参照");
  caption_ = new QLabel(Q(session.dialog().Caption), this);
  caption_->setObjectName("caption");
  caption_->setWordWrap(true);
  tree_ = new QTreeWidget(this);
  tree_->setObjectName("tree");
  tree_->setHeaderHidden(true);
  tree_->setMinimumSize(280, 240);
  status_ = new QLabel(this);
  status_->setObjectName("status");
  status_->setVisible(session.status_shown());
  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("ok");
  ok_->setDefault(true);
  auto* cancel = new QPushButton("キャンセル", this);
  cancel->setObjectName("cancel");

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption_);
  layout->addWidget(status_);
  layout->addWidget(tree_, 1);
  layout->addLayout(buttons);

  QTreeWidgetItem* root = AddItem(nullptr, session.root());
  Fill(root);
  root->setExpanded(true);
  connect(tree_, &QTreeWidget::itemExpanded, this, &FolderBrowser::Fill);
  connect(tree_, &QTreeWidget::currentItemChanged, this, &FolderBrowser::OnCurrentChanged);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  // A folder that does not exist opens without a pre-selection.
  if (session.preselection().empty() || !SelectPath(session.preselection())) {
    tree_->setCurrentItem(root);
  }
  opened_ = true;
  session_.Initialized(static_cast<std::intptr_t>(winId()));
  Refresh();
}

QTreeWidgetItem* FolderBrowser::AddItem(QTreeWidgetItem* parent, const BrowseItem& item) {
  auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
  node->setText(0, Q(item.display_name));
  node->setData(0, kPathRole, Q(item.path));
  node->setData(0, kFileSystemRole, item.file_system);
  node->setData(0, kFilledRole, false);
  node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  return node;
}

void FolderBrowser::Fill(QTreeWidgetItem* node) {
  if (node->data(0, kFilledRole).toBool()) return;
  node->setData(0, kFilledRole, true);
  BrowseItem item{node->text(0).toStdString(), node->data(0, kPathRole).toString().toStdString(),
                  node->data(0, kFileSystemRole).toBool()};
  const std::vector<BrowseItem> children = session_.Children(item);
  for (const BrowseItem& child : children) AddItem(node, child);
  if (children.empty()) node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

BrowseItem FolderBrowser::CurrentItem() const {
  const QTreeWidgetItem* node = tree_->currentItem();
  if (!node) return session_.root();
  return {node->text(0).toStdString(), node->data(0, kPathRole).toString().toStdString(),
          node->data(0, kFileSystemRole).toBool()};
}

bool FolderBrowser::SelectPath(const std::string& path) {
  BrowseItem target;
  if (!session_.ItemFor(path, &target)) return false;
  // Walk down from the root, opening each branch that leads to the target.
  QTreeWidgetItem* node = tree_->topLevelItem(0);
  for (int depth = 0; node && depth < 512; ++depth) {
    const std::string node_path = node->data(0, kPathRole).toString().toStdString();
    if (node->data(0, kFileSystemRole).toBool() && platform::target::NamesEqual(node_path, target.path)) {
      tree_->setCurrentItem(node);
      tree_->scrollToItem(node);
      return true;
    }
    Fill(node);
    node->setExpanded(true);
    QTreeWidgetItem* next = nullptr;
    for (int i = 0; i < node->childCount() && !next; ++i) {
      if (IsAtOrBelow(node->child(i)->data(0, kPathRole).toString().toStdString(), target.path)) {
        next = node->child(i);
      }
    }
    node = next;
  }
  return false;
}

void FolderBrowser::OnCurrentChanged() {
  if (!opened_) return;
  session_.SelectionChanged(static_cast<std::intptr_t>(winId()), CurrentItem());
  Refresh();
}

void FolderBrowser::Refresh() {
  status_->setText(Q(session_.status_text()));
  ok_->setEnabled(session_.ok_enabled());
}

bool QtFolderPicker::Run(BrowseSession& session, BrowseItem* chosen) {
  FolderBrowser browser(session, owner_ ? owner_.data() : QApplication::activeModalWidget());
  if (browser.exec() != QDialog::Accepted) return false;
  *chosen = browser.CurrentItem();
  return true;
}

std::optional<std::string> QtFolderPicker::ChooseFile(TargetFileSession& session) {
  TargetFileDialog dialog(session, owner_ ? owner_.data() : QApplication::activeModalWidget());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.chosen();
}

}  // namespace setup::window
