#include "banner/app/window/file_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "banner/app/picture_codecs.h"
#include "platform/atomic_file.h"
#include "platform/testing/temp_dir.h"
#include "platform/ui/scripted_dialogs.h"

namespace plakato {

using platform::ui::Answer;
using platform::ui::FileDialogRequest;
using platform::ui::testing::ScriptedDialogs;
namespace {

using ::testing::HasSubstr;
using Mode = FileDialogRequest::Mode;

class FileCommandsTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return (temp_ / name).string(); }

  void DesignABanner(BannerEditor& editor) {
    editor.SelectSize(3);
    editor.SelectBackgroundPattern(kGradient2);
    editor.SetBackgroundColor(0, MakeColor(255, 0, 0));
    editor.SetTitleText("  Sale ");
    editor.SetShadow(true);
    editor.SetOffset(3);
    editor.SetTitleColor(3, MakeColor(0, 0, 128));
    editor.Render();
  }

  platform::testing::TempDir temp_;
  ScriptedDialogs dialogs_;
  BannerEditor editor_{BannerRenderer::CreateDefault()};
  FileCommands commands_{editor_, dialogs_};
};

TEST_F(FileCommandsTest, SaveAsksWithTheSettingsDialogAndCancelWritesNothing) {
  EXPECT_FALSE(commands_.SaveSettings());
  ASSERT_EQ(dialogs_.file_requests.size(), 1u);
  const FileDialogRequest& request = dialogs_.file_requests[0];
  EXPECT_EQ(request.mode, Mode::kSave);
  EXPECT_EQ(request.title, "設定情報の保存");
  EXPECT_EQ(request.filter, "Plakato設定ﾌｧｲﾙ(*.pkc)|*.pkc");
  EXPECT_EQ(request.default_extension, "pkc");
  EXPECT_TRUE(dialogs_.errors.empty());
  EXPECT_TRUE(std::filesystem::is_empty(temp_.path()));
}

TEST_F(FileCommandsTest, SaveThenLoadReproducesTheSameBanner) {
  DesignABanner(editor_);
  dialogs_.files.push_back(Path("design.pkc"));
  ASSERT_TRUE(commands_.SaveSettings());
  const int renders_before = editor_.render_count();
  EXPECT_EQ(editor_.render_count(), renders_before);  // saving renders nothing

  BannerEditor other(BannerRenderer::CreateDefault());
  ScriptedDialogs other_dialogs;
  FileCommands other_commands(other, other_dialogs);
  other_dialogs.answers.push_back(Answer::kNo);
  other_dialogs.files.push_back(Path("design.pkc"));
  other_commands.LoadWithQuestion();
  ASSERT_EQ(other_dialogs.file_requests.size(), 1u);
  EXPECT_EQ(other_dialogs.file_requests[0].mode, Mode::kOpen);
  EXPECT_EQ(other_dialogs.file_requests[0].title, "設定情報の読込");
  EXPECT_EQ(other_dialogs.questions, (std::vector<std::string>{"現在編集中の設定情報を保存しますか？"}));

  EXPECT_EQ(other.settings().Title.String, "Sale");  // stored without its blanks
  EXPECT_EQ(other.settings().Title.Offset, 3);
  EXPECT_TRUE(other.controls().shadow_controls_enabled);
  EXPECT_TRUE(other.renderer().preview() == editor_.renderer().preview());
  EXPECT_EQ(other.renderer().previewWidth(), 234);
}

TEST_F(FileCommandsTest, LoadQuestionAnswers) {
  // Cancel: no dialog at all.
  commands_.LoadWithQuestion();
  EXPECT_TRUE(dialogs_.file_requests.empty());

  // Yes with a cancelled save still goes on to the open dialog.
  dialogs_.answers = {Answer::kYes};
  commands_.LoadWithQuestion();
  ASSERT_EQ(dialogs_.file_requests.size(), 2u);
  EXPECT_EQ(dialogs_.file_requests[0].mode, Mode::kSave);
  EXPECT_EQ(dialogs_.file_requests[1].mode, Mode::kOpen);

  // Yes saves before loading.
  dialogs_.file_requests.clear();
  dialogs_.answers = {Answer::kYes};
  dialogs_.files = {Path("before.pkc"), std::nullopt};
  commands_.LoadWithQuestion();
  EXPECT_TRUE(std::filesystem::exists(temp_ / "before.pkc"));
  EXPECT_EQ(dialogs_.file_requests.size(), 2u);
  EXPECT_EQ(editor_.render_count(), 0);  // the cancelled open changed nothing
}

