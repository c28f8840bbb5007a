#pragma once

#include <functional>
#include <memory>

#include "platform/ui/dialog_service.h"
#include "setup/wizard/prompter.h"

class QWidget;

namespace setup::window {

// The installer's questions as message boxes: each box carries its
// message's caption ("kestro Setup for Windows" unless the message says
// otherwise), its icon and default button and the Japanese button texts.
// before_showing runs first, so that the window under the box shows what the
// question is about.
class DialogPrompter : public wizard::Prompter {
 public:
  // The dialog service for boxes with a caption.
  using ServiceFor = std::function<std::unique_ptr<platform::ui::DialogService>(const std::string& caption)>;

  explicit DialogPrompter(ServiceFor service_for) : service_for_(std::move(service_for)) {}

  platform::Answer Ask(const platform::Message& message) override;
  void set_before_showing(std::function<void()> f) { before_showing_ = std::move(f); }

 private:
  ServiceFor service_for_;
  std::function<void()> before_showing_;
};

// Message boxes of the toolkit owned by the window that owner() returns
// when a box opens (the background window, later the wizard).
std::unique_ptr<DialogPrompter> MakeQtPrompter(std::function<QWidget*()> owner);

}  // namespace setup::window
