#include "platform/target_system/folder_watch.h"

#include <limits.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "platform/target_system/folder_cache.h"

namespace platform::target {
namespace {

// The changes of a folder's names; a change of a file's content or facts
// leaves the index as it is (facts are read at every lookup).
constexpr std::uint32_t kNameChanges =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

}  // namespace

std::shared_ptr<FolderWatch> FolderWatch::Create() {
  const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0) return nullptr;
  return std::shared_ptr<FolderWatch>(new FolderWatch(fd));
}

FolderWatch::~FolderWatch() { ::close(fd_); }

int FolderWatch::Add(int fd, CachedFolder* folder) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  const int watch = ::inotify_add_watch(fd_, self.c_str(), kNameChanges);
  if (watch < 0) return -1;
  folders_[watch].push_back(folder);
  return watch;
}

void FolderWatch::Remove(int watch, CachedFolder* folder) {
  const auto found = folders_.find(watch);
  if (found == folders_.end()) return;
  std::erase(found->second, folder);
  if (!found->second.empty()) return;
  folders_.erase(found);
  ::inotify_rm_watch(fd_, watch);
}

void FolderWatch::Forget(int watch) {
  const auto found = folders_.find(watch);
  if (found == folders_.end()) return;
  for (CachedFolder* folder : found->second) folder->MarkStale(false);
}

void FolderWatch::Drain() {
  // Room for a thousand events at a time; kept, not on the stack.
  if (!buffer_) buffer_ = std::make_unique<Buffer>();
  char* const buffer = buffer_->bytes;
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, sizeof(Buffer::bytes));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return;  // EAGAIN: nothing more
    // A read takes every queued event that fits: when the largest event
    // would still have fitted, the queue is empty (one call, not two).
    const bool emptied =
        static_cast<std::size_t>(got) + sizeof(inotify_event) + NAME_MAX + 1 <= sizeof(Buffer::bytes);
    for (const char* at = buffer; at < buffer + got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      at += sizeof(inotify_event) + event->len;
      if (event->mask & IN_Q_OVERFLOW) {
        // Events were lost: nothing known can be trusted.
        for (auto& [watch, folders] : folders_) {
          for (CachedFolder* folder : folders) folder->MarkStale(true);
        }
        continue;
      }
      const auto found = folders_.find(event->wd);
      if (found == folders_.end()) continue;
      if (event->mask & IN_IGNORED) {
        // The folder is gone (or its file system): the folders fall back on
        // their change times.
        std::vector<CachedFolder*> folders = std::move(found->second);
        folders_.erase(found);
        for (CachedFolder* folder : folders) folder->Unwatched();
        continue;
      }
      const bool added = event->mask & (IN_CREATE | IN_MOVED_TO);
      const bool removed = event->mask & (IN_DELETE | IN_MOVED_FROM);
      if (!added && !removed) {
        Forget(event->wd);  // the folder itself moved or went
        continue;
      }
      const std::string name(event->len > 0 ? event->name : "");
      // Ours when one of the folders announced it; the others holding the
      // same folder did not see it.
      CachedFolder* announcer = nullptr;
      for (CachedFolder* folder : found->second) {
        if (folder->TakeAnnounced(added, name)) {
          announcer = folder;
          break;
        }
      }
      for (CachedFolder* folder : found->second) {
        if (folder != announcer) folder->MarkStale(false);
      }
    }
    if (emptied) return;
  }
}

}  // namespace platform::target
