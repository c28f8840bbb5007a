#include "setup/app/windows_arguments.h"

#include <gtest/gtest.h>

namespace setup::app {
namespace {

using Args = std::vector<std::string>;

TEST(WindowsArgumentsTest, BlanksQuotesAndBackslashesFollowTheRunTimeRules) {
  EXPECT_EQ(SplitWindowsArguments(""), Args{});
  EXPECT_EQ(SplitWindowsArguments("  \t "), Args{});
  EXPECT_EQ(SplitWindowsArguments("/u \"My Product\""), (Args{"/u", "My Product"}));
  EXPECT_EQ(SplitWindowsArguments("  a\t b  "), (Args{"a", "b"}));
  // Backslashes are literal unless a quote follows them.
  EXPECT_EQ(SplitWindowsArguments("C:\\Program Files\\x"), (Args{"C:\\Program", "Files\\x"}));
  EXPECT_EQ(SplitWindowsArguments("\"C:\\Program Files\\\\\" next"), (Args{"C:\\Program Files\\", "next"}));
  EXPECT_EQ(SplitWindowsArguments("a\\\"b"), (Args{"a\"b"}));
  EXPECT_EQ(SplitWindowsArguments("a\\\\\\\"b"), (Args{"a\\\"b"}));
  // An empty quoted argument is an argument; "" inside quotes is a quote.
  EXPECT_EQ(SplitWindowsArguments("\"\" x"), (Args{"", "x"}));
  EXPECT_EQ(SplitWindowsArguments("\"say \"\"hi\"\"\""), (Args{"say \"hi\""}));
  // Quotes may open in the middle of an argument and stay open to the end.
  EXPECT_EQ(SplitWindowsArguments("/dir=\"C:\\A B\"c \"open end"), (Args{"/dir=C:\\A Bc", "open end"}));
  // Double-byte text passes through untouched.
  EXPECT_EQ(SplitWindowsArguments("\"C:\\表示\\ソフト\" 2"), (Args{"C:\\表示\\ソフト", "2"}));
}

}  // namespace
}  // namespace setup::app