TEST_F(FileCommandsTest, FailedSaveIsReported) {
  ASSERT_TRUE(platform::WriteFileAtomically(temp_ / "file", "x").ok());
  dialogs_.files.push_back(Path("file/inside.pkc"));
  EXPECT_FALSE(commands_.SaveSettings());
  ASSERT_EQ(dialogs_.errors.size(), 1u);
  EXPECT_THAT(dialogs_.errors[0], HasSubstr("設定情報を保存できませんでした。"));
}

TEST_F(FileCommandsTest, ExportFormatFollowsTheNameNotTheFilter) {
  DesignABanner(editor_);
  dialogs_.files = {Path("a.PNG"), Path("b.gif"), Path("c")};
  dialogs_.answers = {Answer::kYes, Answer::kYes};
  commands_.ExportImage();
  commands_.ExportImage();
  commands_.ExportImage();
  ASSERT_EQ(dialogs_.file_requests.size(), 3u);
  EXPECT_EQ(dialogs_.file_requests[0].filter, "ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|PNGﾌｧｲﾙ(*.png)|*.png");
  EXPECT_EQ(dialogs_.file_requests[0].title, "");
  EXPECT_EQ(dialogs_.file_requests[0].default_extension, "bmp");
  EXPECT_EQ(dialogs_.file_requests[0].suggested_name, "banner.bmp");

  std::string png, gif, plain;
  ASSERT_TRUE(platform::ReadWholeFile(temp_ / "a.PNG", png).ok());
  ASSERT_TRUE(platform::ReadWholeFile(temp_ / "b.gif.bmp", gif).ok());
  ASSERT_TRUE(platform::ReadWholeFile(temp_ / "c.bmp", plain).ok());
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(gif.substr(0, 2), "BM");
  EXPECT_EQ(plain.substr(0, 2), "BM");
  EXPECT_FALSE(std::filesystem::exists(temp_ / "b.gif")) << "never bitmap bytes under another type's name";
  ASSERT_EQ(dialogs_.questions.size(), 2u);
  EXPECT_THAT(dialogs_.questions[0], HasSubstr(Path("b.gif.bmp")));

  // The written pictures are exactly the preview's.
  EXPECT_TRUE((*LoadPng(temp_ / "a.PNG")) == editor_.renderer().preview());
  EXPECT_TRUE((*LoadBmp(temp_ / "b.gif.bmp")) == editor_.renderer().preview());
  EXPECT_TRUE(dialogs_.errors.empty());
}

TEST_F(FileCommandsTest, ExportNameOfAnotherTypeAsksAndNoWritesNothing) {
  DesignABanner(editor_);
  ASSERT_TRUE(platform::WriteFileAtomically(temp_ / "old.gif.bmp", "keep").ok());
  dialogs_.files = {Path("new.gif"), Path("old.gif"), Path("old.gif")};
  dialogs_.answers = {Answer::kNo, Answer::kYes, Answer::kNo, Answer::kYes, Answer::kYes};
  commands_.ExportImage();
  commands_.ExportImage();  // Yes to the bitmap name, No to replacing it
  std::string kept;
  ASSERT_TRUE(platform::ReadWholeFile(temp_ / "old.gif.bmp", kept).ok());
  EXPECT_EQ(kept, "keep");
  commands_.ExportImage();
  ASSERT_TRUE(platform::ReadWholeFile(temp_ / "old.gif.bmp", kept).ok());
  EXPECT_EQ(kept.substr(0, 2), "BM");
  EXPECT_FALSE(std::filesystem::exists(temp_ / "new.gif"));
  EXPECT_FALSE(std::filesystem::exists(temp_ / "new.gif.bmp"));
  EXPECT_FALSE(std::filesystem::exists(temp_ / "old.gif"));
}

