#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

namespace platform::target {

class CachedFolder;

// Tells the held folders when someone else changed their entries, by one
// inotify descriptor for all of them: a lookup reads what happened since the
// last one in one call, where looking at each folder's change time costs a
// call per folder of the path. Our own changes are announced by the folders
// beforehand (CachedFolder::Added and Removed) and passed over; anything
// else makes the folder it concerns forget its entries.
class FolderWatch {
 public:
  // nullptr where inotify is not to be had; the folders then look at their
  // change times.
  static std::shared_ptr<FolderWatch> Create();
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // Watches the entries of the open folder for folder; the watch number, or
  // -1 when it cannot be watched.
  int Add(int fd, CachedFolder* folder);
  void Remove(int watch, CachedFolder* folder);
  // Reads every event queued since the last call and hands it to the
  // folders, which only take note: what they forget, they forget at their
  // next lookup.
  void Drain();

 private:
  explicit FolderWatch(int fd) : fd_(fd) {}
  void Forget(int watch);

  int fd_;
  struct Buffer {
    alignas(8) char bytes[64 * 1024];
  };
  std::unique_ptr<Buffer> buffer_;
  // Several held folders may be one folder (reached by two paths): the
  // kernel gives them one watch.
  std::unordered_map<int, std::vector<CachedFolder*>> folders_;
};

}  // namespace platform::target
