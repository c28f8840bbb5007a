#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "setup/wizard/model/control_id.h"

namespace setup::wizard {

// The state of one control of the wizard window. text is the
// caption of a label, button or check box, the text of an edit box, or the
// host path of the picture an image shows (empty: none). items are the lines
// of a memo or the entries of a list box; selected runs beside items.
struct ControlState {
  std::string text;
  std::string hint;  // tool tip; shown only when not empty
  bool enabled = true;
  bool visible = true;
  bool checked = false;
  bool bold = false;
  int maximum = 0;  // progress bars: the bar's maximum (position starts at 0)
  std::vector<std::string> items;
  std::vector<bool> selected;
};

// Every control of the window, by identifier.
class ControlSet {
 public:
  ControlSet();

  const ControlState& Get(Control control) const { return controls_[Index(control)]; }
  ControlState& operator[](Control control) { return controls_[Index(control)]; }

 private:
  static std::size_t Index(Control control) { return static_cast<std::size_t>(ControlIndex(control)); }

  std::array<ControlState, kControlCount> controls_;
};

// What a browse button asks the window to show. On OK the window puts the
// chosen folder or file into target with WizardModel::SetText.
struct BrowseRequest {
  enum class Kind { kFolder, kOpenFile };
  Kind kind = Kind::kFolder;
  std::string title;                   // dialog caption
  std::string start;                   // start folder or file (a Windows path)
  Control target = Control::kEdit501;  // control that takes the result
  std::string filter;                  // open-file dialogs: "name|pattern|name|pattern..."
  std::string default_extension;
};

}  // namespace setup::wizard
