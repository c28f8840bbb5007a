#include "platform/target_system/background_flush.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace platform::target {

Status FlushFileSystemOf(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Status::FromErrno(errno, "cannot flush " + folder.string());
  Status s;
  if (::syncfs(fd) != 0) s = Status::FromErrno(errno, "cannot flush " + folder.string());
  ::close(fd);
  return s;
}

BackgroundFlush::~BackgroundFlush() {
  {
    std::lock_guard guard(lock_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void BackgroundFlush::Request(const std::set<std::filesystem::path>& folders) {
  {
    std::lock_guard guard(lock_);
    asked_.insert(folders.begin(), folders.end());
    if (!worker_.joinable()) worker_ = std::thread([this] { Run(); });
  }
  changed_.notify_all();
}

Status BackgroundFlush::Wait() {
  std::unique_lock guard(lock_);
  changed_.wait(guard, [this] { return asked_.empty() && !busy_; });
  Status failure = failure_;
  failure_ = Status::Ok();
  return failure;
}

void BackgroundFlush::Run() {
  std::unique_lock guard(lock_);
  for (;;) {
    changed_.wait(guard, [this] { return stopping_ || !asked_.empty(); });
    // What is asked is flushed even when stopping: a caller may wait for it.
    if (asked_.empty()) return;
    const std::set<std::filesystem::path> folders = std::move(asked_);
    asked_.clear();
    busy_ = true;
    guard.unlock();
    Status first;
    for (const std::filesystem::path& folder : folders) {
      Status s = FlushFileSystemOf(folder);
      if (first.ok()) first = s;
    }
    guard.lock();
    busy_ = false;
    if (failure_.ok()) failure_ = first;
    changed_.notify_all();
  }
}

}  // namespace platform::target
