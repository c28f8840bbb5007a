#pragma once

#include <string>
#include <string_view>

#include "platform/target_system/target_system.h"
#include "setup/core/setup_script.h"
#include "setup/wizard/program_launcher.h"
#include "setup/wizard/prompter.h"

namespace setup::app {

// The checks and small functions of the program's start, before the wizard
// takes over. Every message goes through the prompter; shown_path is the
// script's path as the user should read it.

// Setup mode: the script must exist and name exactly "kestro Setup 1.00".
bool CheckSetupScript(const SetupScript& script, std::string_view shown_path, wizard::Prompter& prompter);

// Clean-up mode: the first 12 characters of the script's Application must
// be "kestro Setup" (a missing script fails too).
bool CheckCleanUpScript(const SetupScript& script, std::string_view shown_path, wizard::Prompter& prompter);

// A product's key name is one registry key name: not empty, no backslash,
// no control character, at most 255 characters. Anything else would nest
// the record inside another product's or leave the product unrecorded.
bool IsValidKeyName(std::string_view name);

// Setup mode, after the script check: refuses a script whose key name
// ([Uninstall] KeyName, else [Define] Name) is none, before any change.
bool CheckKeyName(const SetupScript& script, wizard::Prompter& prompter);

// Uninstall mode, before the wizard: whether the product has a record.
enum class UninstallTarget {
  kRecorded,           // the wizard runs
  kStaleEntryRemoved,  // only the system's list named it; the user had it removed
  kStaleEntryKept,     // ... and kept it
  kNothingRecorded,
};
UninstallTarget CheckUninstallTarget(platform::target::TargetSystem& system, std::string_view name,
                                     wizard::Prompter& prompter);

// "/r": the restart question; Yes restarts the target system's Windows.
void AskForRestart(wizard::Prompter& prompter, wizard::ProgramLauncher& launcher);

// The version box of the uninstaller copy.
void ShowVersionBox(wizard::Prompter& prompter);
wizard::Message VersionBoxMessage();

}  // namespace setup::app
