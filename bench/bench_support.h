#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/target_system/folder_system.h"
#include "setup/wizard/program_launcher.h"
#include "setup/wizard/prompter.h"

namespace bench {

// A target system in a folder of its own under the temporary folder, with
// an empty package folder C:\PKG; removed again with the object. The host
// refusing any of it ends the bench.
class ScratchPackageSystem {
 public:
  explicit ScratchPackageSystem(std::string_view name) {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    root_ = pattern;
    platform::target::InitOptions options;
    options.user_name = "taro";
    if (!platform::target::FolderSystem::Create(root_ / "system", options, &system_).ok()) std::abort();
    if (!system_->files().CreateFolderTree("C:\\PKG").ok()) std::abort();
    if (!system_->drives().ToHostPath("C:\\PKG", &package_host_).ok()) std::abort();
  }
  ~ScratchPackageSystem() {
    std::error_code error;
    std::filesystem::remove_all(root_, error);
  }
  ScratchPackageSystem(const ScratchPackageSystem&) = delete;
  ScratchPackageSystem& operator=(const ScratchPackageSystem&) = delete;

  platform::target::FolderSystem& system() { return *system_; }
  const std::filesystem::path& root() const { return root_; }
  // C:\PKG on the host.
  const std::filesystem::path& package_host() const { return package_host_; }

 private:
  std::filesystem::path root_;
  std::filesystem::path package_host_;
  std::unique_ptr<platform::target::FolderSystem> system_;
};

// Answers every question with its default.
class DefaultPrompter : public setup::wizard::Prompter {
 public:
  setup::wizard::Answer Ask(const setup::wizard::Message& message) override { return message.default_answer; }
};

// Starts nothing: only the engines are measured.
class NoLauncher : public setup::wizard::ProgramLauncher {
 public:
  platform::Status Start(std::string_view, std::string_view) override {
    return platform::Status::InvalidArgument("the bench starts no program");
  }
  platform::Status RunAndWait(std::string_view, setup::wizard::EngineProgress&) override {
    return platform::Status::InvalidArgument("the bench starts no program");
  }
  void RestartWindows() override {}
};

}  // namespace bench
