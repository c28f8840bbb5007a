#pragma once

namespace setup::wizard {

// What the engines tell the window while they work (pages 10 and 13): which
// step runs, each counted item, and a chance to process pending window
// events after every item. The unattended mode and tests use the no-op.
class EngineProgress {
 public:
  virtual ~EngineProgress() = default;
  // step counts from 0 in the order of the page's bars.
  virtual void StepStarted(int /*step*/) {}
  virtual void Advanced(int /*step*/) {}
  virtual void StepFinished(int /*step*/) {}
  // Processes pending window events; called after every item.
  virtual void Pump() {}
  // Brings the wizard back to the front (SetForegroundWindow), after the
  // product's own uninstall program has had the screen.
  virtual void BringToFront() {}
};

}  // namespace setup::wizard
