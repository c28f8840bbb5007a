#include "setup/wizard/engine/file_age.h"

#include <gtest/gtest.h>

#include <ctime>

#include "setup/core/test_system.h"

namespace setup::wizard {
namespace {

std::chrono::system_clock::time_point LocalTime(int year, int month, int day, int hour, int minute,
                                                int second) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

TEST(FileAgeTest, PacksLocalDateAndTimeWithTwoSecondSteps) {
  // 2001-02-03 04:05:06: date (21 << 9 | 2 << 5 | 3), time (4 << 11 | 5 << 5 | 3).
  EXPECT_EQ(PackDosDateTime(LocalTime(2001, 2, 3, 4, 5, 6)), (0x2A43 << 16) | 0x20A3);
  EXPECT_EQ(PackDosDateTime(LocalTime(2001, 2, 3, 4, 5, 7)), PackDosDateTime(LocalTime(2001, 2, 3, 4, 5, 6)));
  EXPECT_LT(PackDosDateTime(LocalTime(2001, 2, 3, 4, 5, 6)), PackDosDateTime(LocalTime(2001, 2, 3, 4, 5, 8)));
  EXPECT_EQ(PackDosDateTime(LocalTime(1979, 12, 31, 12, 0, 0)), -1);
  // From 2044 on the packed value is negative: compared signed, as the
  // installer compares it.
  EXPECT_LT(PackDosDateTime(LocalTime(2044, 1, 1, 0, 0, 0)), 0);
}

TEST(FileAgeTest, MissingFilesAndFoldersHaveNoAge) {
  setup::testing::TestSystem system;
  EXPECT_EQ(FileAge(*system, "C:\\none.txt"), -1);
  EXPECT_EQ(FileAge(*system, "C:\\WINDOWS"), -1);
  ASSERT_TRUE(system->files().WriteFile("C:\\a.txt", "a").ok());
  ASSERT_TRUE(system->files().SetWriteTime("C:\\a.txt", LocalTime(2001, 2, 3, 4, 5, 6)).ok());
  EXPECT_EQ(FileAge(*system, "C:\\a.txt"), (0x2A43 << 16) | 0x20A3);
}

}  // namespace
}  // namespace setup::wizard
