#include "banner/app/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "banner/app/picture_codecs.h"
#include "platform/atomic_file.h"
#include "platform/cp932.h"
#include "platform/testing/temp_dir.h"

namespace plakato {
namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  void Put(const std::string& name, const std::string& utf8) {
    ASSERT_TRUE(platform::WriteFileAtomically(dir_ / name, platform::Utf8ToCp932(utf8)).ok());
  }
  std::string Get(const std::string& name) {
    std::string s;
    return platform::ReadWholeFile(dir_ / name, s).ok() ? platform::Cp932ToUtf8(s) : "(unreadable)";
  }
  std::unique_ptr<BannerEditor> Fresh() {
    return std::make_unique<BannerEditor>(BannerRenderer::CreateDefault());
  }

  platform::testing::TempDir dir_;
};

TEST_F(SettingsFileTest, ColourTextIsBlueGreenRed) {
  EXPECT_EQ(ColorToHex6(0x0000FF), "0000FF");
  EXPECT_EQ(ColorToHex6(0xFFFFFF), "FFFFFF");
  EXPECT_EQ(ColorToHex6(0x000000), "000000");
  EXPECT_EQ(ColorToHex6(0x00ABCDEF), "ABCDEF");
  EXPECT_EQ(ColorToHex6(0x12345678), "345678");  // the last six digits
}

TEST_F(SettingsFileTest, ReadRules) {
  Put("a.pkc",
      "[size]\r\nINDEX = 3 \r\n[BackGround]\r\nClipY=12\r\nEmpty=\r\n[Title]\r\nString=  バナー  \r\nLong=" +
          std::string(5000, 'x') + "\r\n");
  const auto path = dir_ / "a.pkc";
  EXPECT_EQ(ReadSettingValue("Size", "index", "-1", path), "3");
  EXPECT_EQ(ReadSettingValue("BackGround", "Clipy", "0", path), "12");
  EXPECT_EQ(ReadSettingValue("BackGround", "Empty", "dflt", path), "");
  EXPECT_EQ(ReadSettingValue("BackGround", "Missing", "dflt", path), "dflt");
  EXPECT_EQ(ReadSettingValue("Title", "String", "", path), "バナー");
  EXPECT_EQ(ReadSettingValue("Title", "Long", "", path).size(), 4095u);
  EXPECT_EQ(ReadSettingValue("Title", "String", "既定", dir_ / "none.pkc"), "既定");
}

TEST_F(SettingsFileTest, WritesEveryKeyInOrder) {
  auto editor = Fresh();
  editor->SelectSize(2);
  editor->SetUserWidthText("77");  // not the user item: written empty
  editor->SelectBackgroundPattern(kGradient2);
  editor->SetBackgroundColor(0, 0x0000FF);
  editor->SetTitleText("  見出し ");
  editor->SelectTitlePattern(1);
  editor->SetShadow(true);
  editor->SetOffset(3);
  ASSERT_TRUE(SaveSettings(*editor, dir_ / "w.pkc").ok());
  const std::string expected =
      "[Size]\r\nindex=2\r\nWidth=\r\nHeight=\r\n"
      "[BackGround]\r\nPattern=1\r\nColor1=0000FF\r\nColor2=FFFFFF\r\nColor3=FFFFFF\r\nDirection=0\r\n"
      "ImageFile=\r\nClipX=0\r\nClipy=0\r\nButtonize=False\r\n"
      "[Title]\r\nString=見出し\r\nFontName=" +
      editor->title_font_face() +
      "\r\nFontBold=False\r\nFontItalic=False\r\nLocation=0\r\nPattern=1\r\n"
      "Color1=000000\r\nColor2=FFFFFF\r\nColor3=FFFFFF\r\nDirection=0\r\nShadow=True\r\nOffset=3\r\n"
      "ShadowColor=FFFFFF\r\nShadowDirection=0\r\n";
  EXPECT_EQ(Get("w.pkc"), expected);
}

// A save that cannot write says which file refused, and the file stays.
TEST_F(SettingsFileTest, AFailedSaveSaysWhyAndKeepsTheFile) {
  Put("ro.pkc", "[Size]\r\nindex=1\r\n");
  std::filesystem::permissions(dir_ / "ro.pkc", std::filesystem::perms(0444));
  const platform::Status saved = SaveSettings(*Fresh(), dir_ / "ro.pkc");
  EXPECT_FALSE(saved.ok());
  EXPECT_NE(saved.message().find("ro.pkc is read-only"), std::string::npos) << saved.message();
  EXPECT_EQ(Get("ro.pkc"), "[Size]\r\nindex=1\r\n");
}

