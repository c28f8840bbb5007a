#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/cp932.h"
#include "setup/core/registry_utils.h"
#include "setup/core/setup_script.h"
#include "setup/core/test_system.h"
#include "setup/wizard/setup_run.h"
#include "setup/wizard/test_fakes.h"

namespace setup::wizard::testing {

// A fresh target system with a package folder C:\PKG\ (the SourceFolder)
// and a run that answers from a list.
class InstallFixture : public ::testing::Test {
 protected:
  InstallFixture() : run_{*system_, prompter_, log_, launcher_, progress_, ProgramFile(), "C:\\PKG\\", {}} {
    EXPECT_TRUE(system_->files().CreateFolderTree("C:\\PKG").ok());
  }

  platform::target::TargetSystem& sys() { return *system_; }

  // The running program as a host file, what the uninstaller copy is made of.
  std::filesystem::path ProgramFile() {
    const auto path = system_.dir() / "Setup-program";
    EXPECT_TRUE(platform::WriteFileAtomically(path, "setup program").ok());
    return path;
  }

  // Writes a Windows file (UTF-8 text stored as code page 932), making its
  // folder.
  void Put(const std::string& path, const std::string& text) {
    const auto last = path.rfind('\\');
    ASSERT_TRUE(sys().files().CreateFolderTree(path.substr(0, last)).ok()) << path;
    ASSERT_TRUE(sys().files().WriteFile(path, platform::Utf8ToCp932(text)).ok()) << path;
  }
  std::string Get(const std::string& path) {
    std::string data;
    if (!sys().files().ReadFile(path, &data).ok()) return "<missing>";
    return platform::Cp932ToUtf8(data);
  }
  std::uint32_t Attributes(const std::string& path) {
    std::uint32_t attributes = 0;
    EXPECT_TRUE(sys().files().GetAttributes(path, &attributes).ok()) << path;
    return attributes;
  }
  void SetTime(const std::string& path, int days_ago) {
    ASSERT_TRUE(sys()
                    .files()
                    .SetWriteTime(path, std::chrono::system_clock::now() - std::chrono::hours(24 * days_ago))
                    .ok());
  }

  // The package's script, C:\PKG\Setup.dat.
  SetupScript WriteScript(const std::string& text) {
    Put("C:\\PKG\\Setup.dat", text);
    std::filesystem::path host;
    EXPECT_TRUE(sys().drives().ToHostPath("C:\\PKG\\Setup.dat", &host).ok());
    return SetupScript(host);
  }

  std::string RegText(platform::target::RegistryRoot root, std::string_view key, std::string_view name) {
    return RegReadString(sys(), root, key, name, "<none>");
  }
  std::int32_t RegNumber(platform::target::RegistryRoot root, std::string_view key, std::string_view name) {
    return RegReadInteger(sys(), root, key, name, -999);
  }

  setup::testing::TestSystem system_;
  ScriptedPrompter prompter_;
  ActionLog log_;
  RecordingLauncher launcher_;
  CountingProgress progress_;
  SetupRun run_;
};

}  // namespace setup::wizard::testing
