#include "platform/target_system/registry_text.h"

#include <gtest/gtest.h>

#include "platform/target_system/utf16.h"
#include "platform/testing/temp_dir.h"

namespace platform::target {
namespace {

using platform::testing::TempDir;
constexpr RegistryRoot kHkcu = RegistryRoot::kCurrentUser;
constexpr RegistryRoot kHklm = RegistryRoot::kLocalMachine;

class RegistryTextTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Registry::OpenOrCreate(dir_ / "reg.sqlite", &reg_).ok()); }

  RegistryValue Get(RegistryRoot root, std::string_view key, std::string_view name) {
    RegistryValue v;
    if (!reg_->GetValue(root, key, name, &v).ok()) v = RegistryValue::Raw("<missing>", 0xFFFF, "");
    return v;
  }

  TempDir dir_;
  std::unique_ptr<Registry> reg_;
};

TEST_F(RegistryTextTest, ExportWritesTheEditorForm) {
  ASSERT_TRUE(
      reg_->SetValue(kHkcu, "Software\\Maker", RegistryValue::String("", "C:\\Program Files\\\"Maker\""))
          .ok());
  ASSERT_TRUE(reg_->SetValue(kHkcu, "Software\\Maker", RegistryValue::Dword("Count", 42)).ok());
  ASSERT_TRUE(
      reg_->SetValue(kHkcu, "Software\\Maker", RegistryValue::Raw("Bin", kRegBinary, "\x01\xAB")).ok());
  ASSERT_TRUE(reg_->SetValue(kHkcu, "Software\\Maker\\Sub", RegistryValue::ExpandString("E", "%A%")).ok());
  std::string text;
  ASSERT_TRUE(ExportRegistryText(*reg_, kHkcu, "Software\\Maker", &text).ok());
  EXPECT_EQ(text,
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Maker]\r\n"
            "@=\"C:\\\\Program Files\\\\\\\"Maker\\\"\"\r\n"
            "\"Count\"=dword:0000002a\r\n"
            "\"Bin\"=hex:01,ab\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Maker\\Sub]\r\n"
            "\"E\"=hex(2):25,00,41,00,25,00,00,00\r\n\r\n");
  EXPECT_TRUE(ExportRegistryText(*reg_, kHkcu, "Software\\Missing", &text).IsNotFound());
}

TEST_F(RegistryTextTest, RoundTripKeepsEveryValueExactly) {
  const std::string multi("one\0two\0\0", 9);
  const std::vector<RegistryValue> values = {
      RegistryValue::String("", "default"),
      RegistryValue::String("quote\"and\\back", "a \"b\" c\\d\\\\"),
      RegistryValue::String("日本語", "インストール先 ﾃﾞｽｸﾄｯﾌﾟ"),
      RegistryValue::String("lines", "first\r\nsecond"),
      RegistryValue::String("nul at the end", std::string("a\0\0", 3)),
      RegistryValue::String("empty", ""),
      RegistryValue::Dword("max", 0xFFFFFFFFu),
      RegistryValue::Raw("multi", kRegMultiSz, multi),
      RegistryValue::Raw("qword", kRegQword, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)),
      RegistryValue::Raw("none", kRegNone, ""),
  };
  for (const RegistryValue& v : values) ASSERT_TRUE(reg_->SetValue(kHkcu, "Software\\RT\\Deep\\Key", v).ok());
  ASSERT_TRUE(reg_->CreateKey(kHkcu, "Software\\RT\\Empty").ok());
  std::string text;
  ASSERT_TRUE(ExportRegistryText(*reg_, kHkcu, "Software\\RT", &text).ok());

  std::unique_ptr<Registry> other;
  ASSERT_TRUE(Registry::OpenOrCreate(dir_ / "other.sqlite", &other).ok());
  ASSERT_TRUE(ImportRegistryText(*other, text).ok());
  std::vector<RegistryValue> imported;
  ASSERT_TRUE(other->ListValues(kHkcu, "Software\\RT\\Deep\\Key", &imported).ok());
  EXPECT_EQ(imported, values);
  EXPECT_TRUE(other->OpenKey(kHkcu, "Software\\RT\\Empty").ok());
}

