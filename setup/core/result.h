#pragma once

#include <string>
#include <utility>

#include "platform/target_system/status.h"

namespace setup {

using platform::target::Status;

// The outcome of an installer utility that changes something on the target
// system: success, or failure with the Status that tells why. It is the
// same value the target system's own operations give (Status), shaped so
// that the utilities still read as truth values:
//
//   if (!IniWriteString(system, file, "Main", "Path", path)) ...   // tested
//   const auto written = RegWriteString(system, root, key, "", text);
//   if (!written) log.Add("registry: " + written.detail());       // detail kept
//   const bool made = CreateShortcut(system, link, target, ...);   // as a bool
//
// It cannot be dropped unseen: a call whose result is not used does not
// compile. A caller that really means to go on whatever happened says so
// with static_cast<void>(...) and a comment.
class [[nodiscard]] Result {
 public:
  // Any Status is a Result: a failure keeps its code and message.
  Result(Status status) : status_(std::move(status)) {}  // NOLINT(google-explicit-constructor)
  static Result Success() { return Result(Status::Ok()); }

  bool ok() const { return status_.ok(); }
  // True on success. Implicit, so that a result may initialise a bool.
  operator bool() const { return ok(); }  // NOLINT(google-explicit-constructor)

  // The code and message of a failure (Ok on success).
  const Status& status() const { return status_; }
  // The message of a failure for a message box or the install log; empty on
  // success.
  const std::string& detail() const { return status_.message(); }

 private:
  Status status_;
};

}  // namespace setup
