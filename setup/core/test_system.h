#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/target_system/folder_system.h"
#include "platform/testing/temp_dir.h"

namespace setup::testing {

// A fresh target system in a temporary folder, removed at the end.
class TestSystem {
 public:
  explicit TestSystem(int os_kind = 202, std::string windows_folder = "C:\\WINDOWS",
                      std::string user = "taro") {
    platform::target::InitOptions options;
    options.os_kind = os_kind;
    options.user_name = std::move(user);
    options.windows_folder = std::move(windows_folder);
    const auto status = platform::target::FolderSystem::Create(dir_ / "system", options, &system_);
    EXPECT_TRUE(status.ok()) << status.ToString();
  }

  platform::target::FolderSystem& operator*() { return *system_; }
  platform::target::FolderSystem* operator->() { return system_.get(); }
  const platform::testing::TempDir& dir() const { return dir_; }

 private:
  platform::testing::TempDir dir_;
  std::unique_ptr<platform::target::FolderSystem> system_;
};

}  // namespace setup::testing