TEST_F(RegistryTextTest, MalformedFileIsRefusedWithItsLineAndNothingApplied) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"REGEDIT5\r\n[HKEY_CURRENT_USER\\A]\r\n", "line 1:"},
      {"Windows Registry Editor Version "
       "5.00\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"ok\"=\"1\"\r\n\"bad\"=dword:xyz\r\n",
       "line 5:"},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_NOWHERE\\A]\r\n", "line 2:"},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"open=\"x\"\r\n", "line 3:"},
      {"Windows Registry Editor Version 5.00\r\n\"orphan\"=\"x\"\r\n", "line 2:"},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"h\"=hex:01,0g\r\n", "line 3:"},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"h\"=hex:01,\\\r\n  02,zz\r\n",
       "line 4:"},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"s\"=\"a\\nb\"\r\n", "line 3:"},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A\\\\B]\r\n", "line 2:"},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"d\"=hex(4):01,02\r\n", "line 3:"},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"s\"=\"x\" trailing\r\n",
       "line 3:"},
  };
  for (const auto& [text, line] : cases) {
    Status s = ImportRegistryText(*reg_, text);
    EXPECT_TRUE(s.IsInvalidArgument()) << text;
    EXPECT_TRUE(s.message().starts_with(line)) << s.message() << " for\n" << text;
    EXPECT_TRUE(reg_->OpenKey(kHkcu, "A").IsNotFound()) << text;
  }
}

TEST_F(RegistryTextTest, ImportReadsUtf16WithBomAndDeletions) {
  ASSERT_TRUE(reg_->SetValue(kHklm, "Software\\Gone\\Sub", RegistryValue::String("x", "1")).ok());
  ASSERT_TRUE(reg_->SetValue(kHklm, "Software\\Keep", RegistryValue::String("drop", "1")).ok());
  ASSERT_TRUE(reg_->SetValue(kHklm, "Software\\Keep", RegistryValue::String("stay", "1")).ok());
  const std::string text =
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "; a comment\r\n"
      "[-HKEY_LOCAL_MACHINE\\Software\\Gone]\r\n\r\n"
      "[HKLM\\Software\\Keep]\r\n"
      "\"drop\"=-\r\n"
      "\"名前\"=\"値\"\r\n"
      "\"long\"=hex:01,02,\\\r\n"
      "  03,04\r\n";
  const std::string bytes = "\xFF\xFE" + Utf8ToUtf16Le(text);
  ASSERT_TRUE(ImportRegistryText(*reg_, bytes).ok());
  EXPECT_TRUE(reg_->OpenKey(kHklm, "Software\\Gone").IsNotFound());
  EXPECT_EQ(Get(kHklm, "Software\\Keep", "drop").name, "<missing>");
  EXPECT_EQ(Get(kHklm, "Software\\Keep", "stay").data, "1");
  EXPECT_EQ(Get(kHklm, "Software\\Keep", "名前").data, "値");
  EXPECT_EQ(Get(kHklm, "Software\\Keep", "long").data, "\x01\x02\x03\x04");
}

TEST_F(RegistryTextTest, NamesCountCharactersAndRefusalsNameTheLine) {
  std::string name;
  for (int i = 0; i < 100; ++i) name += "鍵";
  ASSERT_TRUE(ImportRegistryText(*reg_, "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\" +
                                            name + "]\r\n\"v\"=\"1\"\r\n")
                  .ok());
  EXPECT_EQ(Get(kHkcu, name, "v").data, "1");
  std::string deep;
  for (int i = 0; i < 513; ++i) deep += "\\k";
  for (const std::string& key : {"HKEY_CURRENT_USER\\" + std::string(256, 'a'), "HKEY_CURRENT_USER" + deep}) {
    const Status s = ImportRegistryText(
        *reg_,
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Fine]\r\n\r\n[" + key + "]\r\n");
    EXPECT_TRUE(s.IsInvalidArgument());
    EXPECT_TRUE(s.message().starts_with("line 5:")) << s.message();
    EXPECT_TRUE(reg_->OpenKey(kHkcu, "Fine").IsNotFound());
  }
}

