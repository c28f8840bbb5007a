#include "setup/app/invocation.h"

#include <gtest/gtest.h>

namespace setup::app {
namespace {

using Args = std::vector<std::string>;

TEST(InvocationTest, UninstallerNameIsComparedLowerCased) {
  EXPECT_TRUE(IsUninstallerName("kestro.exe"));
  EXPECT_TRUE(IsUninstallerName("KESTRO.EXE"));
  EXPECT_FALSE(IsUninstallerName("kestro.exe.bak"));
  EXPECT_FALSE(IsUninstallerName("Setup"));
  EXPECT_EQ(ParseInvocation("KESTRO.EXE", {"/U", "abc"}).mode, ProgramMode::kUninstall);
  EXPECT_EQ(ParseInvocation("Setup.exe", {"/u", "abc"}).mode, ProgramMode::kSetup);
}

TEST(InvocationTest, UninstallerCommandsNeedTheirArgumentCounts) {
  const Invocation u = ParseInvocation("kestro.exe", {"/u", "My App", "extra"});
  EXPECT_EQ(u.mode, ProgramMode::kUninstall);
  EXPECT_EQ(u.subject, "My App");
  EXPECT_EQ(ParseInvocation("kestro.exe", {"/u"}).mode, ProgramMode::kVersionBox);
  const Invocation d = ParseInvocation("kestro.exe", {"/D", "C:\\pkg"});
  EXPECT_EQ(d.mode, ProgramMode::kCleanUp);
  EXPECT_EQ(d.subject, "C:\\pkg");
  EXPECT_EQ(ParseInvocation("kestro.exe", {"/d"}).mode, ProgramMode::kVersionBox);
  EXPECT_EQ(ParseInvocation("kestro.exe", {"/R"}).mode, ProgramMode::kRestartQuestion);
  EXPECT_EQ(ParseInvocation("kestro.exe", {"/r", "x"}).mode, ProgramMode::kVersionBox);
  EXPECT_EQ(ParseInvocation("kestro.exe", {}).mode, ProgramMode::kVersionBox);
  EXPECT_EQ(ParseInvocation("kestro.exe", {"/x", "y"}).mode, ProgramMode::kVersionBox);
}

TEST(InvocationTest, UnattendedSwitchesAreTakenOutOfTheArguments) {
  const Invocation setup =
      ParseInvocation("Setup", {"/SILENT", "/dir=C:\\Program Files\\表示", "/Group=My Group",
                                "/log=/tmp/a b.log", "/restart", "keep"});
  EXPECT_EQ(setup.mode, ProgramMode::kSetup);
  EXPECT_TRUE(setup.options.silent);
  EXPECT_EQ(setup.options.dir, "C:\\Program Files\\表示");
  EXPECT_EQ(setup.options.group, "My Group");
  EXPECT_EQ(setup.options.log, "/tmp/a b.log");
  EXPECT_TRUE(setup.options.restart);
  EXPECT_EQ(setup.arguments, Args{"keep"});

  const Invocation plain = ParseInvocation("Setup", {});
  EXPECT_FALSE(plain.options.silent);
  EXPECT_FALSE(plain.options.dir.has_value());

  // The switches do not count towards the uninstaller's arguments ...
  const Invocation u = ParseInvocation("kestro.exe", {"/u", "ABC", "/silent", "/log=/tmp/u.log"});
  EXPECT_EQ(u.mode, ProgramMode::kUninstall);
  EXPECT_TRUE(u.options.silent);
  EXPECT_EQ(u.arguments, (Args{"/u", "ABC"}));
  EXPECT_EQ(ParseInvocation("kestro.exe", {"/r", "/silent"}).mode, ProgramMode::kRestartQuestion);
  // ... but the text after /u is the name, whatever it reads.
  const Invocation odd = ParseInvocation("kestro.exe", {"/u", "/silent"});
  EXPECT_EQ(odd.subject, "/silent");
  EXPECT_FALSE(odd.options.silent);
}

}  // namespace
}  // namespace setup::app
