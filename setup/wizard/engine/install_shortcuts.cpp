// Step 3 of the install engine: the [Link] list, each shortcut made when the
// box of its location is checked.

#include <array>
#include <string>

#include "platform/target_system/shell_notify.h"
#include "setup/core/path_macros.h"
#include "setup/core/shortcut.h"
#include "setup/wizard/engine/install_run.h"

namespace setup::wizard {
namespace {

// Whether a checked location box covers the shortcut place: the macro is
// compared over its own length, letter case included.
bool IsChosenPlace(const InstallChoices& choices, std::string_view place) {
  struct Location {
    std::string_view macro;
    bool chosen;
  };
  const std::array<Location, 7> locations = {{
      {"<SSetup>", choices.start_menu},
      {"<SProgram>", choices.start_menu},
      {"<Start>", choices.start_menu},
      {"<Startup>", choices.startup},
      {"<Desktop>", choices.desktop},
      {"<Sendto>", choices.send_to},
      {"<Quick>", choices.quick_launch},
  }};
  for (const Location& location : locations) {
    if (location.chosen && place.starts_with(location.macro)) return true;
  }
  return false;
}

}  // namespace

void MakeShortcuts(InstallRun& install) {
  StepProgress bar(install.run.progress, kShortcutsStep);
  const ScriptSection list = ScriptSection::Load(install.script, "Link");
  for (const std::int64_t n : list.ItemNumbers()) {
    const std::string place = list.ReadItem("Link", n);
    if (!IsChosenPlace(install.choices, place)) continue;
    const std::string target = install.Expand(list.ReadItem("File", n));
    const std::string link = ExpandShortcutMacro(install.system(), place, install.choices.start_menu_folder,
                                                 install.choices.all_users);
    const std::string working_folder = install.Expand(list.ReadItem("Folder", n));
    // The window state and the icon index travel as unsigned 8-bit values.
    const std::int32_t state = list.ReadItemInteger("Size", n) & 0xFF;
    const std::string icon_file = install.Expand(list.ReadItem("Icon", n));
    const std::int32_t icon_index = list.ReadItemInteger("IconNo", n) & 0xFF;
    const Status made =
        CreateShortcut(install.system(), link, target, icon_index, icon_file, state, working_folder);
    if (made.ok()) platform::target::NotifyItemCreated(link);
    install.run.log.Add("SHORTCUT", {link, target, Outcome(made)});
    bar.Advance();
  }
}

}  // namespace setup::wizard
