#include "banner/app/window/startup_rules.h"

#include <gtest/gtest.h>

namespace plakato {
namespace {

TEST(VersionTextTest, LabelAndInstallVersion) {
  EXPECT_EQ(FormatVersionLabel({1, 0, 0}), "ver1.00");
  EXPECT_EQ(FormatVersionLabel({2, 5, 999}), "ver2.05");
  EXPECT_EQ(FormatVersionLabel({1, 12, 1000}), "ver1.12a");
  EXPECT_EQ(FormatVersionLabel({1, 0, 1999}), "ver1.00a");
  EXPECT_EQ(FormatVersionLabel({1, 0, 2000}), "ver1.00b");
  EXPECT_EQ(FormatVersionLabel({1, 0, 9999}), "ver1.00i");
  EXPECT_EQ(FormatVersionLabel({1, 0, 999999}), "ver1.00z");
  EXPECT_EQ(FormatInstallVersion({1, 0, 0}), "1.00.0000");
  EXPECT_EQ(FormatInstallVersion({3, 7, 42}), "3.07.0042");
  EXPECT_EQ(FormatVersionLabel(kProgramVersion), "ver1.00");
  EXPECT_EQ(FormatInstallVersion(kProgramVersion), "1.00.0000");
}

TEST(CommandLineTest, SettingsFileIsTheWholeLineEndingInPkc) {
  EXPECT_EQ(SettingsPathFromArguments({"Plakato", "/tmp/a.pkc"}), "/tmp/a.pkc");
  EXPECT_EQ(SettingsPathFromArguments({"Plakato", "/tmp/DESIGN.PKC"}), "/tmp/DESIGN.PKC");
  EXPECT_EQ(SettingsPathFromArguments({"Plakato", "/tmp/x.Pkc"}), "/tmp/x.Pkc");
  // A path with blanks arrives split by the shell; the pieces are joined again.
  EXPECT_EQ(SettingsPathFromArguments({"Plakato", "/tmp/my", "banner", "design.pkc"}),
            "/tmp/my banner design.pkc");
  EXPECT_EQ(SettingsPathFromArguments({"Plakato", ".pkc"}), ".pkc");
}

TEST(CommandLineTest, AnythingElseLoadsNothing) {
  EXPECT_EQ(SettingsPathFromArguments({"Plakato"}), std::nullopt);
  EXPECT_EQ(SettingsPathFromArguments({}), std::nullopt);
  EXPECT_EQ(SettingsPathFromArguments({"Plakato", "pkc"}), std::nullopt);
  EXPECT_EQ(SettingsPathFromArguments({"Plakato", "/tmp/a.pkc\""}), std::nullopt);
  EXPECT_EQ(SettingsPathFromArguments({"Plakato", "/tmp/a.pkc", "--x"}), std::nullopt);
  EXPECT_EQ(SettingsPathFromArguments({"Plakato", "/tmp/a.bmp"}), std::nullopt);
  EXPECT_EQ(SettingsPathFromArguments({"Plakato", "/tmp/a.pkcx"}), std::nullopt);
}

TEST(WindowCaptionTest, NamesTheFileAndMarksUnsavedChanges) {
  EXPECT_EQ(WindowCaption("", false), "Plakato");
  EXPECT_EQ(WindowCaption("", true), "*Plakato");
  EXPECT_EQ(WindowCaption("/home/u/バナー.pkc", false), "バナー.pkc - Plakato");
  EXPECT_EQ(WindowCaption("/home/u/a.pkc", true), "*a.pkc - Plakato");
}

}  // namespace
}  // namespace plakato
