#pragma once

#include <memory>

#include "fuzz/fuzz_support.h"
#include "platform/target_system/folder_system.h"

namespace fuzzing {

// One target system in the scratch folder, made at first use and shared by
// every input of the process.
inline platform::target::TargetSystem& ScratchSystem() {
  static std::unique_ptr<platform::target::FolderSystem> system = [] {
    std::unique_ptr<platform::target::FolderSystem> s;
    FUZZ_CHECK(platform::target::FolderSystem::Create(ScratchFolder() / "system", {}, &s).ok());
    return s;
  }();
  return *system;
}

}  // namespace fuzzing
