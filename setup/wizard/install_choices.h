#pragma once

#include <array>
#include <string>
#include <vector>

namespace setup::wizard {

// What the install engine takes from the wizard's pages: the state of the
// controls it reads, after the pages' checks have passed. The wizard model
// fills it; the unattended mode and tests may fill it directly.
struct InstallChoices {
  // Page 5. install_to_folder is RadioButton501; false is the CD-ROM run.
  bool install_to_folder = true;
  std::string install_folder_text;        // Edit501
  bool recycle_before_overwrite = false;  // CheckBox501

  // Page 4: Edit401..Edit403 and whether each is visible.
  std::array<std::string, 3> user_entries;
  std::array<bool, 3> user_entry_visible{};

  // Page 6.
  std::string start_menu_folder;  // Edit601
  bool all_users = false;         // RadioButton601 checked (else the logged-on user)
  bool start_menu = false;        // CheckBox601
  bool startup = false;           // CheckBox602
  bool desktop = false;           // CheckBox603
  bool send_to = false;           // CheckBox604
  bool quick_launch = false;      // CheckBox605

  // Page 7: CheckBox701 and the selected ListBox701 items (0-based, item i is
  // [Extension] entry i + 1).
  bool associate = false;
  std::vector<int> selected_extensions;

  // Page 8.
  bool add_favorites = false;                   // CheckBox801
  std::string favorites_folder;                 // Edit801
  bool add_bookmarks = false;                   // CheckBox802
  std::string bookmark_file;                    // Edit802
  std::array<bool, 3> favorite_slot_visible{};  // CheckBox803..805 visible
  std::array<bool, 3> favorite_slot_checked{};  // ... and checked

  // Page 11.
  bool restart_visible = false;  // CheckBox1101
  bool restart_checked = false;
  std::array<bool, 3> run_visible{};  // CheckBox1102..1104
  std::array<bool, 3> run_checked{};
};

}  // namespace setup::wizard
