#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace setup::wizard {

// The state of one control of the wizard window, named as on the form
// ("Edit501", "CheckBox601", "Panel503", "Button2", ...). text is the
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

// Every control of the window by name. Names are fixed when the set is
// built; looking up a name that is not there yields an empty state, and
// writes to such a name go to a scratch state that nothing reads.
class ControlSet {
 public:
  ControlSet();

  bool Has(std::string_view name) const { return controls_.find(name) != controls_.end(); }
  const ControlState& Get(std::string_view name) const;
  ControlState& operator[](std::string_view name);
  const std::map<std::string, ControlState, std::less<>>& all() const { return controls_; }

 private:
  std::map<std::string, ControlState, std::less<>> controls_;
  ControlState scratch_;
};

// What a browse button asks the window to show. On OK the window puts the
// chosen folder or file into target with WizardModel::SetText.
struct BrowseRequest {
  enum class Kind { kFolder, kOpenFile };
  Kind kind = Kind::kFolder;
  std::string title;         // dialog caption
  std::string start;         // start folder or file (a Windows path)
  std::string target;        // control that takes the result
  std::string filter;        // open-file dialogs: "name|pattern|name|pattern..."
  std::string default_extension;
};

}  // namespace setup::wizard
