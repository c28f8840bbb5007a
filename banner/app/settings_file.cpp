#include "banner/app/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "banner/app/picture_codecs.h"
#include "banner/app/setting_values.h"
#include "banner/render/title_painter.h"
#include "platform/atomic_file.h"
#include "platform/cp932.h"
#include "platform/private_profile.h"

namespace plakato {
namespace {

constexpr std::size_t kValueBuffer = 4096;  // 4095 bytes of value and the zero

class Writer {
 public:
  explicit Writer(const std::filesystem::path& path) : path_(path) {}
  void operator()(std::string_view section, std::string_view key, const std::string& utf8) {
    ok_ = platform::WritePrivateProfileString(section, key, platform::Utf8ToCp932(utf8), path_) && ok_;
  }
  bool ok() const { return ok_; }

 private:
  const std::filesystem::path& path_;
  bool ok_ = true;
};

std::string Bool(bool b) { return b ? "True" : "False"; }

// Only a regular file is looked at; a pipe is never waited on.
bool StartsWithByteOrderMark(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  char head[3] = {};
  const bool marked = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::read(fd, head, 3) == 3 &&
                      std::string_view(head, 3) == platform::kUtf8ByteOrderMark;
  ::close(fd);
  return marked;
}

}  // namespace

std::string ReadSettingValue(std::string_view section, std::string_view key, std::string_view def,
                             const std::filesystem::path& path) {
  const bool utf8 = StartsWithByteOrderMark(path);
  std::string raw =
      platform::GetPrivateProfileString(section, key, utf8 ? std::string(def) : platform::Utf8ToCp932(def), path, kValueBuffer);
  // The caller's buffer ends at the first zero byte.
  if (auto nul = raw.find('\0'); nul != std::string::npos) raw.resize(nul);
  return utf8 ? raw : platform::Cp932ToUtf8(raw);
}

std::string SettingsFileProblem(const std::filesystem::path& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return {};
    return "設定ファイルを読み込めません: " + path.string() + " (" + std::strerror(errno) + ")";
  }
  if (!S_ISREG(st.st_mode)) return "設定ファイルではありません: " + path.string();
  if (static_cast<std::uintmax_t>(st.st_size) > kMaxSettingsFileBytes)
    return "設定ファイルが大きすぎます: " + path.string();
  if (::access(path.c_str(), R_OK) != 0)
    return "設定ファイルを読み込めません: " + path.string() + " (" + std::strerror(errno) + ")";
  return {};
}

std::string ColorToHex6(Color color) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
  std::string s = text;
  return s.substr(s.size() - 6);
}

bool SaveSettings(const BannerEditor& editor, const std::filesystem::path& path) {
  if (StartsWithByteOrderMark(path)) {
    std::string utf8;
    if (!platform::ReadWholeFile(path, utf8) ||
        !platform::WriteFileAtomically(path, platform::Utf8ToCp932(std::string_view(utf8).substr(3)))) {
      return false;
    }
  }
  const BannerSettings& s = editor.settings();
  const BannerEditor::Controls& c = editor.controls();
  const bool user = s.Size.index == kUserSizeItem;
  Writer write(path);
  write("Size", "index", std::to_string(s.Size.index));
  write("Size", "Width", user ? s.Size.Width : "");
  write("Size", "Height", user ? s.Size.Height : "");
  write("BackGround", "Pattern", std::to_string(s.BackGround.Pattern));
  write("BackGround", "Color1", ColorToHex6(s.BackGround.Color1));
  write("BackGround", "Color2", ColorToHex6(s.BackGround.Color2));
  write("BackGround", "Color3", ColorToHex6(s.BackGround.Color3));
  write("BackGround", "Direction", std::to_string(s.BackGround.Direction));
  write("BackGround", "ImageFile", s.BackGround.ImageFile);
  write("BackGround", "ClipX", std::to_string(s.BackGround.ClipX));
  write("BackGround", "Clipy", std::to_string(s.BackGround.Clipy));
  write("BackGround", "Buttonize", Bool(s.BackGround.Buttonize));
  write("Title", "String", std::string(TrimSpaces(s.Title.String)));
  write("Title", "FontName", c.font_label.empty() ? editor.title_font_face() : c.font_label);
  write("Title", "FontBold", Bool(editor.title_font_bold()));
  write("Title", "FontItalic", Bool(editor.title_font_italic()));
  write("Title", "Location", std::to_string(s.Title.Location));
  write("Title", "Pattern", std::to_string(s.Title.Pattern));
  write("Title", "Color1", ColorToHex6(s.Title.Color1));
  write("Title", "Color2", ColorToHex6(s.Title.Color2));
  write("Title", "Color3", ColorToHex6(s.Title.Color3));
  write("Title", "Direction", std::to_string(s.Title.Direction));
  write("Title", "Shadow", Bool(s.Title.Shadow));
  write("Title", "Offset", std::to_string(s.Title.Offset));
  write("Title", "ShadowColor", ColorToHex6(s.Title.ShadowColor));
  return write.ok();
}