TEST_F(SettingsFileTest, LoadPutsValuesIntoTheControls) {
  Put("l.pkc",
      "[Size]\nindex=4\nWidth=300\nHeight=100\n"
      "[BackGround]\nPattern=2\nColor1=0000FF\nColor2=FF0000\nColor3=00FF00\nDirection=4\nButtonize=TRUE\n"
      "[Title]\nString= ようこそ \nFontName=ＭＳ "
      "ゴシック\nFontBold=-1\nFontItalic=false\nLocation=8\nPattern=2\n"
      "Color1=111111\nColor2=222222\nColor3=333333\nDirection=1\nShadow=1\nOffset=4\nShadowColor=444444\n");
  auto editor = Fresh();
  EXPECT_TRUE(LoadSettings(*editor, dir_ / "l.pkc").ok());
  const BannerSettings& s = editor->settings();
  EXPECT_EQ(s.Size.index, 4);
  EXPECT_EQ(editor->renderer().previewWidth(), 300);
  EXPECT_EQ(editor->renderer().previewHeight(), 100);
  EXPECT_EQ(s.BackGround.Pattern, 2);
  EXPECT_EQ(s.BackGround.Color1, 0x0000FFu);  // pure red
  EXPECT_EQ(s.BackGround.Color2, 0xFF0000u);  // pure blue
  EXPECT_EQ(s.BackGround.Direction, 4);
  EXPECT_TRUE(s.BackGround.Buttonize);
  EXPECT_EQ(s.Title.String, "ようこそ") << "blanks around a value are dropped on reading";
  EXPECT_EQ(editor->controls().font_label, "ＭＳ ゴシック");
  EXPECT_EQ(editor->title_font_face(), "ＭＳ ゴシック");
  EXPECT_TRUE(editor->title_font_bold());
  EXPECT_FALSE(editor->title_font_italic());
  EXPECT_EQ(s.Title.Location, 8);
  EXPECT_EQ(s.Title.Pattern, 2);
  EXPECT_EQ(s.Title.Color3, 0x333333u);
  EXPECT_EQ(s.Title.Direction, 1);
  EXPECT_TRUE(s.Title.Shadow);
  EXPECT_TRUE(editor->controls().shadow_controls_enabled);
  EXPECT_EQ(s.Title.Offset, 4);
  EXPECT_EQ(s.Title.ShadowColor, 0x444444u);
  EXPECT_TRUE(editor->renderer().hasRendered());
}

TEST_F(SettingsFileTest, MalformedValuesKeepTheControls) {
  Put("m.pkc",
      "[Size]\nindex=7\n[BackGround]\nPattern=x\nDirection=9\nColor1=zz\nButtonize=maybe\n"
      "[Title]\nPattern=5\nOffset=40\nLocation=abc\nFontName=\n");
  auto editor = Fresh();
  editor->SelectSize(1);
  editor->SelectBackgroundPattern(kGradient2);
  editor->SetBackgroundColor(0, 0x123456);
  editor->SetButtonize(true);
  editor->SelectTitlePattern(1);
  editor->SetOffset(5);
  EXPECT_TRUE(LoadSettings(*editor, dir_ / "m.pkc").ok());
  const BannerSettings& s = editor->settings();
  EXPECT_EQ(s.Size.index, 1);
  EXPECT_EQ(s.BackGround.Pattern, kGradient2);
  EXPECT_EQ(s.BackGround.Direction, 0);
  EXPECT_EQ(s.BackGround.Color1, 0x123456u);
  EXPECT_TRUE(s.BackGround.Buttonize);
  EXPECT_EQ(s.Title.Pattern, 1);
  EXPECT_EQ(s.Title.Offset, 5);
  EXPECT_EQ(s.Title.Location, 0) << "a non-number reads as 0";
}

TEST_F(SettingsFileTest, MissingFileLoadsDefaultsAndRenders) {
  auto editor = Fresh();
  EXPECT_TRUE(LoadSettings(*editor, dir_ / "absent.pkc").ok());
  EXPECT_EQ(editor->settings().Size.index, -1);
  EXPECT_EQ(editor->settings().Title.Pattern, 0) << "\"-1\" names no option";
  EXPECT_TRUE(editor->renderer().hasRendered());
  EXPECT_EQ(editor->renderer().previewWidth(), 88);
}