TEST_F(FileCommandsTest, SaveNamesTheCharactersCodePage932LacksAndMayBeCancelled) {
  editor_.SetTitleText("Café ü");
  dialogs_.files = {Path("cafe.pkc"), Path("cafe.pkc")};
  dialogs_.answers = {Answer::kNo, Answer::kYes};
  EXPECT_FALSE(commands_.SaveSettings());
  ASSERT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_THAT(dialogs_.questions[0], HasSubstr("éü"));
  EXPECT_FALSE(std::filesystem::exists(temp_ / "cafe.pkc"));
  EXPECT_TRUE(editor_.modified());

  EXPECT_TRUE(commands_.SaveSettings());
  EXPECT_FALSE(editor_.modified());
  BannerEditor other(BannerRenderer::CreateDefault());
  ScriptedDialogs other_dialogs;
  FileCommands(other, other_dialogs).LoadSettingsFrom(Path("cafe.pkc"));
  EXPECT_EQ(other.settings().Title.String, "Café ü");

  // A design that code page 932 holds is saved without asking.
  editor_.SetTitleText("カフェ");
  dialogs_.files = {Path("cafe.pkc")};
  EXPECT_TRUE(commands_.SaveSettings());
  EXPECT_EQ(dialogs_.questions.size(), 2u);
}

TEST_F(FileCommandsTest, ExportBeforeTheFirstRenderWritesABlankBanner) {
  dialogs_.files = {Path("blank.bmp")};
  commands_.ExportImage();
  const auto written = LoadBmp(temp_ / "blank.bmp");
  ASSERT_TRUE(written.ok()) << written.status().message();
  EXPECT_TRUE((*written) == Bitmap(88, 31, kWhite));
  EXPECT_EQ(editor_.render_count(), 0);
}

TEST_F(FileCommandsTest, FailedExportShowsTheSystemErrorAndChangesNothing) {
  DesignABanner(editor_);
  const int renders = editor_.render_count();
  dialogs_.files = {Path("missing-folder/x.bmp")};
  commands_.ExportImage();
  ASSERT_EQ(dialogs_.errors.size(), 1u);
  EXPECT_THAT(dialogs_.errors[0], HasSubstr("イメージを保存できませんでした。"));
  EXPECT_THAT(dialogs_.errors[0], HasSubstr("missing-folder/x.bmp\n"));
  EXPECT_NE(dialogs_.errors[0].back(), '\n');  // the system's error text follows
  EXPECT_EQ(editor_.render_count(), renders);
  EXPECT_FALSE(std::filesystem::exists(temp_ / "missing-folder"));

  // Cancel: nothing written, nothing shown.
  commands_.ExportImage();
  EXPECT_EQ(dialogs_.errors.size(), 1u);
}

TEST_F(FileCommandsTest, UnreadableBackgroundPictureIsReportedAtLoad) {
  ASSERT_TRUE(platform::WriteFileAtomically(temp_ / "broken.png", "not a picture").ok());
  ASSERT_TRUE(platform::WriteFileAtomically(
                  temp_ / "with-picture.pkc",
                  "[Size]\nindex=0\n[BackGround]\nPattern=3\nImageFile=" + Path("broken.png") + "\n")
                  .ok());
  commands_.LoadSettingsFrom(Path("with-picture.pkc"));
  ASSERT_EQ(dialogs_.warnings.size(), 1u);
  EXPECT_THAT(dialogs_.warnings[0], HasSubstr("broken.png"));
  EXPECT_FALSE(editor_.background_picture().has_value());
  EXPECT_EQ(editor_.renderer().previewWidth(), 88);
}

