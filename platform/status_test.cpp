#include "platform/status.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

// Every host call of the file layer and the trash reports errno through one
// mapping; callers branch on the code (a missing file is no failure for a
// delete, a taken name is retried, a folder with entries is kept).
TEST(StatusTest, FromErrnoMapsTheCodesCallersBranchOn) {
  const struct {
    int error;
    Status::Code code;
  } cases[] = {
      {ENOENT, Status::Code::kNotFound},
      {ENOTDIR, Status::Code::kNotFound},
      {EEXIST, Status::Code::kAlreadyExists},
      {ENOTEMPTY, Status::Code::kNotEmpty},
      {EACCES, Status::Code::kAccessDenied},
      {EPERM, Status::Code::kAccessDenied},
      {EROFS, Status::Code::kAccessDenied},
      {EIO, Status::Code::kIoError},
      {EXDEV, Status::Code::kAccessDenied},
      {ELOOP, Status::Code::kAccessDenied},
      {0, Status::Code::kIoError},
  };
  for (const auto& c : cases) {
    const Status status = Status::FromErrno(c.error, "cannot delete C:\\a.txt");
    EXPECT_EQ(status.code(), c.code) << std::strerror(c.error);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.message(), std::string("cannot delete C:\\a.txt: ") + std::strerror(c.error));
  }
  // A name too long for the host is the caller's input, and says so.
  const Status too_long = Status::FromErrno(ENAMETOOLONG, "cannot create C:\\x");
  EXPECT_TRUE(too_long.IsInvalidArgument());
  EXPECT_EQ(too_long.message(), "cannot create C:\\x: the name is too long");
  // Without context, the message is the system's text alone.
  EXPECT_TRUE(Status::FromErrno(EACCES).IsAccessDenied());
  EXPECT_EQ(Status::FromErrno(ENOENT).message(), std::strerror(ENOENT));
}

}  // namespace
}  // namespace platform
