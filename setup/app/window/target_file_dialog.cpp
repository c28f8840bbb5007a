#include "setup/app/window/target_file_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace setup::window {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr int kFolderRole = Qt::UserRole;

}  // namespace

TargetFileDialog::TargetFileDialog(TargetFileSession& session, QWidget* owner)
    : QDialog(owner), session_(session) {
  setObjectName("TargetFileDialog");
  setWindowTitle(Q(session.request().title));
  drives_ = new QComboBox(this);
  drives_->setObjectName("drives");
  for (const std::string& drive : session.drives()) drives_->addItem(Q(drive));
  auto* up = new QPushButton("上へ", this);
  up->setObjectName("up");
  up->setAutoDefault(false);
  folder_ = new QLabel(this);
  folder_->setObjectName("folder");
  entries_ = new QListWidget(this);
  entries_->setObjectName("entries");
  entries_->setMinimumSize(360, 200);
  name_ = new QLineEdit(Q(session.initial_name()), this);
  name_->setObjectName("name");
  types_ = new QComboBox(this);
  types_->setObjectName("types");
  for (const auto& filter : session.filters()) types_->addItem(Q(filter.description));
  status_ = new QLabel(this);
  status_->setObjectName("status");
  auto* open = new QPushButton("開く(&O)", this);
  open->setObjectName("open");
  open->setDefault(true);
  auto* cancel = new QPushButton("キャンセル", this);
  cancel->setObjectName("cancel");
  cancel->setAutoDefault(false);

  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel("ファイルの場所(&I):", this));
  top->addWidget(drives_, 1);
  top->addWidget(up);
  auto* bottom = new QGridLayout;
  auto* name_label = new QLabel("ファイル名(&N):", this);
  name_label->setBuddy(name_);
  auto* type_label = new QLabel("ファイルの種類(&T):", this);
  type_label->setBuddy(types_);
  bottom->addWidget(name_label, 0, 0);
  bottom->addWidget(name_, 0, 1);
  bottom->addWidget(open, 0, 2);
  bottom->addWidget(type_label, 1, 0);
  bottom->addWidget(types_, 1, 1);
  bottom->addWidget(cancel, 1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(folder_);
  layout->addWidget(entries_, 1);
  layout->addLayout(bottom);
  layout->addWidget(status_);

  connect(drives_, &QComboBox::activated, this, [this](int index) {
    if (session_.OpenFolder(drives_->itemText(index).toStdString())) ShowFolder();
  });
  connect(up, &QPushButton::clicked, this, [this] {
    if (session_.OpenParent()) ShowFolder();
  });
  connect(types_, &QComboBox::activated, this, [this](int index) {
    session_.SelectFilter(static_cast<std::size_t>(index));
    ShowFolder();
  });
  connect(entries_, &QListWidget::itemActivated, this, &TargetFileDialog::EntryActivated);
  connect(entries_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item && !item->data(kFolderRole).toBool()) name_->setText(item->text());
  });
  connect(open, &QPushButton::clicked, this, &TargetFileDialog::OpenTyped);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  ShowFolder();
  name_->setFocus();
}

void TargetFileDialog::ShowFolder() {
  const std::string& folder = session_.folder();
  folder_->setText(Q(folder));
  const int drive = drives_->findText(Q(folder.substr(0, 3)), Qt::MatchFixedString);
  if (drive >= 0) drives_->setCurrentIndex(drive);
  entries_->clear();
  for (const TargetFileSession::Entry& entry : session_.Entries()) {
    auto* item = new QListWidgetItem(Q(entry.is_folder ? "[" + entry.name + "]" : entry.name), entries_);
    item->setData(kFolderRole, entry.is_folder);
    item->setData(kFolderRole + 1, Q(entry.name));
  }
  status_->clear();
}

void TargetFileDialog::EntryActivated(QListWidgetItem* item) {
  if (item == nullptr) return;
  name_->setText(item->data(kFolderRole + 1).toString());
  OpenTyped();
}

void TargetFileDialog::OpenTyped() {
  const std::string typed = name_->text().trimmed().toStdString();
  if (const auto folder = session_.ResolveFolder(typed)) {
    session_.OpenFolder(*folder);
    name_->clear();
    ShowFolder();
    return;
  }
  if (const auto file = session_.ResolveFile(typed)) {
    chosen_ = *file;
    accept();
    return;
  }
  status_->setText(Q(typed + "\nファイルが見つかりません。ファイル名を確認してください。"));
}

}  // namespace setup::window