TEST_F(SettingsFileTest, SaveAfterLoadRoundTripsEveryKeyAndTheBanner) {
  Put("r.pkc",
      "[Size]\nindex=3\n[BackGround]\nPattern=1\nColor1=FF8000\nColor2=00FFFF\nDirection=2\n"
      "[Title]\nString=往復テスト\nLocation=4\nPattern=0\nColor1=0000FF\nShadow=True\nOffset=2\n");
  auto first = Fresh();
  EXPECT_TRUE(LoadSettings(*first, dir_ / "r.pkc").ok());
  ASSERT_TRUE(SaveSettings(*first, dir_ / "r2.pkc").ok());
  auto second = Fresh();
  EXPECT_TRUE(LoadSettings(*second, dir_ / "r2.pkc").ok());
  ASSERT_TRUE(SaveSettings(*second, dir_ / "r3.pkc").ok());
  EXPECT_EQ(Get("r2.pkc"), Get("r3.pkc"));
  EXPECT_NE(Get("r2.pkc").find("Width=\r\nHeight=\r\n"), std::string::npos);
  EXPECT_EQ(first->renderer().preview(), second->renderer().preview());
}

TEST_F(SettingsFileTest, BackgroundPictureIsCutOutAndUnreadableOnesAreEmpty) {
  Bitmap image(300, 200, 0x00FF00);
  image.set_pixel(10, 20, 0x0000FF);
  ASSERT_TRUE(SavePicture(image, dir_ / "bg.PNG").ok());
  Put("p.pkc", "[Size]\nindex=0\n[BackGround]\nPattern=3\nImageFile=" + (dir_ / "bg.PNG").string() +
                   "\nClipX=10\nClipy=20\n");
  auto editor = Fresh();
  auto report = LoadSettings(*editor, dir_ / "p.pkc");
  EXPECT_TRUE((*report).empty());
  ASSERT_TRUE(editor->background_picture().has_value());
  EXPECT_EQ(editor->background_picture()->width(), 88);
  EXPECT_EQ(editor->background_picture()->pixel(0, 0), 0x0000FFu);
  EXPECT_EQ(editor->renderer().preview().pixel(0, 0), 0x0000FFu);
  EXPECT_EQ(editor->renderer().preview().pixel(5, 5), 0x00FF00u);

  // Beyond the image the work picture's white shows.
  Put("q.pkc", "[Size]\nindex=0\n[BackGround]\nPattern=3\nImageFile=" + (dir_ / "bg.PNG").string() +
                   "\nClipX=250\nClipy=-5\n");
  EXPECT_TRUE(LoadSettings(*editor, dir_ / "q.pkc").ok());
  EXPECT_EQ(editor->background_picture()->pixel(0, 0), kWhite);
  EXPECT_EQ(editor->background_picture()->pixel(0, 5), 0x00FF00u);
  EXPECT_EQ(editor->background_picture()->pixel(60, 5), kWhite);

  ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "bad.png", "not a png").ok());
  Put("b.pkc", "[Size]\nindex=0\n[BackGround]\nPattern=3\nImageFile=" + (dir_ / "bad.png").string() + "\n");
  const Bitmap before = *editor->background_picture();
  report = LoadSettings(*editor, dir_ / "b.pkc");
  EXPECT_EQ((*report).size(), 1u);
  ASSERT_TRUE(editor->background_picture().has_value()) << "an unreadable picture loses nothing";
  EXPECT_EQ(*editor->background_picture(), before);
  EXPECT_EQ(editor->settings().BackGround.ImageFile, (dir_ / "bg.PNG").string());
  EXPECT_EQ(editor->settings().BackGround.ClipX, 250);

  // A file that no longer exists gives an empty background picture, and
  // the user is told which file is missing.
  Put("n.pkc", "[Size]\nindex=0\n[BackGround]\nPattern=3\nImageFile=" + (dir_ / "gone.png").string() + "\n");
  report = LoadSettings(*editor, dir_ / "n.pkc");
  ASSERT_EQ((*report).size(), 1u);
  EXPECT_NE((*report)[0].find("gone.png"), std::string::npos);
  EXPECT_FALSE(editor->background_picture().has_value());
  EXPECT_EQ(editor->renderer().preview().pixel(3, 3), kWhite);
}

