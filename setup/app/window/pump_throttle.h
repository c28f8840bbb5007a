#pragma once

#include <chrono>

namespace setup::window {

// How often the window processes pending events while an engine works. The
// engines offer a chance after every item; taking each of them costs more
// than copying a small file, so events are processed only when a frame's
// time has passed since the last time (and always when asked to).
class PumpThrottle {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kInterval{16};

  // Whether events are due at now; when they are, the interval starts anew.
  bool Due(Clock::time_point now) {
    if (started_ && now - last_ < kInterval) return false;
    started_ = true;
    last_ = now;
    return true;
  }

 private:
  bool started_ = false;
  Clock::time_point last_{};
};

}  // namespace setup::window
