#include "setup/wizard/model/control_id.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace setup::wizard {
namespace {

constexpr std::array<std::string_view, kControlCount> kNames = {
#define SETUP_WIZARD_CONTROL_NAME(name) #name,
    SETUP_WIZARD_CONTROLS(SETUP_WIZARD_CONTROL_NAME)
#undef SETUP_WIZARD_CONTROL_NAME
};

// The member of a group of controls declared one after another; a number
// outside the group stops the program, naming the group.
Control Member(const char* group, Control first, int count, int index) {
  if (index < 0 || index >= count) {
    std::fprintf(stderr, "wizard: %s has no member %d\n", group, index);
    std::abort();
  }
  return static_cast<Control>(ControlIndex(first) + index);
}

constexpr std::array<Control, kControlCount> kAll = [] {
  std::array<Control, kControlCount> all{};
  for (int i = 0; i < kControlCount; ++i) all[static_cast<std::size_t>(i)] = static_cast<Control>(i);
  return all;
}();

}  // namespace

std::span<const Control> AllControls() { return kAll; }

std::string_view ControlName(Control control) {
  const int index = ControlIndex(control);
  return index >= 0 && index < kControlCount ? kNames[static_cast<std::size_t>(index)] : std::string_view();
}

std::optional<Control> ControlByName(std::string_view name) {
  for (int i = 0; i < kControlCount; ++i) {
    if (kNames[static_cast<std::size_t>(i)] == name) return static_cast<Control>(i);
  }
  return std::nullopt;
}

Control PagePanel(int page) { return Member("the page panels", Control::kPanel203, 13, page - 2); }
Control UserEntryLabel(int field) {
  return Member("the user entry labels", Control::kLabel402, 3, field - 1);
}
Control UserEntryEdit(int field) { return Member("the user entry edits", Control::kEdit401, 3, field - 1); }
Control FavoriteCheckBox(int slot) {
  return Member("the favourite check boxes", Control::kCheckBox803, 3, slot - 1);
}
Control FavoriteLabel(int slot) { return Member("the favourite labels", Control::kLabel802, 3, slot - 1); }
Control FinishCheckBox(int slot) {
  return Member("the finish check boxes", Control::kCheckBox1102, 3, slot - 1);
}
Control InstallProgressBar(int step) {
  return Member("the install progress bars", Control::kProgressBar1001, 5, step);
}
Control InstallStepLabel(int step) { return Member("the install step labels", Control::kLabel1003, 5, step); }
Control UninstallProgressBar(int step) {
  return Member("the uninstall progress bars", Control::kProgressBar1301, 5, step);
}
Control UninstallStepLabel(int step) {
  return Member("the uninstall step labels", Control::kLabel1304, 5, step);
}

}  // namespace setup::wizard
