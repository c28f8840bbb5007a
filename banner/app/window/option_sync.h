#pragma once

class QAbstractButton;
class QButtonGroup;
class QComboBox;

namespace plakato {

// Show a value in a control without running the control's handler.

// Checks option id of the group, or none when no option has that id.
void CheckOption(QButtonGroup* group, int id);
// Selects item index of the list; -1 clears the selection.
void SelectItem(QComboBox* list, int index);
void SetChecked(QAbstractButton* box, bool checked);

// A list narrower than its longest item opens wide enough to show it whole.
void WidenPopupToItems(QComboBox* list);

}  // namespace plakato
