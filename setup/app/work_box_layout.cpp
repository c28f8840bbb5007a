#include "setup/app/work_box_layout.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "setup/wizard/model/wizard_pages.h"

namespace setup::window {
namespace {

using wizard::Control;

// Page coordinates are inside the page's 313 x 262 panel.
constexpr ControlPlace kPlaces[] = {
    // The window's own.
    {Control::kImage1, 4, 7, 136, 248},
    {Control::kButton1, 218, 272, 75, 23},
    {Control::kButton2, 293, 272, 75, 23},
    {Control::kButton3, 382, 272, 75, 23},
    {Control::kLabel1211, 8, 270, 200, 28},
    {Control::kLabel1212, 141, 266, 16, 10},
    // Page 2.
    {Control::kLabel201, 8, 8, 297, 132},
    {Control::kImage202, 8, 148, 32, 32},
    {Control::kLabel202, 48, 148, 257, 32},
    {Control::kMemo201, 8, 188, 297, 68},
    // Page 3.
    {Control::kLabel301, 8, 8, 297, 48},
    {Control::kMemo301, 8, 60, 297, 196},
    // Page 4.
    {Control::kLabel401, 8, 8, 297, 16},
    {Control::kLabel402, 8, 40, 297, 16},
    {Control::kEdit401, 8, 58, 297, 21},
    {Control::kLabel403, 8, 92, 297, 16},
    {Control::kEdit402, 8, 110, 297, 21},
    {Control::kLabel404, 8, 144, 297, 16},
    {Control::kEdit403, 8, 162, 297, 21},
    // Page 5.
    {Control::kRadioButton501, 8, 8, 297, 20},
    {Control::kEdit501, 26, 32, 204, 21},
    {Control::kSpeedButton502, 234, 31, 71, 23},
    {Control::kLabel502, 26, 64, 70, 16},
    {Control::kLabel504, 96, 64, 124, 16},
    {Control::kLabel506, 224, 64, 81, 16},
    {Control::kLabel503, 26, 84, 70, 16},
    {Control::kLabel505, 96, 84, 124, 16},
    {Control::kLabel507, 224, 84, 81, 16},
    {Control::kRadioButton502, 8, 116, 297, 20},
    {Control::kLabel508, 26, 138, 279, 16},
    {Control::kCheckBox501, 8, 176, 297, 20},
    // Page 6.
    {Control::kLabel601, 8, 8, 297, 32},
    {Control::kLabel602, 8, 46, 60, 16},
    {Control::kRadioButton601, 70, 44, 100, 20},
    {Control::kRadioButton602, 172, 44, 133, 20},
    {Control::kCheckBox601, 8, 70, 297, 20},
    {Control::kEdit601, 26, 92, 279, 21},
    {Control::kLabel603, 26, 118, 279, 16},
    {Control::kListBox601, 26, 136, 279, 62},
    {Control::kCheckBox602, 8, 206, 148, 20},
    {Control::kCheckBox603, 158, 206, 147, 20},
    {Control::kCheckBox604, 8, 230, 148, 20},
    {Control::kCheckBox605, 158, 230, 147, 20},
    // Page 7.
    {Control::kLabel701, 8, 8, 297, 32},
    {Control::kCheckBox701, 8, 44, 210, 20},
    {Control::kSpeedButton702, 225, 42, 80, 23},
    {Control::kListBox701, 8, 70, 297, 142},
    {Control::kLabel702, 8, 218, 297, 16},
    {Control::kLabel703, 8, 238, 297, 16},
    // Page 8.
    {Control::kLabel801, 8, 8, 297, 32},
    {Control::kCheckBox801, 8, 44, 297, 20},
    {Control::kEdit801, 26, 66, 206, 21},
    {Control::kSpeedButton802, 238, 65, 67, 23},
    {Control::kCheckBox802, 8, 94, 297, 20},
    {Control::kEdit802, 26, 116, 206, 21},
    {Control::kSpeedButton803, 238, 115, 67, 23},
    {Control::kCheckBox803, 8, 148, 297, 20},
    {Control::kLabel802, 26, 168, 279, 16},
    {Control::kCheckBox804, 8, 186, 297, 20},
    {Control::kLabel803, 26, 206, 279, 16},
    {Control::kCheckBox805, 8, 224, 297, 20},
    {Control::kLabel804, 26, 244, 279, 16},
    // Page 9.
    {Control::kLabel901, 8, 8, 297, 100},
    // Page 10: one row per step, the marker in front of the label.
    {Control::kLabel1001, 8, 8, 297, 16},
    {Control::kLabel1002, 8, 32, 297, 32},
    {Control::kImage1002, 10, 85, 5, 11},
    {Control::kLabel1003, 20, 84, 90, 16},
    {Control::kProgressBar1001, 112, 82, 193, 18},
    {Control::kLabel1004, 20, 114, 90, 16},
    {Control::kProgressBar1002, 112, 112, 193, 18},
    {Control::kLabel1005, 20, 144, 90, 16},
    {Control::kProgressBar1003, 112, 142, 193, 18},
    {Control::kLabel1006, 20, 174, 90, 16},
    {Control::kProgressBar1004, 112, 172, 193, 18},
    {Control::kLabel1007, 20, 204, 90, 16},
    {Control::kProgressBar1005, 112, 202, 193, 18},
    // Page 11.
    {Control::kLabel1101, 8, 8, 297, 16},
    {Control::kLabel1102, 8, 32, 297, 32},
    {Control::kCheckBox1101, 8, 80, 297, 20},
    {Control::kCheckBox1102, 8, 110, 297, 20},
    {Control::kCheckBox1103, 8, 134, 297, 20},
    {Control::kCheckBox1104, 8, 158, 297, 20},
    // Page 12.
    {Control::kLabel1201, 8, 8, 297, 16},
    {Control::kLabel1202, 8, 32, 297, 100},
    {Control::kMemo1201, 8, 136, 297, 92},
    {Control::kCheckBox1201, 8, 236, 297, 20},
    // Page 13.
    {Control::kLabel1301, 8, 8, 297, 16},
    {Control::kLabel1302, 8, 28, 297, 16},
    {Control::kLabel1303, 8, 50, 297, 32},
    {Control::kImage1302, 10, 99, 5, 11},
    {Control::kLabel1304, 20, 98, 90, 16},
    {Control::kProgressBar1301, 112, 96, 193, 18},
    {Control::kLabel1305, 20, 126, 90, 16},
    {Control::kProgressBar1302, 112, 124, 193, 18},
    {Control::kLabel1306, 20, 154, 90, 16},
    {Control::kProgressBar1303, 112, 152, 193, 18},
    {Control::kLabel1307, 20, 182, 90, 16},
    {Control::kProgressBar1304, 112, 180, 193, 18},
    {Control::kLabel1308, 20, 210, 90, 16},
    {Control::kProgressBar1305, 112, 208, 193, 18},
    // Page 14.
    {Control::kLabel1401, 8, 8, 297, 16},
    {Control::kLabel1402, 8, 32, 297, 16},
    {Control::kCheckBox1401, 8, 80, 297, 20},
    // The clean-up question.
    {Control::kImage2, 14, 14, 32, 32},
    {Control::kLabel1, 58, 14, 270, 48},
    {Control::kButton4, 76, 78, 80, 23},
    {Control::kButton5, 162, 78, 80, 23},
    {Control::kButton6, 248, 78, 80, 23},
};

struct Prefix {
  std::string_view text;
  ControlKind kind;
};
// Longer prefixes first where one begins another.
constexpr Prefix kPrefixes[] = {
    {"ProgressBar", ControlKind::kProgressBar},
    {"RadioButton", ControlKind::kRadioButton},
    {"SpeedButton", ControlKind::kSpeedButton},
    {"CheckBox", ControlKind::kCheckBox},
    {"ListBox", ControlKind::kListBox},
    {"Button", ControlKind::kButton},
    {"Panel", ControlKind::kPanel},
    {"Label", ControlKind::kLabel},
    {"Edit", ControlKind::kEdit},
    {"Memo", ControlKind::kMemo},
    {"Image", ControlKind::kImage},
};

}  // namespace

std::span<const ControlPlace> ControlPlaces() { return kPlaces; }

const ControlPlace* FindPlace(Control control) {
  for (const ControlPlace& place : kPlaces) {
    if (control == place.control) return &place;
  }
  return nullptr;
}

ControlKind KindOf(Control control) {
  const std::string_view name = ControlName(control);
  for (const Prefix& prefix : kPrefixes) {
    if (name.substr(0, prefix.text.size()) == prefix.text) return prefix.kind;
  }
  return ControlKind::kUnknown;
}

std::optional<Control> ParentOf(Control control) {
  switch (control) {
    case Control::kLabel1211:
    case Control::kLabel1212:
    case Control::kImage1:
    case Control::kBevel1:
    case Control::kButton1:
    case Control::kButton2:
    case Control::kButton3: return std::nullopt;
    case Control::kLabel1:
    case Control::kImage2:
    case Control::kButton4:
    case Control::kButton5:
    case Control::kButton6: return Control::kPanel1;
    default: break;
  }
  if (KindOf(control) == ControlKind::kPanel) return std::nullopt;
  // The page is the control's number without its last two digits.
  const std::string_view name = ControlName(control);
  const std::string_view number = name.substr(name.find_first_of("0123456789"));
  return wizard::PagePanel(std::stoi(std::string(number.substr(0, number.size() - 2))));
}

}  // namespace setup::window