LoadReport LoadSettings(BannerEditor& editor, const std::filesystem::path& path) {
  LoadReport report;
  report.error = SettingsFileProblem(path);
  if (!report.error.empty()) return report;
  auto read = [&path](std::string_view section, std::string_view key, std::string_view def) {
    return ReadSettingValue(section, key, def, path);
  };
  auto in_range = [](std::optional<std::int16_t> v, int lo, int hi) -> std::optional<int> {
    if (v && *v >= lo && *v <= hi) return *v;
    return std::nullopt;
  };

  // 1. Size.
  if (auto index = in_range(StrictInt16(read("Size", "index", "-1")), -1, kUserSizeItem)) editor.SelectSize(*index);
  editor.SetUserWidthText(read("Size", "Width", ""));
  editor.SetUserHeightText(read("Size", "Height", ""));

  // 2. Background option, colours and direction.
  if (auto pattern = in_range(StrictInt16(read("BackGround", "Pattern", "0")), 0, 3))
    editor.SelectBackgroundPattern(*pattern);
  for (int i = 0; i < 3; ++i) {
    const std::string key = "Color" + std::to_string(i + 1);
    if (auto color = ParseHexColor(read("BackGround", key, "FFFFFF"))) editor.SetBackgroundColor(i, *color);
  }
  if (auto direction = in_range(StrictInt16(read("BackGround", "Direction", "-1")), -1, 4))
    editor.SelectBackgroundDirection(*direction);

  // 3 and 4. The image file, the cut-out origin and the background picture.
  const std::string image_file = read("BackGround", "ImageFile", "");
  const int clip_x = LenientInt32(read("BackGround", "ClipX", "0")).value_or(editor.settings().BackGround.ClipX);
  const int clip_y = LenientInt32(read("BackGround", "Clipy", "0")).value_or(editor.settings().BackGround.Clipy);
  std::optional<Bitmap> picture;
  bool keep_previous = false;
  std::error_code ec;
  if (!image_file.empty() && std::filesystem::is_regular_file(image_file, ec)) {
    PictureResult loaded = LoadPicture(image_file);
    if (loaded.ok()) {
      auto [w, h] = editor.BannerSizeFromControls();
      // Where the rectangle reaches beyond the image, the work picture's
      // white background shows.
      picture = CropBitmap(loaded.picture, clip_x, clip_y, w, h, kWhite);
    } else {
      // An unreadable picture loses nothing: the background picture and
      // where it came from stay as they were.
      keep_previous = true;
      report.warnings.push_back("背景画像を読み込めません: " + image_file + " (" + loaded.error + ")");
    }
  }
  if (!image_file.empty() && !std::filesystem::exists(image_file, ec)) {
    report.warnings.push_back("背景画像が見つかりません: " + image_file);
  }
  if (!keep_previous) editor.SetBackgroundPicture(image_file, clip_x, clip_y, std::move(picture));

  // 5. Button look.
  if (auto on = ParseBoolean(read("BackGround", "Buttonize", "False"))) editor.SetButtonize(*on);

  // 6. Title text and font.
  editor.SetTitleText(read("Title", "String", ""));
  const std::string face = read("Title", "FontName", "");
  editor.LoadTitleFont(face.empty() ? std::nullopt : std::optional<std::string>(face),
                       ParseBoolean(read("Title", "FontBold", "False")),
                       ParseBoolean(read("Title", "FontItalic", "False")));

  // 7. Placement and colouring.
  if (auto location = in_range(LenientInt16(read("Title", "Location", "-1")), -1, 8)) editor.SelectLocation(*location);
  if (auto pattern = in_range(LenientInt16(read("Title", "Pattern", "-1")), 0, 2)) editor.SelectTitlePattern(*pattern);
  static constexpr const char* kTitleColorDefaults[] = {"000000", "FFFFFF", "FFFFFF"};
  for (int i = 0; i < 3; ++i) {
    const std::string key = "Color" + std::to_string(i + 1);
    if (auto color = ParseHexColor(read("Title", key, kTitleColorDefaults[i]))) editor.SetTitleColor(i, *color);
  }
  if (auto direction = in_range(LenientInt16(read("Title", "Direction", "-1")), -1, 4))
    editor.SelectTitleDirection(*direction);

  // 8. Shadow.
  if (auto on = ParseBoolean(read("Title", "Shadow", "0"))) editor.SetShadow(*on);
  if (auto offset = in_range(LenientInt16(read("Title", "Offset", "1")), BannerEditor::kMinOffset,
                             BannerEditor::kMaxOffset))
    editor.SetOffset(*offset);
  if (auto color = ParseHexColor(read("Title", "ShadowColor", "FFFFFF"))) editor.SetTitleColor(3, *color);

  // 9. One full render ends the load.
  editor.Render();
  return report;
}

}  // namespace plakato
