// The background flush: every request is done before Wait returns, and a
// failure reaches the next Wait once.
#include "platform/target_system/background_flush.h"

#include <gtest/gtest.h>

#include "platform/testing/temp_dir.h"

namespace platform::target {
namespace {

TEST(BackgroundFlushTest, WaitReportsAFailedRequestOnceAndRequestsAfterItStillRun) {
  platform::testing::TempDir dir;
  BackgroundFlush flush;
  EXPECT_TRUE(flush.Wait().ok());  // nothing asked yet

  flush.Request({dir.path()});
  EXPECT_TRUE(flush.Wait().ok());

  flush.Request({dir.path() / "missing"});
  flush.Request({dir.path()});
  const Status failed = flush.Wait();
  EXPECT_FALSE(failed.ok());
  EXPECT_NE(failed.ToString().find("missing"), std::string::npos) << failed.ToString();
  EXPECT_TRUE(flush.Wait().ok());

  // A request left for the destructor is still carried out before it ends.
  flush.Request({dir.path()});
}

}  // namespace
}  // namespace platform::target
