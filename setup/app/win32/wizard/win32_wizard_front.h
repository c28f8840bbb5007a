#pragma once

#include <functional>
#include <memory>
#include <ostream>

#include "setup/app/setup_program.h"
#include "setup/app/win32/win32_prompter.h"
#include "setup/app/win32/wizard/win32_work_box.h"

namespace setup::win32 {

// The installer's questions as the system's message boxes, owned by the
// window that owner() returns; before_showing runs first so that the window
// under the box shows what the question is about.
class WindowPrompter : public wizard::Prompter {
 public:
  explicit WindowPrompter(std::function<HWND()> owner) : boxes_(std::move(owner)) {}
  wizard::Answer Ask(const wizard::Message& message) override {
    if (before_showing_) before_showing_();
    return boxes_.Ask(message);
  }
  void set_before_showing(std::function<void()> f) { before_showing_ = std::move(f); }

 private:
  Win32Prompter boxes_;
  std::function<void()> before_showing_;
};

// The shell's folder picker and the bookmark file dialog
// (GetOpenFileNameW).
class ShellWizardDialogs : public WizardDialogs {
 public:
  std::string ChooseFolder(HWND owner, const wizard::BrowseRequest& request) override;
  std::string ChooseFile(HWND owner, const wizard::BrowseRequest& request) override;
};

// Setup.exe with its windows: message boxes for every question, in setup
// mode the painted background covering the screen with the wizard shown
// modally over it, in the other modes the wizard alone.
class Win32WizardFront : public app::ProgramFront {
 public:
  Win32WizardFront();
  wizard::Prompter& prompter() override { return prompter_; }
  wizard::EngineProgress& progress() override { return progress_; }
  const wizard::TextMeasure* text_measure() const override { return &measure_; }
  int ShowWizard(wizard::WizardModel& model) override;

 private:
  HWND owner_ = nullptr;
  WindowPrompter prompter_;
  Win32WorkBoxProgress progress_;
  Win32LabelMeasure measure_;
  ShellWizardDialogs dialogs_;
};

// The windowed front, or nullptr with a word on err when no window can be
// shown (a Wine without a display), so that the program changes nothing.
std::unique_ptr<app::ProgramFront> MakeWin32WizardFront(std::ostream& err);

}  // namespace setup::win32
