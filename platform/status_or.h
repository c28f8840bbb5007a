#pragma once

#include <cassert>
#include <optional>
#include <utility>

#include "platform/status.h"

namespace platform {

// A value, or the Status that tells why there is none. A StatusOr made from
// a successful Status is a programming error (there would be no value).
//
//   StatusOr<Bitmap> picture = LoadPicture(path);
//   if (!picture.ok()) return picture.status();
//   Use(*picture);
template <typename T>
class [[nodiscard]] StatusOr {
 public:
  StatusOr(T value) : value_(std::move(value)) {}         // NOLINT(google-explicit-constructor)
  StatusOr(Status status) : status_(std::move(status)) {  // NOLINT(google-explicit-constructor)
    assert(!status_.ok());
    if (status_.ok()) status_ = Status::InvalidArgument("no value");
  }

  bool ok() const { return value_.has_value(); }
  // Ok when there is a value.
  const Status& status() const { return status_; }

  // The value; only when ok().
  const T& value() const& {
    assert(ok());
    return *value_;
  }
  T& value() & {
    assert(ok());
    return *value_;
  }
  T&& value() && {
    assert(ok());
    return std::move(*value_);
  }
  const T& operator*() const& { return value(); }
  T& operator*() & { return value(); }
  T&& operator*() && { return std::move(*this).value(); }
  const T* operator->() const { return &value(); }
  T* operator->() { return &value(); }

 private:
  Status status_;
  std::optional<T> value_;
};

}  // namespace platform