TEST_F(SettingsFileTest, Utf8FileWithByteOrderMarkIsReadAndSavedAsCodePage932WhenItFits) {
  const std::string utf8 = "\xEF\xBB\xBF[Size]\r\nindex=1\r\n[Title]\r\nString=見出し\r\nMemo=メモ\r\n";
  ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "u.pkc", utf8).ok());
  EXPECT_EQ(ReadSettingValue("Title", "String", "", dir_ / "u.pkc"), "見出し");
  auto editor = Fresh();
  auto report = LoadSettings(*editor, dir_ / "u.pkc");
  EXPECT_TRUE(report.ok());
  EXPECT_EQ(editor->settings().Size.index, 1) << "the first section is read";
  EXPECT_EQ(editor->settings().Title.String, "見出し");

  ASSERT_TRUE(SaveSettings(*editor, dir_ / "u.pkc").ok());
  std::string saved;
  ASSERT_TRUE(platform::ReadWholeFile(dir_ / "u.pkc", saved).ok());
  EXPECT_FALSE(saved.starts_with("\xEF\xBB\xBF"));
  EXPECT_NE(saved.find(platform::Utf8ToCp932("String=見出し")), std::string::npos);
  EXPECT_NE(saved.find(platform::Utf8ToCp932("Memo=メモ")), std::string::npos) << "other lines converted too";
  EXPECT_EQ(ReadSettingValue("Title", "String", "", dir_ / "u.pkc"), "見出し");
}

TEST_F(SettingsFileTest, PipesDevicesAndHugeFilesAreRefusedAndChangeNothing) {
  const std::filesystem::path fifo = dir_ / "pipe.pkc";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::filesystem::path huge = dir_ / "huge.pkc";
  Put("huge.pkc", "[Size]\r\nindex=1\r\n");
  std::filesystem::resize_file(huge, kMaxSettingsFileBytes + 1);
  for (const std::filesystem::path& path : {fifo, std::filesystem::path("/dev/zero"), huge, dir_.path()}) {
    auto editor = Fresh();
    editor->SelectSize(3);
    const auto report = LoadSettings(*editor, path);  // a pipe would block here
    EXPECT_NE(report.status().message().find(path.string()), std::string::npos) << report.status().message();
    EXPECT_EQ(editor->settings().Size.index, 3) << path;
  }
  EXPECT_TRUE(CheckSettingsFile(dir_ / "missing.pkc").ok());
  Put("ok.pkc", "[Size]\r\nindex=1\r\n");
  EXPECT_TRUE(CheckSettingsFile(dir_ / "ok.pkc").ok());
}

TEST_F(SettingsFileTest, TextCodePage932LacksIsSavedAsUtf8AndComesBack) {
  Bitmap image(120, 60, 0x00FF00);
  ASSERT_TRUE(SavePicture(image, dir_ / "café.png").ok());
  auto editor = Fresh();
  editor->SelectSize(0);
  editor->SelectBackgroundPattern(kPicture);
  editor->SetBackgroundPicture((dir_ / "café.png").string(), 0, 0, std::nullopt);
  editor->SetTitleText("Café ü 見出し");
  EXPECT_EQ(CharactersCp932Lacks(*editor), "éü");
  ASSERT_TRUE(SaveSettings(*editor, dir_ / "u.pkc").ok());
  std::string saved;
  ASSERT_TRUE(platform::ReadWholeFile(dir_ / "u.pkc", saved).ok());
  EXPECT_TRUE(saved.starts_with("\xEF\xBB\xBF"));
  EXPECT_EQ(saved.find('?'), std::string::npos);

  auto again = Fresh();
  const auto report = LoadSettings(*again, dir_ / "u.pkc");
  EXPECT_TRUE((*report).empty()) << (*report).front();
  EXPECT_EQ(again->settings().Title.String, "Café ü 見出し");
  EXPECT_EQ(again->settings().BackGround.ImageFile, (dir_ / "café.png").string());
  ASSERT_TRUE(again->background_picture().has_value()) << "the background is found again";
  EXPECT_EQ(again->renderer().preview().pixel(0, 0), 0x00FF00u);

  // A design that fits code page 932 again turns the file back into it,
  // and the file's other lines come along.
  ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "u.pkc", saved + "[Memo]\r\nNote=メモ\r\n").ok());
  again->SetTitleText("見出し");
  again->SetBackgroundPicture("", 0, 0, std::nullopt);
  EXPECT_EQ(CharactersCp932Lacks(*again), "");
  ASSERT_TRUE(SaveSettings(*again, dir_ / "u.pkc").ok());
  EXPECT_EQ(Get("u.pkc").find("\xEF\xBB\xBF"), std::string::npos);
  EXPECT_NE(Get("u.pkc").find("Note=メモ"), std::string::npos) << Get("u.pkc");
  EXPECT_EQ(ReadSettingValue("Title", "String", "", dir_ / "u.pkc"), "見出し");
}

