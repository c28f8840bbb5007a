#pragma once

namespace setup::app {

// The exit status of the Setup program.
enum ExitStatus : int {
  kExitDone = 0,       // done (also: a message-only command such as the version box)
  kExitRefused = 1,    // refused before any change: script, start or page check, bad use
  kExitAborted = 2,    // aborted during the work; what was done stays
  kExitLeftovers = 3,  // done, but something was left (a file that could not be deleted)
};

}  // namespace setup::app
