#include "setup/wizard/action_log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/testing/temp_dir.h"

namespace setup::wizard {
namespace {

TEST(ActionLogTest, LinesAreTabSeparatedEscapedAndAppendedToTheFileAsTheyCome) {
  platform::testing::TempDir dir;
  ActionLog log;
  ASSERT_TRUE(log.OpenFile(dir / "install.log"));
  log.Add("COPY", {"C:\\Program Files\\a\tb.txt", "newer"});
  log.Add("MESSAGE", {"line1\nline2"});
  ASSERT_EQ(log.lines().size(), 2u);
  EXPECT_EQ(log.lines()[0], "COPY\tC:\\Program Files\\a\\tb.txt\tnewer");
  EXPECT_EQ(log.LinesOf("MESSAGE"), std::vector<std::string>{"MESSAGE\tline1\\nline2"});
  EXPECT_TRUE(log.LinesOf("COP").empty());

  std::ifstream in(dir / "install.log");
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "COPY\tC:\\Program Files\\a\\tb.txt\tnewer\nMESSAGE\tline1\\nline2\n");
}

TEST(ActionLogTest, AFileThatCannotBeOpenedIsRefused) {
  platform::testing::TempDir dir;
  ActionLog log;
  EXPECT_FALSE(log.OpenFile(dir / "missing-folder" / "install.log"));
}

}  // namespace
}  // namespace setup::wizard