TEST_F(SettingsFileTest, ForeignLinesCodePage932LacksKeepTheFileUtf8) {
  ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "f.pkc",
                                            "\xEF\xBB\xBF[Size]\r\nindex=1\r\n[Memo]\r\nNote=Ünïcödé\r\n")
                  .ok());
  auto editor = Fresh();
  EXPECT_TRUE(LoadSettings(*editor, dir_ / "f.pkc").ok());
  ASSERT_TRUE(SaveSettings(*editor, dir_ / "f.pkc").ok());
  EXPECT_EQ(ReadSettingValue("Memo", "Note", "", dir_ / "f.pkc"), "Ünïcödé");
}

TEST_F(SettingsFileTest, ShadowDirectionIsStoredAndAFileWithoutItKeepsIt) {
  auto editor = Fresh();
  editor->SelectSize(3);
  editor->SetTitleText("影");
  editor->SetShadow(true);
  editor->SetOffset(3);
  editor->SelectShadowDirection(6);
  ASSERT_TRUE(SaveSettings(*editor, dir_ / "s.pkc").ok());
  EXPECT_NE(Get("s.pkc").find("ShadowColor=FFFFFF\r\nShadowDirection=6\r\n"), std::string::npos);
  auto again = Fresh();
  EXPECT_TRUE(LoadSettings(*again, dir_ / "s.pkc").ok());
  EXPECT_EQ(again->settings().Title.ShadowDirection, 6);
  EXPECT_EQ(again->renderer().preview(), editor->renderer().preview())
      << "the reloaded design looks the same";

  Put("old.pkc", "[Size]\r\nindex=1\r\n[Title]\r\nString=x\r\nShadow=True\r\n");
  again->SelectShadowDirection(2);
  EXPECT_TRUE(LoadSettings(*again, dir_ / "old.pkc").ok());
  EXPECT_EQ(again->settings().Title.ShadowDirection, 2);
  Put("bad.pkc", "[Title]\r\nShadowDirection=9\r\n");
  EXPECT_TRUE(LoadSettings(*again, dir_ / "bad.pkc").ok());
  EXPECT_EQ(again->settings().Title.ShadowDirection, 2);
}

TEST_F(SettingsFileTest, FilesWithoutSettingsSectionsAreRefusedAndChangeNothing) {
  std::string garbage;
  for (int i = 0; i < 600; ++i) garbage += static_cast<char>((i * 73 + 11) % 256);
  ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "garbage.pkc", garbage).ok());
  Put("other.ini", "[Setup]\r\nName=x\r\n");
  Put("empty.pkc", "");
  for (const char* name : {"garbage.pkc", "other.ini", "empty.pkc"}) {
    auto editor = Fresh();
    editor->SelectSize(3);
    editor->SetTitleText("keep");
    const auto report = LoadSettings(*editor, dir_ / name);
    EXPECT_NE(report.status().message().find(name), std::string::npos) << report.status().message();
    EXPECT_EQ(editor->settings().Size.index, 3) << name;
    EXPECT_EQ(editor->settings().Title.String, "keep") << name;
  }
  Put("lower.pkc", "[title]\r\nString=ok\r\n");
  auto editor = Fresh();
  EXPECT_TRUE(LoadSettings(*editor, dir_ / "lower.pkc").ok());
  EXPECT_EQ(editor->settings().Title.String, "ok");
}

TEST_F(SettingsFileTest, Utf8WithoutByteOrderMarkIsReadAsUtf8) {
  EXPECT_EQ(DetectSettingsEncoding("[Title]\r\nString=abc\r\n"), SettingsEncoding::kCp932);
  EXPECT_EQ(DetectSettingsEncoding(platform::Utf8ToCp932("String=見出し")), SettingsEncoding::kCp932);
  EXPECT_EQ(DetectSettingsEncoding("String=見出し\r\n"), SettingsEncoding::kUtf8);
  EXPECT_EQ(DetectSettingsEncoding("\xEF\xBB\xBFx"), SettingsEncoding::kUtf8WithMark);
  EXPECT_EQ(DetectSettingsEncoding("\xFF\xFE"), SettingsEncoding::kCp932) << "neither: read as before";

  ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "p.pkc",
                                            "[Size]\r\nindex=1\r\n[Title]\r\nString=ようこそ Café\r\n")
                  .ok());
  auto editor = Fresh();
  EXPECT_TRUE(LoadSettings(*editor, dir_ / "p.pkc").ok());
  EXPECT_EQ(editor->settings().Title.String, "ようこそ Café");
}

}  // namespace
}  // namespace plakato
