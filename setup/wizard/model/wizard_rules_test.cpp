#include <gtest/gtest.h>

#include "setup/wizard/model/byte_size.h"
#include "setup/wizard/model/entry_checks.h"
#include "setup/wizard/model/label_fit.h"
#include "setup/wizard/model/start_checks.h"
#include "setup/wizard/model/wizard_pages.h"

namespace setup::wizard {
namespace {

using platform::target::DriveType;

TEST(ByteSizeTest, UnitsByDigitCountWithTwoDecimalsAndSeparators) {
  EXPECT_EQ(FormatByteSize(0), "0.00B");
  EXPECT_EQ(FormatByteSize(999), "999.00B");
  EXPECT_EQ(FormatByteSize(1536), "1.50KB");
  EXPECT_EQ(FormatByteSize(999999), "976.56KB");
  EXPECT_EQ(FormatByteSize(1048576), "1.00MB");
  EXPECT_EQ(FormatByteSize(5368709120), "5.00GB");
  EXPECT_EQ(FormatByteSize(999999999999999), "909.49TB");
  EXPECT_EQ(FormatByteSize(1000000000000000), "");  // 16 digits
  EXPECT_EQ(FormatByteSize(-1), "");
  EXPECT_EQ(FormatNumber(std::uint64_t{1234567}), "1,234,567");
  EXPECT_EQ(FormatNumber(std::uint64_t{999}), "999");
  EXPECT_EQ(FormatNumber(std::uint64_t{18446744073709551615u}), "18,446,744,073,709,551,615");
  EXPECT_EQ(FormatNumber(1234.005, 2), "1,234.01");
}

TEST(EntryChecksTest, LengthAndPatternOfUserFields) {
  EXPECT_TRUE(UserEntryMatches("A123456Z", 8, "A*Z"));
  EXPECT_FALSE(UserEntryMatches("A12345Z", 8, "A*Z"));   // length
  EXPECT_FALSE(UserEntryMatches("B123456Z", 8, "A*Z"));  // prefix
  EXPECT_FALSE(UserEntryMatches("A123456Y", 8, "A*Z"));  // suffix
  EXPECT_TRUE(UserEntryMatches("anything", 0, ""));
  EXPECT_TRUE(UserEntryMatches("ABC", 0, "ABC"));         // equal to the pattern
  EXPECT_FALSE(UserEntryMatches("ABD", 0, "ABC"));        // no "*"
  EXPECT_FALSE(UserEntryMatches("Z", 0, "AB*XYZ"));       // shorter than both ends
  EXPECT_TRUE(UserEntryMatches("氏名太郎", 4, "氏*郎"));  // characters, not bytes
  EXPECT_FALSE(UserEntryMatches("氏名", 4, ""));
  EXPECT_EQ(UserEntryName("会員番号(半角8桁):"), "会員番号");
  EXPECT_EQ(UserEntryName("氏名:"), "氏名");
  EXPECT_EQ(UserEntryName("会社名"), "会社名");
  EXPECT_EQ(FolderRefusalText("C:\\a|b", "C:\\a|b"),
            "フォルダ名に次の文字は使えません。\n * ? \" < > |\n\nC:\\a|b");
  EXPECT_EQ(FolderRefusalText("C:\\x", "x"), "フォルダが作成できません。\nx");
}

TEST(WizardPagesTest, NavigationSkipsSwitchedOffPagesBothWays) {
  const std::string mask = "1010010111";  // pages 2, 4, 7, 9, 10, 11
  EXPECT_EQ(NextPage(mask, 2), 4);
  EXPECT_EQ(NextPage(mask, 4), 7);
  EXPECT_EQ(NextPage(mask, 7), 9);
  EXPECT_EQ(PreviousPage(mask, 9), 7);
  EXPECT_EQ(PreviousPage(mask, 7), 4);
  EXPECT_EQ(PreviousPage(mask, 4), 2);
  EXPECT_EQ(PreviousPage("0000000111", 9), 2);  // never below page 2
  EXPECT_EQ(NextPage("0000000000111", 12), 13);
  EXPECT_EQ(NextPage("", 5), 14);  // an empty mask still ends
}

// The numbered groups count along the form's names; a group that ran into
// a neighbouring control would fill or read the wrong one.
TEST(ControlIdTest, NumberedGroupsFollowTheFormNames) {
  const auto name = [](Control c) { return std::string(ControlName(c)); };
  for (int page = kFirstPage; page <= kLastPage; ++page) {
    EXPECT_EQ(name(PagePanel(page)), "Panel" + std::to_string(page) + "03");
  }
  for (int n = 1; n <= 3; ++n) {
    EXPECT_EQ(name(UserEntryLabel(n)), "Label40" + std::to_string(n + 1));
    EXPECT_EQ(name(UserEntryEdit(n)), "Edit40" + std::to_string(n));
    EXPECT_EQ(name(FavoriteCheckBox(n)), "CheckBox80" + std::to_string(n + 2));
    EXPECT_EQ(name(FavoriteLabel(n)), "Label80" + std::to_string(n + 1));
    EXPECT_EQ(name(FinishCheckBox(n)), "CheckBox110" + std::to_string(n + 1));
  }
  for (int step = 0; step < 5; ++step) {
    EXPECT_EQ(name(InstallProgressBar(step)), "ProgressBar100" + std::to_string(step + 1));
    EXPECT_EQ(name(InstallStepLabel(step)), "Label100" + std::to_string(step + 3));
    EXPECT_EQ(name(UninstallProgressBar(step)), "ProgressBar130" + std::to_string(step + 1));
    EXPECT_EQ(name(UninstallStepLabel(step)), "Label130" + std::to_string(step + 4));
  }
  for (int i = 0; i < kControlCount; ++i) {
    const auto control = static_cast<Control>(i);
    EXPECT_EQ(ControlByName(ControlName(control)), control) << name(control);
  }
  EXPECT_EQ(ControlByName("Edit404"), std::nullopt);
  // The work pages' rows: the install page's first step, the uninstall
  // page's last, and none elsewhere.
  ASSERT_TRUE(StepRowOf(kInstallPage, 0));
  EXPECT_EQ(name(StepRowOf(kInstallPage, 0)->label), "Label1003");
  EXPECT_EQ(name(StepRowOf(kUninstallPage, 4)->bar), "ProgressBar1305");
  EXPECT_EQ(name(StepRowOf(kUninstallPage, 4)->marker), "Image1302");
  EXPECT_FALSE(StepRowOf(kInstallDonePage, 0));
  EXPECT_FALSE(StepRowOf(kInstallPage, 5));
  EXPECT_DEATH(PagePanel(kLastPage + 1), "page panels");
  EXPECT_DEATH(InstallProgressBar(5), "install progress bars");
}

TEST(StartChecksTest, OsCheckListAndModes) {
  const std::string os_check = "1101111";  // Windows 98 not allowed
  ASSERT_TRUE(OsCheckApplies(os_check));
  EXPECT_FALSE(OsAllowed(os_check, 102));
  EXPECT_TRUE(OsAllowed(os_check, 101));
  EXPECT_TRUE(OsAllowed(os_check, 200));  // any other system: character 7
  EXPECT_EQ(OsCheckText(os_check),
            "この製品は以下のOS以外では正しく動作しない可能性があります。インストールを続けますか？\n"
            "「Windows 95」「Windows ME」「Windows NT」「Windows 2000」");
  EXPECT_EQ(OsCheckText("2000001"),
            "この製品は以下のOS以外では正しく動作しません。インストールを中止します。\n");
  for (const char* off : {"", "0111111", "3000000", "a", "\xEF\xBC\x91"}) {
    EXPECT_FALSE(OsCheckApplies(off)) << off;
  }
  EXPECT_FALSE(OsAllowed("1", 202));  // a short value allows nothing
}

TEST(StartChecksTest, CdCheckByDriveType) {
  EXPECT_TRUE(PassesCdCheck("1", DriveType::kRemote));
  EXPECT_FALSE(PassesCdCheck("2", DriveType::kRemote));
  for (const char* mode : {"1", "2"}) {
    EXPECT_TRUE(PassesCdCheck(mode, DriveType::kCdRom));
    EXPECT_TRUE(PassesCdCheck(mode, DriveType::kUnknown));
    EXPECT_TRUE(PassesCdCheck(mode, DriveType::kNoRootDir));
    EXPECT_FALSE(PassesCdCheck(mode, DriveType::kFixed));
    EXPECT_FALSE(PassesCdCheck(mode, DriveType::kRemovable));
  }
  EXPECT_TRUE(PassesCdCheck("3", DriveType::kFixed));
}

// Fits texts of at most `width` bytes.
class ByteWidth : public TextMeasure {
 public:
  explicit ByteWidth(std::size_t width) : width_(width) {}
  bool Fits(Control, std::string_view text) const override { return text.size() <= width_; }

 private:
  std::size_t width_;
};

TEST(LabelFitTest, LongTextsAreCutWithDotsAndKeptInTheHint) {
  const ByteWidth ten(10);
  EXPECT_EQ(FitLabelText(&ten, Control::kLabel802, "http://a/").text, "http://a/");
  EXPECT_EQ(FitLabelText(&ten, Control::kLabel802, "http://a/").hint, "");
  const FittedText cut = FitLabelText(&ten, Control::kLabel802, "http://example.com/");
  EXPECT_EQ(cut.text, "http://...");
  EXPECT_EQ(cut.hint, "http://example.com/|");
  const ByteWidth tiny(1);
  EXPECT_EQ(FitLabelText(&tiny, Control::kLabel802, "日本語").text, "日...");  // whole characters
  EXPECT_EQ(FitLabelText(nullptr, Control::kLabel802, "http://example.com/").text, "http://example.com/");
}

}  // namespace
}  // namespace setup::wizard
