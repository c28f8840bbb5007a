#include "platform/target_system/shell_notify.h"

namespace platform::target {

// No shell watches the target system's folders and registry.
void NotifyAssociationsChanged() {}
void NotifyItemCreated(std::string_view) {}

}  // namespace platform::target
