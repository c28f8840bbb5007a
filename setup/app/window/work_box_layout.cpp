#include "setup/app/window/work_box_layout.h"

#include <algorithm>
#include <cctype>

namespace setup::window {
namespace {

// Page coordinates are inside the page's 313 x 262 panel.
constexpr ControlPlace kPlaces[] = {
    // The window's own.
    {"Image1", 4, 7, 136, 248},
    {"Button1", 218, 272, 75, 23},
    {"Button2", 293, 272, 75, 23},
    {"Button3", 382, 272, 75, 23},
    {"Label1211", 8, 270, 200, 28},
    {"Label1212", 141, 266, 16, 10},
    // Page 2.
    {"Label201", 8, 8, 297, 132},
    {"Image202", 8, 148, 32, 32},
    {"Label202", 48, 148, 257, 32},
    {"Memo201", 8, 188, 297, 68},
    // Page 3.
    {"Label301", 8, 8, 297, 48},
    {"Memo301", 8, 60, 297, 196},
    // Page 4.
    {"Label401", 8, 8, 297, 16},
    {"Label402", 8, 40, 297, 16},
    {"Edit401", 8, 58, 297, 21},
    {"Label403", 8, 92, 297, 16},
    {"Edit402", 8, 110, 297, 21},
    {"Label404", 8, 144, 297, 16},
    {"Edit403", 8, 162, 297, 21},
    // Page 5.
    {"RadioButton501", 8, 8, 297, 20},
    {"Edit501", 26, 32, 204, 21},
    {"SpeedButton502", 234, 31, 71, 23},
    {"Label502", 26, 64, 70, 16},
    {"Label504", 96, 64, 124, 16},
    {"Label506", 224, 64, 81, 16},
    {"Label503", 26, 84, 70, 16},
    {"Label505", 96, 84, 124, 16},
    {"Label507", 224, 84, 81, 16},
    {"RadioButton502", 8, 116, 297, 20},
    {"Label508", 26, 138, 279, 16},
    {"CheckBox501", 8, 176, 297, 20},
    // Page 6.
    {"Label601", 8, 8, 297, 32},
    {"Label602", 8, 46, 60, 16},
    {"RadioButton601", 70, 44, 100, 20},
    {"RadioButton602", 172, 44, 133, 20},
    {"CheckBox601", 8, 70, 297, 20},
    {"Edit601", 26, 92, 279, 21},
    {"Label603", 26, 118, 279, 16},
    {"ListBox601", 26, 136, 279, 62},
    {"CheckBox602", 8, 206, 148, 20},
    {"CheckBox603", 158, 206, 147, 20},
    {"CheckBox604", 8, 230, 148, 20},
    {"CheckBox605", 158, 230, 147, 20},
    // Page 7.
    {"Label701", 8, 8, 297, 32},
    {"CheckBox701", 8, 44, 210, 20},
    {"SpeedButton702", 225, 42, 80, 23},
    {"ListBox701", 8, 70, 297, 142},
    {"Label702", 8, 218, 297, 16},
    {"Label703", 8, 238, 297, 16},
    // Page 8.
    {"Label801", 8, 8, 297, 32},
    {"CheckBox801", 8, 44, 297, 20},
    {"Edit801", 26, 66, 206, 21},
    {"SpeedButton802", 238, 65, 67, 23},
    {"CheckBox802", 8, 94, 297, 20},
    {"Edit802", 26, 116, 206, 21},
    {"SpeedButton803", 238, 115, 67, 23},
    {"CheckBox803", 8, 148, 297, 20},
    {"Label802", 26, 168, 279, 16},
    {"CheckBox804", 8, 186, 297, 20},
    {"Label803", 26, 206, 279, 16},
    {"CheckBox805", 8, 224, 297, 20},
    {"Label804", 26, 244, 279, 16},
    // Page 9.
    {"Label901", 8, 8, 297, 100},
    // Page 10: one row per step, the marker in front of the label.
    {"Label1001", 8, 8, 297, 16},
    {"Label1002", 8, 32, 297, 32},
    {"Image1002", 10, 85, 5, 11},
    {"Label1003", 20, 84, 90, 16},
    {"ProgressBar1001", 112, 82, 193, 18},
    {"Label1004", 20, 114, 90, 16},
    {"ProgressBar1002", 112, 112, 193, 18},
    {"Label1005", 20, 144, 90, 16},
    {"ProgressBar1003", 112, 142, 193, 18},
    {"Label1006", 20, 174, 90, 16},
    {"ProgressBar1004", 112, 172, 193, 18},
    {"Label1007", 20, 204, 90, 16},
    {"ProgressBar1005", 112, 202, 193, 18},
    // Page 11.
    {"Label1101", 8, 8, 297, 16},
    {"Label1102", 8, 32, 297, 32},
    {"CheckBox1101", 8, 80, 297, 20},
    {"CheckBox1102", 8, 110, 297, 20},
    {"CheckBox1103", 8, 134, 297, 20},
    {"CheckBox1104", 8, 158, 297, 20},
    // Page 12.
    {"Label1201", 8, 8, 297, 16},
    {"Label1202", 8, 32, 297, 100},
    {"Memo1201", 8, 136, 297, 92},
    {"CheckBox1201", 8, 236, 297, 20},
    // Page 13.
    {"Label1301", 8, 8, 297, 16},
    {"Label1302", 8, 28, 297, 16},
    {"Label1303", 8, 50, 297, 32},
    {"Image1302", 10, 99, 5, 11},
    {"Label1304", 20, 98, 90, 16},
    {"ProgressBar1301", 112, 96, 193, 18},
    {"Label1305", 20, 126, 90, 16},
    {"ProgressBar1302", 112, 124, 193, 18},
    {"Label1306", 20, 154, 90, 16},
    {"ProgressBar1303", 112, 152, 193, 18},
    {"Label1307", 20, 182, 90, 16},
    {"ProgressBar1304", 112, 180, 193, 18},
    {"Label1308", 20, 210, 90, 16},
    {"ProgressBar1305", 112, 208, 193, 18},
    // Page 14.
    {"Label1401", 8, 8, 297, 16},
    {"Label1402", 8, 32, 297, 16},
    {"CheckBox1401", 8, 80, 297, 20},
    // The clean-up question.
    {"Image2", 14, 14, 32, 32},
    {"Label1", 58, 14, 270, 48},
    {"Button4", 76, 78, 80, 23},
    {"Button5", 162, 78, 80, 23},
    {"Button6", 248, 78, 80, 23},
};

struct Prefix {
  std::string_view text;
  ControlKind kind;
};
// Longer prefixes first where one begins another.
constexpr Prefix kPrefixes[] = {
    {"ProgressBar", ControlKind::kProgressBar}, {"RadioButton", ControlKind::kRadioButton},
    {"SpeedButton", ControlKind::kSpeedButton}, {"CheckBox", ControlKind::kCheckBox},
    {"ListBox", ControlKind::kListBox},         {"Button", ControlKind::kButton},
    {"Panel", ControlKind::kPanel},             {"Label", ControlKind::kLabel},
    {"Edit", ControlKind::kEdit},               {"Memo", ControlKind::kMemo},
    {"Image", ControlKind::kImage},
};

}  // namespace

std::span<const ControlPlace> ControlPlaces() { return kPlaces; }

const ControlPlace* FindPlace(std::string_view name) {
  for (const ControlPlace& place : kPlaces) {
    if (name == place.name) return &place;
  }
  return nullptr;
}

ControlKind KindOf(std::string_view name) {
  for (const Prefix& prefix : kPrefixes) {
    if (name.substr(0, prefix.text.size()) == prefix.text) return prefix.kind;
  }
  return ControlKind::kUnknown;
}

std::string ParentOf(std::string_view name) {
  if (KindOf(name) == ControlKind::kPanel) return {};
  if (name == "Label1211" || name == "Label1212" || name == "Image1") return {};
  if (name == "Label1" || name == "Image2") return "Panel1";
  const std::size_t digits = name.find_first_of("0123456789");
  if (digits == std::string_view::npos) return {};
  const std::string_view number = name.substr(digits);
  if (number.size() <= 1) {
    // Button1..Button3 belong to the window, Button4..Button6 to Panel1.
    return KindOf(name) == ControlKind::kButton && number >= "4" ? "Panel1" : "";
  }
  // The page is the number without its last two digits.
  return "Panel" + std::string(number.substr(0, number.size() - 2)) + "03";
}

}  // namespace setup::window
