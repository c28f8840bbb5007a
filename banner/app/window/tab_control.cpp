#include "banner/app/window/tab_control.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace plakato {

TabControl::TabControl(QWidget* parent) : QWidget(parent), tab_bar_(new QTabBar(this)) {
  tab_bar_->setObjectName("tabBar");
  tab_bar_->setDrawBase(false);
  connect(tab_bar_, &QTabBar::currentChanged, this, &TabControl::ShowPage);
}

int TabControl::AddPage(QWidget* page, const QString& caption) {
  page->setParent(this);
  page->setGeometry(rect());
  pages_.append(page);
  const int index = tab_bar_->addTab(caption);
  tab_bar_->resize(tab_bar_->sizeHint());
  tab_bar_->raise();
  ShowPage(tab_bar_->currentIndex());
  return index;
}

int TabControl::currentIndex() const { return tab_bar_->currentIndex(); }

void TabControl::setCurrentIndex(int index) { tab_bar_->setCurrentIndex(index); }

void TabControl::ShowPage(int index) {
  for (int i = 0; i < pages_.size(); ++i) pages_[i]->setVisible(i == index);
  tab_bar_->raise();
}

void TabControl::resizeEvent(QResizeEvent*) {
  for (QWidget* page : pages_) page->setGeometry(rect());
  tab_bar_->resize(tab_bar_->sizeHint());
}

void TabControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  frame.shape = QTabBar::RoundedNorth;
  frame.tabBarSize = tab_bar_->size();
  frame.rect = rect().adjusted(0, tab_bar_->height() - 1, 0, 0);
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

}  // namespace plakato
