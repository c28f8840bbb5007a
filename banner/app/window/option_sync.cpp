#include "banner/app/window/option_sync.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

namespace plakato {

void CheckOption(QButtonGroup* group, int id) {
  if (group->checkedId() == id) return;
  const QSignalBlocker group_blocker(group);
  QAbstractButton* target = group->button(id);
  if (target) {
    const QSignalBlocker blocker(target);
    target->setChecked(true);
    return;
  }
  // No such option: clear them all, which an exclusive group refuses.
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) {
    const QSignalBlocker blocker(button);
    button->setChecked(false);
  }
  group->setExclusive(true);
}

void SelectItem(QComboBox* list, int index) {
  if (index < -1 || index >= list->count()) index = -1;
  if (list->currentIndex() == index) return;
  const QSignalBlocker blocker(list);
  list->setCurrentIndex(index);
}

void SetChecked(QAbstractButton* box, bool checked) {
  if (box->isChecked() == checked) return;
  const QSignalBlocker blocker(box);
  box->setChecked(checked);
}

void WidenPopupToItems(QComboBox* list) {
  QAbstractItemView* view = list->view();
  // Room for the item frame and a scroll bar beside the longest text.
  const int needed =
      view->sizeHintForColumn(0) + 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width();
  view->setMinimumWidth(std::max(list->width(), needed));
}

}  // namespace plakato
