#pragma once

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <set>
#include <thread>

#include "platform/target_system/status.h"

namespace platform::target {

// Flushes file systems to the disk on a thread of its own, so that the data
// of many copies is written while later ones are made and the flush at the
// end of them finds little left to do. A request while a flush runs is
// taken up when that one ends.
class BackgroundFlush {
 public:
  BackgroundFlush() = default;
  ~BackgroundFlush();
  BackgroundFlush(const BackgroundFlush&) = delete;
  BackgroundFlush& operator=(const BackgroundFlush&) = delete;

  // Asks for the file systems of these folders to be flushed; returns at
  // once.
  void Request(const std::set<std::filesystem::path>& folders);
  // Waits until every request is done; the first failure since the last
  // call, if any.
  Status Wait();

 private:
  void Run();

  std::mutex lock_;
  std::condition_variable changed_;
  std::set<std::filesystem::path> asked_;
  bool busy_ = false;
  bool stopping_ = false;
  Status failure_;
  std::thread worker_;
};

// Flushes the file system of a host folder (syncfs).
Status FlushFileSystemOf(const std::filesystem::path& folder);

}  // namespace platform::target
