#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace setup::wizard {

// Every control of the wizard window, named as on the form. The model and
// every view refer to controls only through these identifiers, so a
// mistyped control does not compile.
// clang-format off
#define SETUP_WIZARD_CONTROLS(X)                                                                    \
  /* The window's own: the picture, the bevel, the buttons, the mark. */                            \
  X(Image1) X(Bevel1) X(Button1) X(Button2) X(Button3) X(Label1211) X(Label1212)                    \
  /* Page panels, "Panel" + page + "03". */                                                         \
  X(Panel203) X(Panel303) X(Panel403) X(Panel503) X(Panel603) X(Panel703) X(Panel803) X(Panel903)   \
  X(Panel1003) X(Panel1103) X(Panel1203) X(Panel1303) X(Panel1403)                                  \
  /* Page 2: welcome. */                                                                            \
  X(Label201) X(Image202) X(Label202) X(Memo201)                                                    \
  /* Page 3: licence. */                                                                            \
  X(Label301) X(Memo301)                                                                            \
  /* Page 4: user entries. */                                                                       \
  X(Label401) X(Label402) X(Label403) X(Label404) X(Edit401) X(Edit402) X(Edit403)                  \
  /* Page 5: folder. */                                                                             \
  X(Edit501) X(Label502) X(Label503) X(Label504) X(Label505) X(Label506) X(Label507) X(Label508)    \
  X(RadioButton501) X(RadioButton502) X(CheckBox501) X(SpeedButton502)                              \
  /* Page 6: shortcuts. */                                                                          \
  X(Label601) X(Label602) X(Label603) X(RadioButton601) X(RadioButton602) X(Edit601)                \
  X(ListBox601) X(CheckBox601) X(CheckBox602) X(CheckBox603) X(CheckBox604) X(CheckBox605)          \
  /* Page 7: extensions. */                                                                         \
  X(Label701) X(Label702) X(Label703) X(ListBox701) X(CheckBox701) X(SpeedButton702)                \
  /* Page 8: favourites. */                                                                         \
  X(Label801) X(Label802) X(Label803) X(Label804) X(CheckBox801) X(CheckBox802) X(CheckBox803)      \
  X(CheckBox804) X(CheckBox805) X(Edit801) X(Edit802) X(SpeedButton802) X(SpeedButton803)           \
  /* Page 9: ready. */                                                                              \
  X(Label901)                                                                                       \
  /* Page 10: installing. */                                                                        \
  X(Label1001) X(Label1002) X(Image1002) X(Label1003) X(Label1004) X(Label1005) X(Label1006)        \
  X(Label1007) X(ProgressBar1001) X(ProgressBar1002) X(ProgressBar1003) X(ProgressBar1004)          \
  X(ProgressBar1005)                                                                                \
  /* Page 11: installed. */                                                                         \
  X(Label1101) X(Label1102) X(CheckBox1101) X(CheckBox1102) X(CheckBox1103) X(CheckBox1104)         \
  /* Page 12: uninstall start. */                                                                   \
  X(Label1201) X(Label1202) X(Memo1201) X(CheckBox1201)                                             \
  /* Page 13: uninstalling. */                                                                      \
  X(Label1301) X(Label1302) X(Image1302) X(Label1303) X(Label1304) X(Label1305) X(Label1306)        \
  X(Label1307) X(Label1308) X(ProgressBar1301) X(ProgressBar1302) X(ProgressBar1303)                \
  X(ProgressBar1304) X(ProgressBar1305)                                                             \
  /* Page 14: uninstalled. */                                                                       \
  X(Label1401) X(Label1402) X(CheckBox1401)                                                         \
  /* The clean-up question. */                                                                      \
  X(Panel1) X(Label1) X(Image2) X(Button4) X(Button5) X(Button6)
// clang-format on

enum class Control : std::uint8_t {
#define SETUP_WIZARD_CONTROL_ENUM(name) k##name,
  SETUP_WIZARD_CONTROLS(SETUP_WIZARD_CONTROL_ENUM)
#undef SETUP_WIZARD_CONTROL_ENUM
};

inline constexpr int kControlCount = 0
#define SETUP_WIZARD_CONTROL_COUNT(name) +1
    SETUP_WIZARD_CONTROLS(SETUP_WIZARD_CONTROL_COUNT)
#undef SETUP_WIZARD_CONTROL_COUNT
    ;

inline constexpr int ControlIndex(Control control) { return static_cast<int>(control); }

// Every control, in the order of the form.
std::span<const Control> AllControls();

// The form's name of a control ("Edit501").
std::string_view ControlName(Control control);
// The control of a form name; nothing for a name the form does not have.
std::optional<Control> ControlByName(std::string_view name);

// Numbered groups of controls. A number outside its group is a programming
// error: the program stops with a message instead of touching another
// control.
Control PagePanel(int page);             // pages 2..14: Panel203..Panel1403
Control UserEntryLabel(int field);       // fields 1..3: Label402..Label404
Control UserEntryEdit(int field);        // fields 1..3: Edit401..Edit403
Control FavoriteCheckBox(int slot);      // slots 1..3: CheckBox803..CheckBox805
Control FavoriteLabel(int slot);         // slots 1..3: Label802..Label804
Control FinishCheckBox(int slot);        // slots 1..3: CheckBox1102..CheckBox1104
Control InstallProgressBar(int step);    // steps 0..4: ProgressBar1001..ProgressBar1005
Control InstallStepLabel(int step);      // steps 0..4: Label1003..Label1007
Control UninstallProgressBar(int step);  // steps 0..4: ProgressBar1301..ProgressBar1305
Control UninstallStepLabel(int step);    // steps 0..4: Label1304..Label1308

}  // namespace setup::wizard