TEST_F(RegistryTextTest, AChangeTheRegistryRefusesNamesItsLine) {
  const Status s = ImportRegistryText(*reg_,
                                      "Windows Registry Editor Version 5.00\r\n\r\n"
                                      "[HKEY_CURRENT_USER\\Fine]\r\n\"v\"=\"1\"\r\n\r\n"
                                      "[-HKEY_LOCAL_MACHINE\\Software]\r\n");
  EXPECT_TRUE(s.IsAccessDenied()) << s.ToString();
  EXPECT_TRUE(s.message().starts_with("line 6: ")) << s.message();
  EXPECT_TRUE(reg_->OpenKey(kHkcu, "Fine").IsNotFound());
}

TEST_F(RegistryTextTest, ExpandAndMultiStringsTravelAsUtf16) {
  ASSERT_TRUE(reg_->SetValue(kHkcu, "S", RegistryValue::ExpandString("e", "%WINDIR%\\日本")).ok());
  ASSERT_TRUE(
      reg_->SetValue(kHkcu, "S", RegistryValue::Raw("m", kRegMultiSz, std::string("a\0ü\0\0", 6))).ok());
  std::string text;
  ASSERT_TRUE(ExportRegistryText(*reg_, kHkcu, "S", &text).ok());
  EXPECT_NE(text.find("\"m\"=hex(7):61,00,00,00,fc,00,00,00,00,00\r\n"), std::string::npos) << text;
  const std::string expand_hex =
      "\"e\"=hex(2):25,00,57,00,49,00,4e,00,44,00,49,00,52,00,25,00,5c,00,e5,65,2c,67,00,00\r\n";
  EXPECT_NE(text.find(expand_hex), std::string::npos) << text;

  // The file form: UTF-16LE behind a byte-order mark, read back whole.
  const std::string file = RegistryFileBytes(text);
  ASSERT_TRUE(file.starts_with("\xFF\xFEW\0i\0n\0"));
  EXPECT_EQ(Utf16LeToUtf8(file.substr(2)), text);
  ASSERT_TRUE(reg_->DeleteTree(kHkcu, "S").ok());
  ASSERT_TRUE(ImportRegistryText(*reg_, file).ok());
  EXPECT_EQ(Get(kHkcu, "S", "e"), RegistryValue::ExpandString("e", "%WINDIR%\\日本"));
  EXPECT_EQ(Get(kHkcu, "S", "m").data, std::string("a\0ü\0\0", 6));
  // Older files hold the expand-string in the ANSI code page.
  ASSERT_TRUE(
      ImportRegistryText(*reg_, "REGEDIT4\r\n[HKEY_CURRENT_USER\\A4]\r\n\"e\"=hex(2):25,41,25,83,65,00\r\n")
          .ok());
  EXPECT_EQ(Get(kHkcu, "A4", "e").data, "%A%テ");
}

TEST_F(RegistryTextTest, Utf8BomAndAnsiFilesAreRead) {
  ASSERT_TRUE(ImportRegistryText(*reg_,
                                 "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n"
                                 "[HKEY_CURRENT_USER\\U]\n\"v\"=\"ü\"\n")
                  .ok());
  EXPECT_EQ(Get(kHkcu, "U", "v").data, "ü");
  // "REGEDIT4" files hold code page 932: 0x83 0x65 is テ.
  ASSERT_TRUE(
      ImportRegistryText(*reg_, "REGEDIT4\r\n[HKEY_CURRENT_USER\\A4]\r\n\"v\"=\"\x83\x65\"\r\n").ok());
  EXPECT_EQ(Get(kHkcu, "A4", "v").data, "テ");
}

}  // namespace
}  // namespace platform::target
