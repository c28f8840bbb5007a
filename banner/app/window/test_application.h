#pragma once

#include "banner/app/window/application_setup.h"
#include "platform/ui/test_application.h"

namespace plakato::testing {

// The widget tests' application object with the banner maker's look.
inline QApplication& TestApplication() {
  return platform::ui::testing::TestApplication(&ConfigureApplication);
}

using platform::ui::testing::Find;

}  // namespace plakato::testing
