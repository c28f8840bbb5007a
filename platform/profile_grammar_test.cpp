#include "platform/profile_grammar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/private_profile.h"
#include "platform/profile_cache.h"
#include "platform/testing/temp_dir.h"

namespace platform {
namespace {

// Files where the two readers (the index for lookups, the line editor for
// section lists and rewrites) have drifted apart before or easily could.
const std::vector<std::string> kAwkwardFiles = {
    "\xEF\xBB\xBF[Size]\r\nindex=1\r\n",
    "\xEF\xBB\xBFindex=0\n[Size]\nindex=1",
    "[A]\nk=1\n[a]\nK=2\nk2 = ' x '\n",
    " \t[ Mixed Case ] trailing\r\n\v Key\f = \"quoted\" \r\n;k=comment\r\nno equals\r\n",
    "[Open\nx=1\n[]\n=empty name\n[B]\nv='a\"\nw=\"\"\n",
    "k=before any section\n[S]\r\nk=1\r\r\nk=2\n",
};

void Put(const std::filesystem::path& p, const std::string& text) {
  std::ofstream(p, std::ios::binary) << text;
}

TEST(ProfileGrammarTest, BothReadersSeeTheSameSectionsKeysAndValues) {
  testing::TempDir dir;
  const auto file = dir / "awkward.ini";
  for (const std::string& text : kAwkwardFiles) {
    SCOPED_TRACE(text);
    Put(file, text);
    const auto index = ReadProfileIndex(file);
    ASSERT_NE(index, nullptr);
    for (const std::string& section : index->Sections()) {
      const auto entries = GetPrivateProfileSectionEntries(section, file);
      std::vector<std::string> names;
      for (const auto& entry : entries) {
        const std::string& name = entry.first;
        names.push_back(name);
        // The first line of a name is the one a lookup finds.
        const auto first = std::find_if(entries.begin(), entries.end(),
                                        [&](const auto& e) { return SameProfileName(e.first, name); });
        EXPECT_EQ(GetPrivateProfileString(section, name, "<none>", file), first->second) << name;
      }
      EXPECT_EQ(names, index->Keys(section)) << section;
    }
  }
}

TEST(ProfileGrammarTest, ByteOrderMarkStandsApartAndLinesJoinBackExactly) {
  for (const std::string& text : kAwkwardFiles) {
    std::vector<std::string> texts;
    std::string joined;
    ForEachProfileLine(text, [&](std::string_view t, std::string_view eol) {
      texts.emplace_back(t);
      joined.append(t).append(eol);
    });
    EXPECT_EQ(joined, text);
    if (text.starts_with(kUtf8ByteOrderMark)) {
      EXPECT_EQ(texts.front(), kUtf8ByteOrderMark);
      EXPECT_EQ(ParseProfileLine(texts.at(1)).name,
                text.find("index=0") == std::string::npos ? "Size" : "index");
    }
  }
  std::vector<std::string> ends;
  ForEachProfileLine("a\r\nb\r\r\nc\nd",
                     [&](std::string_view, std::string_view eol) { ends.emplace_back(eol); });
  EXPECT_EQ(ends, (std::vector<std::string>{"\r\n", "\r\n", "\n", ""}));
}

TEST(ProfileGrammarTest, LinesAndNames) {
  const ProfileLine header = ParseProfileLine("  [ Setup Info ]  ; note");
  EXPECT_EQ(header.kind, ProfileLine::Kind::kSection);
  EXPECT_EQ(header.name, "Setup Info");
  EXPECT_EQ(ParseProfileLine("[Unclosed ").name, "Unclosed");
  const ProfileLine key = ParseProfileLine("\tName = a = b \r");
  EXPECT_EQ(key.kind, ProfileLine::Kind::kKey);
  EXPECT_EQ(key.name, "Name");
  EXPECT_EQ(key.value, "a = b");
  EXPECT_EQ(ParseProfileLine(" ;Name=1").kind, ProfileLine::Kind::kOther);
  EXPECT_EQ(ParseProfileLine("Name").kind, ProfileLine::Kind::kOther);

  EXPECT_EQ(UnquoteProfileValue("\"x y\""), "x y");
  EXPECT_EQ(UnquoteProfileValue("'x'"), "x");
  EXPECT_EQ(UnquoteProfileValue("\"x'"), "\"x'");
  EXPECT_EQ(UnquoteProfileValue("\""), "\"");

  // Only ASCII letters fold: Latin-1 and full-width letters and the bytes of
  // Japanese text stay as they are.
  EXPECT_EQ(FoldProfileName(" Mixed[Ä]Ａ "), "mixed[Ä]Ａ");
  EXPECT_TRUE(SameProfileName(" KEY\t", "key"));
  EXPECT_FALSE(SameProfileName("Ä", "ä"));
  EXPECT_FALSE(SameProfileName("key", "keys"));
}

TEST(AsciiTextTest, FoldsAndParsesAsciiOnly) {
  EXPECT_EQ(AsciiLower("AZaz@[`{\xC0\xC4"), "azaz@[`{\xC0\xC4");
  EXPECT_EQ(AsciiUpper("azAZ`{@[\xE0\xE4"), "AZAZ`{@[\xE0\xE4");
  EXPECT_TRUE(AsciiEqualsIgnoringCase("Drives", "dRIVES"));
  EXPECT_FALSE(AsciiEqualsIgnoringCase("@", "`"));  // one bit apart, not letters
  EXPECT_FALSE(AsciiEqualsIgnoringCase("Drive", "Drives"));

  const std::string digits = "0123456789abcdefABCDEF";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    EXPECT_EQ(HexDigitValue(digits[i]), i < 16 ? static_cast<int>(i) : static_cast<int>(i) - 6) << digits[i];
  }
  for (char c : std::string("/:@G`g \xB0\xC1")) EXPECT_EQ(HexDigitValue(c), -1) << c;
}

}  // namespace
}  // namespace platform
