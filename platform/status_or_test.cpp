#include "platform/status_or.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace platform {
namespace {

TEST(StatusOrTest, HoldsEitherTheValueOrTheReason) {
  StatusOr<std::string> got = std::string("Banner");
  ASSERT_TRUE(got.ok());
  EXPECT_TRUE(got.status().ok());
  EXPECT_EQ(*got, "Banner");
  EXPECT_EQ(got->size(), 6u);
  got->append("!");
  EXPECT_EQ(got.value(), "Banner!");

  const StatusOr<std::string> missing = Status::NotFound("C:\\a.pkc: no such file");
  EXPECT_FALSE(missing.ok());
  EXPECT_TRUE(missing.status().IsNotFound());
  EXPECT_EQ(missing.status().message(), "C:\\a.pkc: no such file");
}

// A value that can only be moved is handed on without a copy.
TEST(StatusOrTest, MovesTheValueOut) {
  StatusOr<std::unique_ptr<int>> got = std::make_unique<int>(7);
  std::unique_ptr<int> taken = *std::move(got);
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(*taken, 7);
}

}  // namespace
}  // namespace platform
