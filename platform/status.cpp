#include "platform/status.h"

#include <cerrno>
#include <cstring>

namespace platform {

Status Status::FromErrno(int error, std::string_view what) {
  std::string text = std::string(what) + ": " + std::strerror(error);
  switch (error) {
    case ENOENT:
    case ENOTDIR: return NotFound(std::move(text));
    case EEXIST: return AlreadyExists(std::move(text));
    case ENOTEMPTY: return NotEmpty(std::move(text));
    // A link met where none may be followed (O_NOFOLLOW) and a move across
    // file systems are refusals, not faults of the disk.
    case EACCES:
    case EPERM:
    case EROFS:
    case ELOOP:
    case EXDEV: return AccessDenied(std::move(text));
    case ENAMETOOLONG: return InvalidArgument(std::string(what) + ": the name is too long");
    default: return IoError(std::move(text));
  }
}

Status Status::FromErrno(int error) {
  const Status status = FromErrno(error, "");
  return Status(status.code(), error == ENAMETOOLONG ? "the name is too long" : std::strerror(error));
}

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

}  // namespace platform
