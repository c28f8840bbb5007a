#include "setup/core/setup_script.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/cp932.h"
#include "platform/testing/temp_dir.h"
#include "setup/core/script_values.h"

namespace setup {
namespace {

class SetupScriptTest : public ::testing::Test {
 protected:
  // Writes the script text, given in UTF-8, as code page 932 bytes.
  SetupScript Write(const std::string& utf8) {
    std::ofstream(file_, std::ios::binary) << platform::Utf8ToCp932(utf8);
    return SetupScript(file_);
  }
  void WriteRaw(const std::string& bytes) { std::ofstream(file_, std::ios::binary) << bytes; }

  platform::testing::TempDir dir_;
  std::filesystem::path file_ = dir_ / "Setup.dat";
};

TEST(ScriptValuesTest, IntegerParserTakesSignDecimalAndDollarHex) {
  EXPECT_EQ(ParseInteger("42"), 42);
  EXPECT_EQ(ParseInteger("-42"), -42);
  EXPECT_EQ(ParseInteger("+7"), 7);
  EXPECT_EQ(ParseInteger("$FFFF00"), 0xFFFF00);
  EXPECT_EQ(ParseInteger("$ff"), 255);
  EXPECT_EQ(ParseInteger("-$10"), -16);
  EXPECT_EQ(ParseInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
  EXPECT_EQ(ParseInteger("$100000000"), std::nullopt);
  EXPECT_EQ(ParseInteger("99999999999999999999999"), std::nullopt);
  for (const char* bad : {"", "-", "$", "0x10", "1 2", "12a", "abc", "1.5", "$G"}) {
    EXPECT_EQ(ParseInteger(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(ToInteger("abc", 7), 7);
  EXPECT_EQ(ToInteger("", 1), 1);
}

TEST(ScriptValuesTest, StrictSizeAcceptsOnlyDigits) {
  EXPECT_EQ(ParseStrictSize("1234567"), 1234567);
  EXPECT_EQ(ParseStrictSize("0"), 0);
  EXPECT_EQ(ParseStrictSize("5000000000"), 5000000000LL);
  for (const char* bad : {"", "$10", "-1", "1,000", "12 MB", "99999999999999999999"}) {
    EXPECT_EQ(ParseStrictSize(bad), std::nullopt) << bad;
  }
}

TEST(ScriptValuesTest, FlagStyles) {
  EXPECT_TRUE(IsOneFlagOn("1"));
  for (const char* off : {"", "yes", "11", "0", " 1"}) EXPECT_FALSE(IsOneFlagOn(off)) << off;
  EXPECT_FALSE(IsZeroFlagOn("0"));
  for (const char* on : {"", "no", "00", "1"}) EXPECT_TRUE(IsZeroFlagOn(on)) << on;
}

TEST(ScriptValuesTest, ItemKeysHaveNoLeadingZeros) {
  EXPECT_EQ(ItemKey("NewFile", 12), "NewFile12");
  EXPECT_EQ(ItemNumberOfKey("NewFile12"), 12);
  EXPECT_EQ(ItemNumberOfKey("File012"), std::nullopt);
  EXPECT_EQ(ItemNumberOfKey("Count"), std::nullopt);
  EXPECT_EQ(ItemNumberOfKey("12"), std::nullopt);
}

TEST_F(SetupScriptTest, ReadsValuesCaseInsensitivelyWithBlanksAndQuotesRemoved) {
  const SetupScript script =
      Write("[Define]\r\nname =  \"メーカー\"  \r\nVersion=1.0\r\n[define]\r\nKind=x\r\n");
  EXPECT_EQ(script.Read("DEFINE", "NAME"), "メーカー");
  EXPECT_EQ(script.Read("Define", "Version"), "1.0");
  EXPECT_EQ(script.Read("Define", "Missing", "dflt"), "dflt");
  EXPECT_EQ(script.Read("Nowhere", "Name"), "");
  EXPECT_EQ(SetupScript(dir_ / "none.dat").Read("Define", "Name", "d"), "d");
}

TEST_F(SetupScriptTest, AScriptEditedDuringTheRunIsReadAsItIsNow) {
  const SetupScript script = Write("[Define]\r\nName=製品A\r\n[File]\r\nCount=1\r\n");
  EXPECT_EQ(script.Read("Define", "Name"), "製品A");
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(script.ReadCount("File"), 1);
    Write("[Define]\r\nName=製品B\r\n[File]\r\nCount=2\r\n");  // same size, in place
    EXPECT_EQ(script.Read("Define", "Name"), "製品B");
    EXPECT_EQ(script.ReadCount("File"), 2);
    Write("[Define]\r\nName=製品A\r\n[File]\r\nCount=1\r\n");
    EXPECT_EQ(script.Read("Define", "Name"), "製品A");
  }
}

TEST_F(SetupScriptTest, ValueLongerThanTheBufferIsCutTo1023Bytes) {
  const std::string long_value(1100, 'x');
  const SetupScript script = Write("[Outline]\r\nText1=" + long_value + "\r\n");
  EXPECT_EQ(script.Read("Outline", "Text1"), long_value.substr(0, 1023));
}

TEST_F(SetupScriptTest, DoubleByteCharacterCutByTheLimitIsDroppedWhole) {
  // 1022 single bytes, then "ア" (two bytes): the limit falls inside it.
  const SetupScript script = Write("[S]\r\nK=" + std::string(1022, 'a') + "アイ\r\n");
  EXPECT_EQ(script.Read("S", "K"), std::string(1022, 'a'));
  // 1021 single bytes: "ア" fits whole, "イ" is cut.
  Write("[S]\r\nK=" + std::string(1021, 'a') + "アイ\r\n");
  EXPECT_EQ(script.Read("S", "K"), std::string(1021, 'a') + "ア");
}

TEST_F(SetupScriptTest, InvalidCodePageBytesDoNotBreakReading) {
  WriteRaw("[S]\r\nK=ab\xFF\x81\r\nN=5\r\n");
  const SetupScript script(file_);
  EXPECT_EQ(script.Read("S", "N"), "5");
  const std::string odd = script.Read("S", "K");
  EXPECT_EQ(odd.substr(0, 2), "ab");
  EXPECT_GT(odd.size(), 2u);
}

TEST_F(SetupScriptTest, MalformedLinesAndFilesGiveDefaults) {
  WriteRaw(std::string("[[[\r\n=orphan\r\nno equals sign\r\n[File\r\nCount=3\r\n\0\xFF]\r\n", 51) +
           "[Define]\r\nName=ok\r\n");
  const SetupScript script(file_);
  EXPECT_EQ(script.Read("Define", "Name"), "ok");
  EXPECT_EQ(script.Read("Define", "no equals sign", "d"), "d");
  EXPECT_EQ(script.ReadCount("Link"), 0);
  std::filesystem::create_directory(dir_ / "folder.dat");
  EXPECT_EQ(SetupScript(dir_ / "folder.dat").Read("Define", "Name", "d"), "d");
  EXPECT_FALSE(SetupScript(dir_ / "folder.dat").Exists());
}

TEST_F(SetupScriptTest, FlagKeysDistinguishMissingFromEmpty) {
  const SetupScript script = Write(
      "[Background]\r\nBold1=1\r\nBold2=yes\r\nBold3=\r\nItalic1=0\r\n"
      "[Link]\r\nMenuCheck=0\r\nDesktopCheck=no\r\n"
      "[Run]\r\nForce1=1\r\n");
  EXPECT_TRUE(script.ReadOneFlag("Background", "Bold1", "1"));
  EXPECT_FALSE(script.ReadOneFlag("Background", "Bold2", "1"));
  EXPECT_FALSE(script.ReadOneFlag("Background", "Bold3", "1"));
  EXPECT_TRUE(script.ReadOneFlag("Background", "Bold4", "1"));  // missing
  EXPECT_FALSE(script.ReadOneFlag("Background", "Italic1", "1"));
  EXPECT_TRUE(script.ReadOneFlag("Background", "Italic2", "1"));
  EXPECT_FALSE(script.ReadZeroFlag("Link", "MenuCheck"));
  EXPECT_TRUE(script.ReadZeroFlag("Link", "DesktopCheck"));
  EXPECT_TRUE(script.ReadZeroFlag("Link", "StartupCheck"));
  // A missing Force<n> reads "0" (changeable); a missing [Run] Force is
  // empty, which is not exactly "0" and so locks the restart box.
  EXPECT_FALSE(script.ReadZeroFlag("Run", "Force2", "0"));
  EXPECT_TRUE(script.ReadZeroFlag("Run", "Force1", "0"));
  EXPECT_NE(script.Read("Run", "Force"), "0");
}

TEST_F(SetupScriptTest, IntegersFallBackToTheirDefault) {
  const SetupScript script =
      Write("[Install]\r\nSave=abc\r\n[Background]\r\nColor1=$FF00\r\nSize1=\r\n[File]\r\nCount=-3\r\n");
  EXPECT_EQ(script.ReadInteger("Install", "Save", 1), 1);
  EXPECT_EQ(script.ReadItemInteger("Background", "Color", 1, 16776960), 0xFF00);
  EXPECT_EQ(script.ReadItemInteger("Background", "Size", 1, 72), 72);
  EXPECT_EQ(script.ReadItemInteger("Background", "Size", 2, 72), 72);
  EXPECT_EQ(script.ReadCount("File"), 0);
  EXPECT_EQ(script.ReadCount("Folder"), 0);
}

TEST_F(SetupScriptTest, InstallSizeIsStrict) {
  EXPECT_EQ(Write("[Install]\r\nSize=1048576\r\n").ReadInstallSize(), 1048576);
  EXPECT_EQ(Write("[Install]\r\n").ReadInstallSize(), 0);
  EXPECT_EQ(Write("[Install]\r\nSize=1MB\r\n").ReadInstallSize(), std::nullopt);
  EXPECT_EQ(Write("[Install]\r\nSize=$400\r\n").ReadInstallSize(), std::nullopt);
}

TEST_F(SetupScriptTest, TextListsStopAfterTheLastItemPresent) {
  const SetupScript script = Write(
      "[Outline]\r\nCount=2000000000\r\nText1=一行目\r\nText3=三行目\r\nText03=x\r\n"
      "[Licence]\r\nCount=2\r\nText1=a\r\nText2=b\r\nText3=c\r\n");
  EXPECT_EQ(script.ReadLines("Outline"), (std::vector<std::string>{"一行目", "", "三行目"}));
  EXPECT_EQ(script.ReadLines("Licence"), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(script.ReadLines("UnOutline").empty());
  EXPECT_EQ(script.HighestItemNumber("Outline"), 3);
}

TEST_F(SetupScriptTest, TextListsAreBoundedByTextItemsAlone) {
  // Another field's high number must not make a huge Count read that many lines.
  const SetupScript script = Write("[Outline]\r\nCount=2000000000\r\ntext1=a\r\nOther300000=x\r\n");
  EXPECT_EQ(script.ReadLines("Outline"), (std::vector<std::string>{"a"}));
  EXPECT_EQ(script.HighestItemNumber("Outline"), 300000);
  EXPECT_EQ(script.HighestItemNumber("Outline", "Text"), 1);

  // A far text item with a huge Count gives at most the memo's lines.
  const SetupScript far = Write("[Licence]\r\nCount=$7FFFFFFF\r\nText1=a\r\nText77777777777770=z\r\n");
  const auto lines = far.ReadLines("Licence");
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(SetupScript::kMaxTextLines));
  EXPECT_EQ(lines.front(), "a");
  EXPECT_EQ(lines.back(), "");
}

TEST_F(SetupScriptTest, ApplicationIdentifierChecks) {
  EXPECT_TRUE(IsAcceptedForSetup("kestro Setup 1.00"));
  EXPECT_FALSE(IsAcceptedForSetup("kestro Setup 1.00a"));
  EXPECT_FALSE(IsAcceptedForSetup("kestro setup 1.00"));
  EXPECT_TRUE(IsAcceptedForCleanUp("kestro Setup 1.00a"));
  EXPECT_TRUE(IsAcceptedForCleanUp("kestro Setup"));
  EXPECT_FALSE(IsAcceptedForCleanUp("kestro Setu"));
  EXPECT_FALSE(IsAcceptedForCleanUp(""));
  EXPECT_EQ(Write("[Define]\r\nApplication=kestro Setup 1.00\r\n").Application(), "kestro Setup 1.00");
}

TEST_F(SetupScriptTest, ApplicationKeyNameFallsBackToNameThenNot) {
  EXPECT_EQ(Write("[Uninstall]\r\nKeyName=Maker\r\n[Define]\r\nName=製品\r\n").ApplicationKeyName(), "Maker");
  EXPECT_EQ(Write("[Uninstall]\r\nKeyName=\r\n[Define]\r\nName=製品\r\n").ApplicationKeyName(), "製品");
  EXPECT_EQ(Write("[Uninstall]\r\nKeyName=\r\n[Define]\r\nName=\r\n").ApplicationKeyName(), "not");
  EXPECT_EQ(SetupScript(dir_ / "none.dat").ApplicationKeyName(), "not");
}

TEST_F(SetupScriptTest, SectionReadInOnePassGivesWhatSingleReadsGive) {
  const std::string long_value(1100, 'x');
  const SetupScript script = Write(
      "[File]\nCount= 12 \nNewFile1=\"<Setup>\\a b.exe\"\nnewfile1=second\nAttrs1=$10\n"
      "File2=ソフト\nLong=" +
      long_value +
      "\n[Other]\nFile3=elsewhere\n[file]\nFile3=later\nNewFile1=x\n"
      "NewFile20=last\n");
  const ScriptSection section = ScriptSection::Load(script, "FILE");
  for (const char* key : {"Count", "NewFile1", "NEWFILE1", "Attrs1", "File2", "Long", "File3", "Missing"}) {
    EXPECT_EQ(section.Read(key, "def"), script.Read("File", key, "def")) << key;
  }
  EXPECT_EQ(section.ReadItem("NewFile", 1), "<Setup>\\a b.exe");
  EXPECT_EQ(section.ReadItemInteger("Attrs", 1), 16);
  EXPECT_EQ(section.ReadItem("File", 3), "later");
  EXPECT_EQ(section.Read("Long").size(), kIniValueBytes);
  EXPECT_EQ(section.ReadCount(), 12);
  EXPECT_EQ(section.HighestItemNumber(), 20);
  EXPECT_EQ(ScriptSection::Load(script, "None").ReadCount(), 0);
  EXPECT_EQ(ScriptSection::Load(SetupScript(dir_ / "none.dat"), "File").Read("Count", "d"), "d");

  // The section keeps the values of its Load; a single read sees the script
  // as it is now.
  Write("[File]\nCount=1\nNewFile1=changed\n");
  EXPECT_EQ(section.ReadItem("NewFile", 1), "<Setup>\\a b.exe");
  EXPECT_EQ(section.ItemNumbers(), (std::vector<std::int64_t>{1, 2, 3}));
  EXPECT_EQ(script.ReadItem("File", "NewFile", 1), "changed");
}

}  // namespace
}  // namespace setup
