#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "banner/render/leading_number.h"
#include "banner/render/nearest.h"

#include <cfenv>

namespace plakato {
namespace {

TEST(NearestTest, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(Nearest(0.5), 0);
  EXPECT_EQ(Nearest(1.5), 2);
  EXPECT_EQ(Nearest(2.5), 2);
  EXPECT_EQ(Nearest(-0.5), 0);
  EXPECT_EQ(Nearest(-1.5), -2);
  EXPECT_EQ(Nearest(-2.5), -2);
  EXPECT_EQ(Nearest(2.4999), 2);
  EXPECT_EQ(Nearest(246.774), 247);
  EXPECT_EQ(Nearest(std::nan("")), 0);
  EXPECT_GT(Nearest(1e300), 1000000);
  EXPECT_LT(Nearest(-std::numeric_limits<double>::infinity()), -1000000);
}

TEST(NearestTest, TheSettingsRoundingIsTheSameRuleInAnyRoundingMode) {
  const int mode = std::fegetround();
  std::fesetround(FE_UPWARD);
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
  EXPECT_EQ(RoundHalfEven(1e18 + 0.0), 1e18);  // beyond the int range, still exact
  std::fesetround(mode);
  EXPECT_TRUE(std::isinf(RoundHalfEven(std::numeric_limits<double>::infinity())));
}

TEST(LeadingNumberTest, ReadsTheNumberAtTheStart) {
  EXPECT_EQ(LeadingNumber("120"), 120);
  EXPECT_EQ(LeadingNumber("  88"), 88);
  EXPECT_EQ(LeadingNumber("\t31×"), 31);
  EXPECT_EQ(LeadingNumber("12.5px"), 12.5);
  EXPECT_EQ(LeadingNumber("-3"), -3);
  EXPECT_EQ(LeadingNumber("+7"), 7);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("1e3"), 1000);
  EXPECT_EQ(LeadingNumber("2D2"), 200);
  EXPECT_EQ(LeadingNumber("12e"), 12);
  EXPECT_EQ(LeadingNumber("12e+"), 12);
  EXPECT_EQ(LeadingNumber("1 2"), 1);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber("-"), 0);
  EXPECT_EQ(LeadingNumber("."), 0);
  EXPECT_TRUE(std::isinf(LeadingNumber("9e999")));
  EXPECT_EQ(LeadingNumber("1e-999"), 0);
  EXPECT_EQ(LeadingNumber("１２"), 0);  // full-width digits are not a number
}

}  // namespace
}  // namespace plakato
