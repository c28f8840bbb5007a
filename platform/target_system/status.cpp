#include "platform/target_system/status.h"

namespace platform::target {

std::string Status::ToString() const {
  const char* name = "OK";
  switch (code_) {
    case Code::kOk: return "OK";
    case Code::kNotFound: name = "Not found"; break;
    case Code::kAlreadyExists: name = "Already exists"; break;
    case Code::kNotEmpty: name = "Not empty"; break;
    case Code::kInvalidArgument: name = "Invalid argument"; break;
    case Code::kAccessDenied: name = "Access denied"; break;
    case Code::kIoError: name = "I/O error"; break;
    case Code::kCorruption: name = "Corruption"; break;
  }
  return std::string(name) + ": " + message_;
}

}  // namespace platform::target
