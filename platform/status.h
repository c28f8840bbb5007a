#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace platform {

// The outcome of an operation: success, or a code with a message for
// people. It is the one way the project reports a failure: functions return
// a Status (or a StatusOr<T> when they also give a value) instead of
// throwing or filling an error text, so a caller decides what a failure
// means and the message reaches the log or the message box unchanged.
class [[nodiscard]] Status {
 public:
  enum class Code {
    kOk,
    kNotFound,         // key, value, file, folder or drive does not exist
    kAlreadyExists,    // the name is taken (folder creation, copy without overwrite)
    kNotEmpty,         // key with subkeys, folder with entries
    kInvalidArgument,  // malformed path, name or text
    kAccessDenied,     // protected: drive root, registry root, read-only file
    kIoError,          // the host or the database refused
    kCorruption,       // a file or database that is not what it should be
  };

  Status() = default;
  static Status Ok() { return Status(); }
  static Status NotFound(std::string message) { return Status(Code::kNotFound, std::move(message)); }
  static Status AlreadyExists(std::string message) {
    return Status(Code::kAlreadyExists, std::move(message));
  }
  static Status NotEmpty(std::string message) { return Status(Code::kNotEmpty, std::move(message)); }
  static Status InvalidArgument(std::string message) {
    return Status(Code::kInvalidArgument, std::move(message));
  }
  static Status AccessDenied(std::string message) { return Status(Code::kAccessDenied, std::move(message)); }
  static Status IoError(std::string message) { return Status(Code::kIoError, std::move(message)); }
  static Status Corruption(std::string message) { return Status(Code::kCorruption, std::move(message)); }

  // The failure a host call's errno stands for: a missing name is
  // kNotFound, a taken one kAlreadyExists, a folder with entries kNotEmpty,
  // a refusal kAccessDenied, anything else kIoError. The message is what
  // failed followed by the system's text ("cannot delete C:\a.txt: ...").
  static Status FromErrno(int error, std::string_view what);
  // The same code with the system's text alone, for a caller that puts
  // its own context in front.
  static Status FromErrno(int error);

  bool ok() const { return code_ == Code::kOk; }
  bool IsNotFound() const { return code_ == Code::kNotFound; }
  bool IsAlreadyExists() const { return code_ == Code::kAlreadyExists; }
  bool IsNotEmpty() const { return code_ == Code::kNotEmpty; }
  bool IsInvalidArgument() const { return code_ == Code::kInvalidArgument; }
  bool IsAccessDenied() const { return code_ == Code::kAccessDenied; }
  Code code() const { return code_; }
  const std::string& message() const { return message_; }

  // The same failure with context in front of its message ("line 5: ...");
  // success stays success.
  Status Prefixed(std::string_view context) const {
    return ok() ? *this : Status(code_, std::string(context) + message_);
  }

  // "OK", or the code's name and the message, for logs and command-line tools.
  std::string ToString() const;

 private:
  Status(Code code, std::string message) : code_(code), message_(std::move(message)) {}

  Code code_ = Code::kOk;
  std::string message_;
};

}  // namespace platform
