#include "setup/wizard/model/wizard_controls.h"

#include "setup/wizard/model/wizard_pages.h"

namespace setup::wizard {
namespace {

// The controls as the form is designed: name and fixed caption. Pages show
// their panel only when current; everything else starts visible.
struct Designed {
  Control control;
  const char* text;
};

constexpr Designed kDesigned[] = {
    {Control::kButton1, "< 戻る(&B)"},
    {Control::kButton2, "次へ(&N) >"},
    {Control::kButton3, "キャンセル"},
    // Page 2.
    {Control::kLabel201, ""},
    {Control::kImage202, ""},
    {Control::kLabel202, ""},
    {Control::kMemo201, ""},
    // Page 3.
    {Control::kLabel301, ""},
    {Control::kMemo301, ""},
    // Page 4.
    {Control::kLabel401, "以下の項目に記入してください。"},
    {Control::kLabel402, ""},
    {Control::kLabel403, ""},
    {Control::kLabel404, ""},
    {Control::kEdit401, ""},
    {Control::kEdit402, ""},
    {Control::kEdit403, ""},
    // Page 5.
    {Control::kEdit501, ""},
    {Control::kLabel502, "必要容量:"},
    {Control::kLabel503, "空き容量:"},
    {Control::kLabel504, ""},
    {Control::kLabel505, ""},
    {Control::kLabel506, ""},
    {Control::kLabel507, ""},
    {Control::kLabel508, "(必要最低限のファイルのみインストールします。)"},
    {Control::kRadioButton501, "指定のフォルダにインストール(&F)"},
    {Control::kRadioButton502, "CD-ROMから起動(&C)"},
    {Control::kCheckBox501, "上書きする前にファイルをごみ箱に捨てる(&D)"},
    {Control::kSpeedButton502, "参照(&R)"},
    // Page 6.
    {Control::kLabel601, ""},
    {Control::kLabel602, "ユーザー:"},
    {Control::kLabel603, "既存のフォルダ:"},
    {Control::kRadioButton601, "All Users"},
    {Control::kRadioButton602, ""},
    {Control::kEdit601, ""},
    {Control::kListBox601, ""},
    {Control::kCheckBox601, "スタートメニュー(&S)"},
    {Control::kCheckBox602, "スタートアップ(&T)"},
    {Control::kCheckBox603, "デスクトップ(&D)"},
    {Control::kCheckBox604, "送る(&E)"},
    {Control::kCheckBox605, "クイック起動(&Q)"},
    // Page 7.
    {Control::kLabel701, ""},
    {Control::kLabel702, "「拡張子 … 現在の状態」を表しています。"},
    {Control::kLabel703, "[Ctrl]を押しながらクリックすると複数選択できます。"},
    {Control::kListBox701, ""},
    {Control::kCheckBox701, "拡張子を関連付ける(&E)"},
    {Control::kSpeedButton702, "元に戻す"},
    // Page 8.
    {Control::kLabel801, ""},
    {Control::kLabel802, ""},
    {Control::kLabel803, ""},
    {Control::kLabel804, ""},
    {Control::kCheckBox801, "Internet Explorerに登録する(&I)"},
    {Control::kCheckBox802, "Netscape Navigatorに登録する(&C)"},
    {Control::kCheckBox803, ""},
    {Control::kCheckBox804, ""},
    {Control::kCheckBox805, ""},
    {Control::kEdit801, ""},
    {Control::kEdit802, ""},
    {Control::kSpeedButton802, "参照"},
    {Control::kSpeedButton803, "参照"},
    // Page 9.
    {Control::kLabel901, ""},
    // Page 10.
    {Control::kLabel1001, "インストール中です。"},
    {Control::kLabel1002, ""},
    {Control::kLabel1003, "ファイル"},
    {Control::kLabel1004, "フォルダ"},
    {Control::kLabel1005, "ショートカット"},
    {Control::kLabel1006, "レジストリ"},
    {Control::kLabel1007, "お気に入り"},
    {Control::kProgressBar1001, ""},
    {Control::kProgressBar1002, ""},
    {Control::kProgressBar1003, ""},
    {Control::kProgressBar1004, ""},
    {Control::kProgressBar1005, ""},
    // Page 11.
    {Control::kLabel1101, "インストールが完了しました。"},
    {Control::kLabel1102, ""},
    {Control::kCheckBox1101, "Windowsを再起動する(&R)"},
    {Control::kCheckBox1102, ""},
    {Control::kCheckBox1103, ""},
    {Control::kCheckBox1104, ""},
    // Page 12.
    {Control::kLabel1201, ""},
    {Control::kLabel1202, ""},
    {Control::kMemo1201, ""},
    {Control::kCheckBox1201, "ファイルはごみ箱に捨てる(&D)"},
    {Control::kLabel1211, "kestro Setup for Windows\nTallowmere Tools Installer"},
    {Control::kLabel1212, "TM"},
    // Page 13.
    {Control::kLabel1301, ""},
    {Control::kLabel1302, "アンインストール中です。"},
    {Control::kLabel1303, ""},
    {Control::kLabel1304, "起動"},
    {Control::kLabel1305, "ファイル"},
    {Control::kLabel1306, "フォルダ"},
    {Control::kLabel1307, "ショートカット"},
    {Control::kLabel1308, "レジストリ"},
    {Control::kProgressBar1301, ""},
    {Control::kProgressBar1302, ""},
    {Control::kProgressBar1303, ""},
    {Control::kProgressBar1304, ""},
    {Control::kProgressBar1305, ""},
    // Page 14.
    {Control::kLabel1401, ""},
    {Control::kLabel1402, "アンインストールが完了しました。"},
    {Control::kCheckBox1401, "Windowsを再起動する(&R)"},
    // Clean-up mode.
    {Control::kPanel1, ""},
    {Control::kLabel1, ""},
    {Control::kImage2, ""},
    {Control::kButton4, "はい(&Y)"},
    {Control::kButton5, "いいえ(&N)"},
    {Control::kButton6, "ごみ箱へ"},
};

// Hidden until a page's filling shows them.
constexpr Control kHiddenAtStart[] = {Control::kMemo201,   Control::kMemo1201,     Control::kLabel1211,
                                      Control::kLabel1212, Control::kCheckBox1101, Control::kPanel1};
// Bold headings.
constexpr Control kBold[] = {Control::kLabel1001, Control::kLabel1101, Control::kLabel1201,
                             Control::kLabel1302, Control::kLabel1402};

}  // namespace

ControlSet::ControlSet() {
  for (const Designed& d : kDesigned) (*this)[d.control].text = d.text;
  for (int page = kFirstPage; page <= kLastPage; ++page) (*this)[PagePanel(page)].visible = false;
  for (const Control control : kHiddenAtStart) (*this)[control].visible = false;
  for (const Control control : kBold) (*this)[control].bold = true;
  (*this)[Control::kCheckBox701].checked = true;
  (*this)[Control::kRadioButton501].checked = true;
}

}  // namespace setup::wizard
