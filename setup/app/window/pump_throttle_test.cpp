#include "setup/app/window/pump_throttle.h"

#include <gtest/gtest.h>

namespace setup::window {
namespace {

using namespace std::chrono_literals;

TEST(PumpThrottleTest, EventsAreProcessedOncePerIntervalAndAtTheFirstChance) {
  PumpThrottle throttle;
  const auto start = PumpThrottle::Clock::time_point{} + 1h;
  EXPECT_TRUE(throttle.Due(start));  // the first item shows at once
  EXPECT_FALSE(throttle.Due(start));
  EXPECT_FALSE(throttle.Due(start + PumpThrottle::kInterval - 1ms));
  EXPECT_TRUE(throttle.Due(start + PumpThrottle::kInterval));
  // The interval counts from the last time events were processed.
  EXPECT_FALSE(throttle.Due(start + PumpThrottle::kInterval + 1ms));
  EXPECT_TRUE(throttle.Due(start + 2 * PumpThrottle::kInterval));
}

}  // namespace
}  // namespace setup::window