TEST_F(FileCommandsTest, ExportOffersTheBannerNameAndNeverSilentlyOverwritesTheDesign) {
  DesignABanner(editor_);
  dialogs_.files.push_back(Path("design.pkc"));
  ASSERT_TRUE(commands_.SaveSettings());
  std::string design;
  ASSERT_TRUE(platform::ReadWholeFile(temp_ / "design.pkc", design).ok());

  // Enter in the export dialog: the design's name with the bitmap extension.
  dialogs_.files.push_back(std::nullopt);
  commands_.ExportImage();
  EXPECT_EQ(dialogs_.file_requests.back().suggested_name, Path("design.bmp"));

  // The settings file's own name gets the bitmap extension: the design stays.
  dialogs_.files.push_back(Path("design.pkc"));
  dialogs_.answers.push_back(Answer::kYes);
  commands_.ExportImage();
  std::string after;
  ASSERT_TRUE(platform::ReadWholeFile(temp_ / "design.pkc", after).ok());
  EXPECT_EQ(after, design);
  EXPECT_TRUE(std::filesystem::exists(temp_ / "design.pkc.bmp"));

  // A settings file under a picture's name: choosing it asks, naming it; No
  // keeps the design.
  dialogs_.files.push_back(Path("shop.png"));
  ASSERT_TRUE(commands_.SaveSettings());
  ASSERT_TRUE(platform::ReadWholeFile(temp_ / "shop.png", design).ok());
  dialogs_.messages.clear();
  dialogs_.files.push_back(Path("shop.png"));
  dialogs_.answers.push_back(Answer::kNo);
  commands_.ExportImage();
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_THAT(dialogs_.messages[0].text, HasSubstr(Path("shop.png")));
  EXPECT_EQ(dialogs_.messages[0].default_answer, Answer::kNo);
  ASSERT_TRUE(platform::ReadWholeFile(temp_ / "shop.png", after).ok());
  EXPECT_EQ(after, design);
  EXPECT_FALSE(editor_.modified());
  dialogs_.files.push_back(Path("shop.png"));
  dialogs_.answers.push_back(Answer::kYes);
  commands_.ExportImage();
  ASSERT_TRUE(platform::ReadWholeFile(temp_ / "shop.png", after).ok());
  EXPECT_EQ(after.substr(1, 3), "PNG");
  EXPECT_TRUE(editor_.modified()) << "the design now exists nowhere but in the window";
  dialogs_.answers.push_back(Answer::kCancel);
  EXPECT_FALSE(commands_.ConfirmClose());
}

TEST_F(FileCommandsTest, ClosingWithUnsavedChangesAsksToSave) {
  EXPECT_TRUE(commands_.ConfirmClose()) << "nothing changed, nothing asked";
  EXPECT_TRUE(dialogs_.questions.empty());
  DesignABanner(editor_);
  dialogs_.answers = {Answer::kCancel};
  EXPECT_FALSE(commands_.ConfirmClose());
  dialogs_.answers = {Answer::kYes};
  dialogs_.files = {std::nullopt};  // the save dialog cancelled
  EXPECT_FALSE(commands_.ConfirmClose());
  dialogs_.answers = {Answer::kYes};
  dialogs_.files = {Path("kept.pkc")};
  EXPECT_TRUE(commands_.ConfirmClose());
  EXPECT_TRUE(std::filesystem::exists(temp_ / "kept.pkc"));
  EXPECT_FALSE(editor_.modified());
  editor_.SetOffset(5);
  dialogs_.answers = {Answer::kNo};
  EXPECT_TRUE(commands_.ConfirmClose());
  EXPECT_EQ(dialogs_.questions.size(), 4u);
}

TEST_F(FileCommandsTest, FileWithoutSettingsIsRefusedAndTheDesignKept) {
  DesignABanner(editor_);
  dialogs_.files.push_back(Path("design.pkc"));
  ASSERT_TRUE(commands_.SaveSettings());
  const BannerSettings before = editor_.settings();
  ASSERT_TRUE(platform::WriteFileAtomically(temp_ / "noise.pkc", std::string("\x00\x01\xFEnoise", 8)).ok());
  commands_.LoadSettingsFrom(Path("noise.pkc"));
  ASSERT_EQ(dialogs_.errors.size(), 1u);
  EXPECT_THAT(dialogs_.errors[0], HasSubstr("noise.pkc"));
  EXPECT_TRUE(editor_.settings() == before);
  EXPECT_EQ(editor_.document_path(), Path("design.pkc"));
}

TEST_F(FileCommandsTest, UnreadableSettingsFileIsNamedAndChangesNothing) {
  DesignABanner(editor_);
  const BannerSettings before = editor_.settings();
  commands_.LoadSettingsFrom("/dev/zero");
  ASSERT_EQ(dialogs_.errors.size(), 1u);
  EXPECT_THAT(dialogs_.errors[0], HasSubstr("/dev/zero"));
  EXPECT_TRUE(editor_.settings() == before);
}

}  // namespace
}  // namespace plakato
