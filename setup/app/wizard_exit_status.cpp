#include "setup/app/wizard_exit_status.h"

#include "setup/app/exit_status.h"
#include "setup/wizard/model/wizard_pages.h"

namespace setup::app {

int WizardExitStatus(wizard::WizardMode mode, int furthest_page, int leftovers) {
  const int done = leftovers > 0 ? kExitLeftovers : kExitDone;
  switch (mode) {
    case wizard::WizardMode::kCleanUp: return kExitDone;
    case wizard::WizardMode::kSetup:
      if (furthest_page >= wizard::kInstallDonePage) return kExitDone;
      return furthest_page >= wizard::kInstallPage ? kExitAborted : kExitRefused;
    case wizard::WizardMode::kUninstall:
      if (furthest_page >= wizard::kUninstallDonePage) return done;
      return furthest_page >= wizard::kUninstallPage ? kExitAborted : kExitRefused;
  }
  return kExitRefused;
}

}  // namespace setup::app
