#pragma once

#include <QWidget>

class QTabBar;

namespace plakato {

// A tab control whose pages cover the whole control, tab strip included, so
// that the controls of a page are placed relative to the control's own
// top-left corner. The tab strip stays on top of the pages.
class TabControl : public QWidget {
  Q_OBJECT

 public:
  explicit TabControl(QWidget* parent);

  // Takes the page over; returns its index.
  int AddPage(QWidget* page, const QString& caption);
  int currentIndex() const;
  void setCurrentIndex(int index);
  QTabBar* tabBar() const { return tab_bar_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowPage(int index);

  QTabBar* tab_bar_;
  QList<QWidget*> pages_;
};

}  // namespace plakato
