#include "platform/private_profile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/atomic_file.h"
#include "platform/testing/temp_dir.h"

namespace platform {
namespace {

std::string Slurp(const std::filesystem::path& p) {
  std::string s;
  return ReadWholeFile(p, s).ok() ? s : std::string();
}

void Put(const std::filesystem::path& p, const std::string& text) {
  std::ofstream(p, std::ios::binary) << text;
}

class PrivateProfileTest : public ::testing::Test {
 protected:
  testing::TempDir dir_;
  std::filesystem::path file_ = dir_ / "a.ini";
};

TEST_F(PrivateProfileTest, ReadsIgnoringCaseAndBlanks) {
  Put(file_, "[Size]\r\nindex=3\r\n[BackGround]\r\n  ClipY  =  12  \r\n Color1 = \"00FF00\" \r\n");
  EXPECT_EQ(GetPrivateProfileString("size", "INDEX", "-1", file_), "3");
  EXPECT_EQ(GetPrivateProfileString("background", "Clipy", "0", file_), "12");
  EXPECT_EQ(GetPrivateProfileString("BackGround", "Color1", "", file_), "00FF00");
}

TEST_F(PrivateProfileTest, MissingFileSectionOrKeyGivesDefaultButEmptyValueDoesNot) {
  EXPECT_EQ(GetPrivateProfileString("S", "K", "def", dir_ / "none.ini"), "def");
  Put(file_, "[S]\nK=\nOther=1\n");
  EXPECT_EQ(GetPrivateProfileString("S", "K", "def", file_), "");
  EXPECT_EQ(GetPrivateProfileString("S", "Missing", "def", file_), "def");
  EXPECT_EQ(GetPrivateProfileString("T", "K", "def", file_), "def");
}

TEST_F(PrivateProfileTest, LongValueIsCutToTheBuffer) {
  Put(file_, "[S]\nK=" + std::string(5000, 'x') + "\n");
  EXPECT_EQ(GetPrivateProfileString("S", "K", "", file_, 4096).size(), 4095u);
  EXPECT_EQ(GetPrivateProfileString("S", "K", "", file_, 1024).size(), 1023u);
  EXPECT_EQ(GetPrivateProfileString("S", "Q", std::string(2000, 'd'), file_, 1024).size(), 1023u);
}

TEST_F(PrivateProfileTest, KeyOutsideASectionOrInACommentIsNotFound) {
  Put(file_, "K=top\n[S]\n;K=comment\nJunk line\n");
  EXPECT_EQ(GetPrivateProfileString("S", "K", "none", file_), "none");
  EXPECT_EQ(GetPrivateProfileString("S", ";K", "none", file_), "none");
}

TEST_F(PrivateProfileTest, WriteCreatesFileThenAppendsInOrder) {
  ASSERT_TRUE(WritePrivateProfileString("Size", "index", "0", file_).ok());
  ASSERT_TRUE(WritePrivateProfileString("Size", "Width", "", file_).ok());
  ASSERT_TRUE(WritePrivateProfileString("BackGround", "Pattern", "1", file_).ok());
  ASSERT_TRUE(WritePrivateProfileString("Size", "Height", "", file_).ok());
  EXPECT_EQ(Slurp(file_), "[Size]\r\nindex=0\r\nWidth=\r\nHeight=\r\n[BackGround]\r\nPattern=1\r\n");
}

TEST_F(PrivateProfileTest, WriteReplacesInPlaceAndKeepsEveryOtherLine) {
  Put(file_, "; my notes\n[size]\nINDEX = 2\n\n[Title]\nString=x\nUnknown=keep\n");
  ASSERT_TRUE(WritePrivateProfileString("Size", "index", "4", file_).ok());
  ASSERT_TRUE(WritePrivateProfileString("Size", "Width", "300", file_).ok());
  ASSERT_TRUE(WritePrivateProfileString("TITLE", "string", "y", file_).ok());
  EXPECT_EQ(Slurp(file_), "; my notes\n[size]\nINDEX=4\nWidth=300\n\n[Title]\nString=y\nUnknown=keep\n");
}

TEST_F(PrivateProfileTest, ByteOrderMarkIsNotPartOfTheFirstSection) {
  Put(file_, "\xEF\xBB\xBF[Size]\r\nindex=1\r\n");
  EXPECT_EQ(GetPrivateProfileString("Size", "index", "-1", file_), "1");
  EXPECT_EQ(GetPrivateProfileSections(file_), std::vector<std::string>{"Size"});
  ASSERT_TRUE(WritePrivateProfileString("Size", "index", "2", file_).ok());
  EXPECT_EQ(Slurp(file_), "\xEF\xBB\xBF[Size]\r\nindex=2\r\n");
}

TEST_F(PrivateProfileTest, WriteToFileWithoutFinalNewline) {
  Put(file_, "[A]\nx=1");
  ASSERT_TRUE(WritePrivateProfileString("A", "y", "2", file_).ok());
  ASSERT_TRUE(WritePrivateProfileString("B", "z", "3", file_).ok());
  EXPECT_EQ(Slurp(file_), "[A]\nx=1\ny=2\n[B]\nz=3\n");
}

TEST_F(PrivateProfileTest, DeletesKeysAndSections) {
  Put(file_, "[A]\nx=1\ny=2\n[B]\nz=3\n[a]\nw=4\n");
  ASSERT_TRUE(WritePrivateProfileString("A", "x", std::nullopt, file_).ok());
  ASSERT_TRUE(WritePrivateProfileString("A", "missing", std::nullopt, file_).ok());
  EXPECT_EQ(Slurp(file_), "[A]\ny=2\n[B]\nz=3\n[a]\nw=4\n");
  ASSERT_TRUE(DeletePrivateProfileSection("a", file_).ok());
  EXPECT_EQ(Slurp(file_), "[B]\nz=3\n");
  EXPECT_TRUE(WritePrivateProfileString("S", "K", std::nullopt, dir_ / "absent.ini").ok());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "absent.ini"));
}

TEST_F(PrivateProfileTest, ListsKeysAndSections) {
  Put(file_, "[A]\nx=1\ny=2\n[B]\n[A]\nz=3\n");
  EXPECT_EQ(GetPrivateProfileKeys("a", file_), (std::vector<std::string>{"x", "y", "z"}));
  EXPECT_EQ(GetPrivateProfileSections(file_), (std::vector<std::string>{"A", "B", "A"}));
  EXPECT_EQ(GetPrivateProfileString("A", "z", "", file_), "3");
}

TEST_F(PrivateProfileTest, FailedWriteLeavesNoPartialFile) {
  // A folder in the file's place makes the final rename fail.
  auto blocked = dir_ / "blocked.ini";
  std::filesystem::create_directory(blocked);
  EXPECT_FALSE(WritePrivateProfileString("A", "k", "2", blocked).ok());
  EXPECT_FALSE(WriteFileAtomically(blocked, "data").message().empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);
}

TEST_F(PrivateProfileTest, WriteIntoMissingFolderFails) {
  EXPECT_FALSE(WritePrivateProfileString("A", "k", "1", dir_ / "no" / "such.ini").ok());
}

TEST_F(PrivateProfileTest, DoubleByteValuesPassThroughUnchanged) {
  const std::string sjis = "\x83\x5c\x83\x74\x83\x67";  // katakana with a 0x5C trail byte
  ASSERT_TRUE(WritePrivateProfileString("T", "String", sjis, file_).ok());
  EXPECT_EQ(GetPrivateProfileString("t", "string", "", file_), sjis);
}

}  // namespace
}  // namespace platform
