#include "setup/wizard/model/install_choices_reader.h"

namespace setup::wizard {

InstallChoices ChoicesFromControls(const ControlSet& controls_) {
  InstallChoices c;
  c.install_to_folder = controls_.Get(Control::kRadioButton501).checked;
  c.install_folder_text = controls_.Get(Control::kEdit501).text;
  c.recycle_before_overwrite = controls_.Get(Control::kCheckBox501).checked;
  for (int k = 0; k < 3; ++k) {
    const ControlState& edit = controls_.Get(UserEntryEdit(k + 1));
    c.user_entries[k] = edit.text;
    c.user_entry_visible[k] = edit.visible;
  }
  c.start_menu_folder = controls_.Get(Control::kEdit601).text;
  c.all_users = controls_.Get(Control::kRadioButton601).checked;
  c.start_menu = controls_.Get(Control::kCheckBox601).checked;
  c.startup = controls_.Get(Control::kCheckBox602).checked;
  c.desktop = controls_.Get(Control::kCheckBox603).checked;
  c.send_to = controls_.Get(Control::kCheckBox604).checked;
  c.quick_launch = controls_.Get(Control::kCheckBox605).checked;
  c.associate = controls_.Get(Control::kCheckBox701).checked;
  const ControlState& extensions = controls_.Get(Control::kListBox701);
  for (std::size_t i = 0; i < extensions.selected.size(); ++i) {
    if (extensions.selected[i]) c.selected_extensions.push_back(static_cast<int>(i));
  }
  c.add_favorites = controls_.Get(Control::kCheckBox801).checked;
  c.favorites_folder = controls_.Get(Control::kEdit801).text;
  c.add_bookmarks = controls_.Get(Control::kCheckBox802).checked;
  c.bookmark_file = controls_.Get(Control::kEdit802).text;
  for (int slot = 0; slot < 3; ++slot) {
    const ControlState& box = controls_.Get(FavoriteCheckBox(slot + 1));
    c.favorite_slot_visible[slot] = box.visible;
    c.favorite_slot_checked[slot] = box.checked;
    const ControlState& run = controls_.Get(FinishCheckBox(slot + 1));
    c.run_visible[slot] = run.visible;
    c.run_checked[slot] = run.checked;
  }
  const ControlState& restart = controls_.Get(Control::kCheckBox1101);
  c.restart_visible = restart.visible;
  c.restart_checked = restart.checked;
  return c;
}

}  // namespace setup::wizard
