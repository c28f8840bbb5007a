#include "setup/wizard/model/wizard_controls.h"

#include "setup/wizard/model/wizard_pages.h"

namespace setup::wizard {
namespace {

// The controls as the form is designed: name and fixed caption. Pages show
// their panel only when current; everything else starts visible.
struct Designed {
  const char* name;
  const char* text;
};

constexpr Designed kDesigned[] = {
    {"Button1", "< 戻る(&B)"}, {"Button2", "次へ(&N) >"}, {"Button3", "キャンセル"},
    // Page 2.
    {"Label201", ""}, {"Image202", ""}, {"Label202", ""}, {"Memo201", ""},
    // Page 3.
    {"Label301", ""}, {"Memo301", ""},
    // Page 4.
    {"Label401", "以下の項目に記入してください。"}, {"Label402", ""}, {"Label403", ""},
    {"Label404", ""}, {"Edit401", ""}, {"Edit402", ""}, {"Edit403", ""},
    // Page 5.
    {"Edit501", ""}, {"Label502", "必要容量:"}, {"Label503", "空き容量:"}, {"Label504", ""},
    {"Label505", ""}, {"Label506", ""}, {"Label507", ""},
    {"Label508", "(必要最低限のファイルのみインストールします。)"},
    {"RadioButton501", "指定のフォルダにインストール(&F)"}, {"RadioButton502", "CD-ROMから起動(&C)"},
    {"CheckBox501", "上書きする前にファイルをごみ箱に捨てる(&D)"}, {"SpeedButton502", "参照(&R)"},
    // Page 6.
    {"Label601", ""}, {"Label602", "ユーザー:"}, {"Label603", "既存のフォルダ:"},
    {"RadioButton601", "All Users"}, {"RadioButton602", ""}, {"Edit601", ""}, {"ListBox601", ""},
    {"CheckBox601", "スタートメニュー(&S)"}, {"CheckBox602", "スタートアップ(&T)"},
    {"CheckBox603", "デスクトップ(&D)"}, {"CheckBox604", "送る(&E)"},
    {"CheckBox605", "クイック起動(&Q)"},
    // Page 7.
    {"Label701", ""}, {"Label702", "「拡張子 … 現在の状態」を表しています。"},
    {"Label703", "[Ctrl]を押しながらクリックすると複数選択できます。"}, {"ListBox701", ""},
    {"CheckBox701", "拡張子を関連付ける(&E)"}, {"SpeedButton702", "元に戻す"},
    // Page 8.
    {"Label801", ""}, {"Label802", ""}, {"Label803", ""}, {"Label804", ""},
    {"CheckBox801", "Internet Explorerに登録する(&I)"},
    {"CheckBox802", "Netscape Navigatorに登録する(&C)"}, {"CheckBox803", ""},
    {"CheckBox804", ""}, {"CheckBox805", ""}, {"Edit801", ""}, {"Edit802", ""},
    {"SpeedButton802", "参照"}, {"SpeedButton803", "参照"},
    // Page 9.
    {"Label901", ""},
    // Page 10.
    {"Label1001", "インストール中です。"}, {"Label1002", ""}, {"Label1003", "ファイル"},
    {"Label1004", "フォルダ"}, {"Label1005", "ショートカット"}, {"Label1006", "レジストリ"},
    {"Label1007", "お気に入り"}, {"ProgressBar1001", ""}, {"ProgressBar1002", ""},
    {"ProgressBar1003", ""}, {"ProgressBar1004", ""}, {"ProgressBar1005", ""},
    // Page 11.
    {"Label1101", "インストールが完了しました。"}, {"Label1102", ""},
    {"CheckBox1101", "Windowsを再起動する(&R)"}, {"CheckBox1102", ""}, {"CheckBox1103", ""},
    {"CheckBox1104", ""},
    // Page 12.
    {"Label1201", ""}, {"Label1202", ""}, {"Memo1201", ""},
    {"CheckBox1201", "ファイルはごみ箱に捨てる(&D)"},
    {"Label1211", "kestro Setup for Windows\nTallowmere Tools Installer"}, {"Label1212", "TM"},
    // Page 13.
    {"Label1301", ""}, {"Label1302", "アンインストール中です。"}, {"Label1303", ""},
    {"Label1304", "起動"}, {"Label1305", "ファイル"}, {"Label1306", "フォルダ"},
    {"Label1307", "ショートカット"}, {"Label1308", "レジストリ"}, {"ProgressBar1301", ""},
    {"ProgressBar1302", ""}, {"ProgressBar1303", ""}, {"ProgressBar1304", ""},
    {"ProgressBar1305", ""},
    // Page 14.
    {"Label1401", ""}, {"Label1402", "アンインストールが完了しました。"},
    {"CheckBox1401", "Windowsを再起動する(&R)"},
    // Clean-up mode.
    {"Panel1", ""}, {"Label1", ""}, {"Image2", ""}, {"Button4", "はい(&Y)"},
    {"Button5", "いいえ(&N)"}, {"Button6", "ごみ箱へ"},
};

// Hidden until a page's filling shows them.
constexpr const char* kHiddenAtStart[] = {"Memo201", "Memo1201", "Label1211", "Label1212",
                                          "CheckBox1101", "Panel1"};
// Bold headings.
constexpr const char* kBold[] = {"Label1001", "Label1101", "Label1201", "Label1302", "Label1402"};

}  // namespace

ControlSet::ControlSet() {
  for (const Designed& d : kDesigned) controls_[d.name].text = d.text;
  for (int page = kFirstPage; page <= kLastPage; ++page) controls_[PanelName(page)].visible = false;
  for (const char* name : kHiddenAtStart) controls_[name].visible = false;
  for (const char* name : kBold) controls_[name].bold = true;
  controls_["CheckBox701"].checked = true;
  controls_["RadioButton501"].checked = true;
}

const ControlState& ControlSet::Get(std::string_view name) const {
  static const ControlState kEmpty;
  const auto it = controls_.find(name);
  return it == controls_.end() ? kEmpty : it->second;
}

ControlState& ControlSet::operator[](std::string_view name) {
  const auto it = controls_.find(name);
  if (it != controls_.end()) return it->second;
  scratch_ = ControlState{};
  return scratch_;
}

}  // namespace setup::wizard
