#include "setup/core/command_line.h"

#include <gtest/gtest.h>

#include "setup/core/test_system.h"

namespace setup {
namespace {

class CommandLineTest : public ::testing::Test {
 protected:
  CommandLineTest() {
    EXPECT_TRUE(system_->files().CreateFolderTree("C:\\Program Files\\Maker").ok());
    EXPECT_TRUE(system_->files().WriteFile("C:\\Program Files\\Maker\\App.exe", "MZ").ok());
  }
  ProgramAndParameters Split(std::string_view command) { return SplitCommandLine(*system_, command); }

  testing::TestSystem system_;
};

TEST_F(CommandLineTest, QuotedProgramKeepsTheParametersUntrimmed) {
  EXPECT_EQ(Split("\"C:\\Program Files\\Maker\\App.exe\" /s"),
            (ProgramAndParameters{"C:\\Program Files\\Maker\\App.exe", " /s"}));
  EXPECT_EQ(Split("\"C:\\No Such\\x.exe\""), (ProgramAndParameters{"C:\\No Such\\x.exe", ""}));
  EXPECT_EQ(Split("\"C:\\unclosed x"), (ProgramAndParameters{"C:\\unclosed x", ""}));
}

TEST_F(CommandLineTest, UnquotedProgramIsFoundByExistence) {
  EXPECT_EQ(Split("C:\\Program Files\\Maker\\App.exe"),
            (ProgramAndParameters{"C:\\Program Files\\Maker\\App.exe", ""}));
  EXPECT_EQ(Split("C:\\Program Files\\Maker\\App.exe  -a b"),
            (ProgramAndParameters{"C:\\Program Files\\Maker\\App.exe", " -a b"}));
  EXPECT_EQ(Split("notepad.exe readme.txt"), (ProgramAndParameters{"notepad.exe readme.txt", ""}));
  EXPECT_EQ(Split("C:\\Program Files\\Maker /x"),  // a folder is not a program
            (ProgramAndParameters{"C:\\Program Files\\Maker /x", ""}));
  EXPECT_EQ(Split(""), (ProgramAndParameters{"", ""}));
}

}  // namespace
}  // namespace setup
