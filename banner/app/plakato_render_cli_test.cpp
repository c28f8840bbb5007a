// plakato-render as its users run it: exit status, messages, output format and
// no partial output file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "banner/app/picture_codecs.h"
#include "platform/atomic_file.h"
#include "platform/testing/temp_dir.h"

namespace plakato {
namespace {

struct CommandResult {
  int status = -1;
  std::string output;  // standard output and error together
};

// environment: "NAME=value …" settings for the program, or empty.
CommandResult RenderCommand(const std::string& arguments, const std::string& environment = "") {
  CommandResult run;
  const std::string command = (environment.empty() ? "" : "env " + environment + " ") +
                              PLAKATO_RENDER_PROGRAM + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 256> buffer;
  while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe)) run.output.append(buffer.data(), n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string Quote(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

class PlakatoRenderCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::WriteFileAtomically(settings_,
                                              "[Size]\r\nindex=0\r\n[BackGround]\r\nColor1=0000FF\r\n"
                                              "[Title]\r\nString=Hi\r\n")
                    .ok());
  }
  platform::testing::TempDir dir_;
  std::filesystem::path settings_ = dir_ / "a design.pkc";
};

TEST_F(PlakatoRenderCliTest, WritesPngOrBitmapByTheOutputName) {
  for (const char* name : {"out.png", "OUT.PNG", "out.bmp", "out.gif"}) {
    CommandResult run = RenderCommand(Quote(settings_) + " " + Quote(dir_ / name));
    ASSERT_EQ(run.status, 0) << run.output;
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(dir_ / name, bytes).ok());
    EXPECT_EQ(bytes.substr(1, 3) == "PNG", IsPngPath(name)) << name;
    auto picture = LoadPicture(dir_ / name);
    ASSERT_TRUE(picture.ok()) << picture.status().message();
    EXPECT_EQ((*picture).width(), 88);
    EXPECT_EQ((*picture).height(), 31);
    EXPECT_EQ((*picture).pixel(0, 0), 0x0000FFu) << "plain red background";
  }
}

TEST_F(PlakatoRenderCliTest, FailuresNameTheFileAndLeaveNoOutput) {
  CommandResult missing = RenderCommand(Quote(dir_ / "none.pkc") + " " + Quote(dir_ / "x.png"));
  EXPECT_NE(missing.status, 0);
  EXPECT_NE(missing.output.find("none.pkc"), std::string::npos) << missing.output;
  EXPECT_FALSE(std::filesystem::exists(dir_ / "x.png"));

  CommandResult unwritable = RenderCommand(Quote(settings_) + " " + Quote(dir_ / "no" / "such" / "y.png"));
  EXPECT_NE(unwritable.status, 0);
  EXPECT_NE(unwritable.output.find("y.png"), std::string::npos) << unwritable.output;

  std::filesystem::create_directory(dir_ / "taken.bmp");
  CommandResult taken = RenderCommand(Quote(settings_) + " " + Quote(dir_ / "taken.bmp"));
  EXPECT_NE(taken.status, 0);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 2)
      << "only the settings file and the folder";
}

TEST_F(PlakatoRenderCliTest, HelpAndUsage) {
  CommandResult help = RenderCommand("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("SETTINGS OUTPUT"), std::string::npos);
  EXPECT_NE(RenderCommand(Quote(settings_)).status, 0);
  EXPECT_NE(RenderCommand("--twips-per-pixel 0 " + Quote(settings_) + " " + Quote(dir_ / "z.png")).status, 0);
}

TEST_F(PlakatoRenderCliTest, UnreadablePictureIsAWarningNotAFailure) {
  ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "broken.png", "not a picture").ok());
  ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "p.pkc",
                                            "[Size]\r\nindex=0\r\n[BackGround]\r\nPattern=3\r\nImageFile=" +
                                                (dir_ / "broken.png").string() + "\r\n")
                  .ok());
  CommandResult run = RenderCommand(Quote(dir_ / "p.pkc") + " " + Quote(dir_ / "p.bmp"));
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.output.find("warning"), std::string::npos) << run.output;
  auto picture = LoadPicture(dir_ / "p.bmp");
  ASSERT_TRUE(picture.ok());
  EXPECT_EQ((*picture).pixel(10, 10), kWhite) << "an empty background picture";
}

TEST_F(PlakatoRenderCliTest, RefusesSettingsThatAreNoRegularFile) {
  const std::filesystem::path fifo = dir_ / "pipe.pkc";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::filesystem::path& input : {fifo, std::filesystem::path("/dev/zero")}) {
    CommandResult run = RenderCommand("'" + input.string() + "' " + Quote(dir_ / "out.png"));
    EXPECT_EQ(run.status, 1) << input;
    EXPECT_NE(run.output.find(input.string()), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out.png"));
  }
}

TEST_F(PlakatoRenderCliTest, TitleWithoutAnyFontIsAWarning) {
  ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "broken.conf", "not a font configuration").ok());
  CommandResult run = RenderCommand(Quote(settings_) + " " + Quote(dir_ / "t.png"),
                                    "PLAKATO_FONTS_CONF=" + Quote(dir_ / "broken.conf") +
                                        " FONTCONFIG_FILE=" + Quote(dir_ / "broken.conf"));
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("warning: the title is not drawn"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("broken.conf"), std::string::npos) << "the most specific cause: " << run.output;
}

TEST_F(PlakatoRenderCliTest, FileWithoutSettingsSectionsFailsWithoutOutput) {
  ASSERT_TRUE(
      platform::WriteFileAtomically(dir_ / "noise.pkc", std::string("\x89\x01\xFF\x00garbage\x7F", 12)).ok());
  const CommandResult run = RenderCommand(Quote(dir_ / "noise.pkc") + " " + Quote(dir_ / "out.png"));
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.output.find("noise.pkc"), std::string::npos) << run.output;
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out.png"));
}

}  // namespace
}  // namespace plakato
