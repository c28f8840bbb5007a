#pragma once

#include <functional>
#include <memory>
#include <ostream>

#include "setup/app/setup_program.h"
#include "setup/app/win32/wizard/win32_work_box.h"

namespace setup::win32 {

// The installer's questions as MessageBoxW boxes owned by the window that
// owner() returns; before_showing runs first so that the window under the
// box shows what the question is about.
class MessageBoxPrompter : public wizard::Prompter {
 public:
  explicit MessageBoxPrompter(std::function<HWND()> owner) : owner_(std::move(owner)) {}
  wizard::Answer Ask(const wizard::Message& message) override;
  void set_before_showing(std::function<void()> f) { before_showing_ = std::move(f); }

 private:
  std::function<HWND()> owner_;
  std::function<void()> before_showing_;
};

// The folder picker (SHBrowseForFolderW) and the bookmark file dialog
// (GetOpenFileNameW).
class ShellWizardDialogs : public WizardDialogs {
 public:
  std::string ChooseFolder(HWND owner, const wizard::BrowseRequest& request) override;
  std::string ChooseFile(HWND owner, const wizard::BrowseRequest& request) override;
};

// Setup.exe with its windows: message boxes for every question and the
// wizard window, shown modally until it has closed.
class Win32WizardFront : public app::ProgramFront {
 public:
  Win32WizardFront();
  wizard::Prompter& prompter() override { return prompter_; }
  wizard::EngineProgress& progress() override { return progress_; }
  const wizard::TextMeasure* text_measure() const override { return &measure_; }
  int ShowWizard(wizard::WizardModel& model) override;

 private:
  HWND owner_ = nullptr;
  MessageBoxPrompter prompter_;
  Win32WorkBoxProgress progress_;
  Win32LabelMeasure measure_;
  ShellWizardDialogs dialogs_;
};

// The windowed front, or nullptr with a word on err when no window can be
// shown (a Wine without a display), so that the program changes nothing.
std::unique_ptr<app::ProgramFront> MakeWin32WizardFront(std::ostream& err);

}  // namespace setup::win32
