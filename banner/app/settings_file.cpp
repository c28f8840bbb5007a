#include "banner/app/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "banner/app/error_texts.h"
#include "banner/app/picture_codecs.h"
#include "banner/app/setting_values.h"
#include "banner/render/title_painter.h"
#include "platform/atomic_file.h"
#include "platform/cp932.h"
#include "platform/private_profile.h"
#include "platform/utf8.h"

namespace plakato {
namespace {

constexpr std::size_t kValueBuffer = 4096;  // 4095 bytes of value and the zero

// Writes one key after the other; the first failure is kept.
class Writer {
 public:
  Writer(const std::filesystem::path& path, bool utf8) : path_(path), utf8_(utf8) {}
  void operator()(std::string_view section, std::string_view key, const std::string& utf8) {
    const std::string value = utf8_ ? utf8 : platform::Utf8ToCp932(utf8);
    const platform::Status written = platform::WritePrivateProfileString(section, key, value, path_);
    if (status_.ok()) status_ = written;
  }
  const platform::Status& status() const { return status_; }

 private:
  const std::filesystem::path& path_;
  bool utf8_;
  platform::Status status_;
};

platform::Status Unreadable(const std::filesystem::path& path) {
  return platform::Status::IoError("cannot read " + path.string());
}

std::string Bool(bool b) { return b ? "True" : "False"; }

// The bytes of a regular file of settings size; a pipe is never waited on.
std::optional<std::string> ReadSettingsBytes(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st;
  std::optional<std::string> bytes;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
      static_cast<std::uintmax_t>(st.st_size) <= kMaxSettingsFileBytes) {
    bytes.emplace();
    char buffer[8192];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) bytes->append(buffer, static_cast<std::size_t>(n));
    if (n < 0) bytes.reset();
  }
  ::close(fd);
  return bytes;
}

SettingsEncoding EncodingOf(const std::filesystem::path& path) {
  const std::optional<std::string> bytes = ReadSettingsBytes(path);
  return bytes ? DetectSettingsEncoding(*bytes) : SettingsEncoding::kCp932;
}

std::string ReadValue(std::string_view section, std::string_view key, std::string_view def,
                      const std::filesystem::path& path, SettingsEncoding encoding) {
  const bool utf8 = encoding != SettingsEncoding::kCp932;
  std::string raw = platform::GetPrivateProfileString(
      section, key, utf8 ? std::string(def) : platform::Utf8ToCp932(def), path, kValueBuffer);
  // The caller's buffer ends at the first zero byte.
  if (auto nul = raw.find('\0'); nul != std::string::npos) raw.resize(nul);
  return utf8 ? raw : platform::Cp932ToUtf8(raw);
}

bool HasSettingsSection(const std::filesystem::path& path) {
  for (const std::string& section : platform::GetPrivateProfileSections(path)) {
    for (std::string_view known : {"Size", "BackGround", "Title"}) {
      if (section.size() == known.size() &&
          std::equal(section.begin(), section.end(), known.begin(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
          }))
        return true;
    }
  }
  return false;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (!platform::NextUtf8Char(text, i)) return false;
  }
  return true;
}

// Converts what the file already holds into the encoding the save writes,
// so that lines the program does not know keep their characters.
platform::Status PrepareFileEncoding(const std::filesystem::path& path,
                                     const std::optional<std::string>& bytes, SettingsEncoding from,
                                     bool to_utf8) {
  if (!bytes) {
    // A new file: the mark goes first, the keys follow it.
    return to_utf8 ? platform::WriteFileAtomically(path, platform::kUtf8ByteOrderMark)
                   : platform::Status::Ok();
  }
  std::string_view text = *bytes;
  if (from == SettingsEncoding::kUtf8WithMark) text.remove_prefix(platform::kUtf8ByteOrderMark.size());
  if (to_utf8) {
    if (from == SettingsEncoding::kUtf8WithMark) return platform::Status::Ok();
    const std::string utf8 =
        from == SettingsEncoding::kCp932 ? platform::Cp932ToUtf8(text) : std::string(text);
    return platform::WriteFileAtomically(path, std::string(platform::kUtf8ByteOrderMark) + utf8);
  }
  if (from == SettingsEncoding::kCp932) return platform::Status::Ok();
  return platform::WriteFileAtomically(path, platform::Utf8ToCp932(text));
}

}  // namespace

SettingsEncoding DetectSettingsEncoding(std::string_view bytes) {
  if (bytes.starts_with(platform::kUtf8ByteOrderMark)) return SettingsEncoding::kUtf8WithMark;
  // Much UTF-8 Japanese is also well-formed code page 932 (whose kana lead
  // bytes are never valid UTF-8 starts), so text that is valid UTF-8 and
  // holds any character beyond ASCII is taken as UTF-8.
  const bool ascii =
      std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return !ascii && IsValidUtf8(bytes) ? SettingsEncoding::kUtf8 : SettingsEncoding::kCp932;
}

std::string ReadSettingValue(std::string_view section, std::string_view key, std::string_view def,
                             const std::filesystem::path& path) {
  return ReadValue(section, key, def, path, EncodingOf(path));
}

platform::Status CheckSettingsFile(const std::filesystem::path& path) {
  using platform::Status;
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return Status::Ok();
    return Status::IoError("設定ファイルを読み込めません: " + path.string() + "（" +
                           JapaneseErrorText(std::strerror(errno)) + "）");
  }
  if (!S_ISREG(st.st_mode)) return Status::InvalidArgument("設定ファイルではありません: " + path.string());
  if (static_cast<std::uintmax_t>(st.st_size) > kMaxSettingsFileBytes)
    return Status::InvalidArgument("設定ファイルが大きすぎます: " + path.string());
  if (::access(path.c_str(), R_OK) != 0)
    return Status::AccessDenied("設定ファイルを読み込めません: " + path.string() + "（" +
                                JapaneseErrorText(std::strerror(errno)) + "）");
  return Status::Ok();
}

std::string ColorToHex6(Color color) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
  std::string s = text;
  return s.substr(s.size() - 6);
}

namespace {

// The texts the file stores as the user gave them.
std::vector<std::string> DesignTexts(const BannerEditor& editor) {
  const BannerSettings& s = editor.settings();
  const bool user = s.Size.index == kUserSizeItem;
  const std::string& shown = editor.controls().font_label;
  return {user ? s.Size.Width : "", user ? s.Size.Height : "", s.BackGround.ImageFile,
          std::string(TrimSpaces(s.Title.String)), shown.empty() ? editor.title_font_face() : shown};
}

}  // namespace

std::string CharactersCp932Lacks(const BannerEditor& editor) {
  std::string lacking;
  for (const std::string& text : DesignTexts(editor)) {
    for (std::size_t i = 0; i < text.size();) {
      const std::size_t start = i;
      platform::NextUtf8Char(text, i);
      const std::string_view character(text.data() + start, i - start);
      if (!platform::IsCp932Representable(character) && lacking.find(character) == std::string::npos) {
        lacking += character;
      }
    }
  }
  return lacking;
}

platform::Status SaveSettings(const BannerEditor& editor, const std::filesystem::path& path) {
  std::optional<std::string> bytes;
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) {
    bytes = ReadSettingsBytes(path);
    if (!bytes) return Unreadable(path);
  }
  const SettingsEncoding from = bytes ? DetectSettingsEncoding(*bytes) : SettingsEncoding::kCp932;
  const bool design_fits = CharactersCp932Lacks(editor).empty();
  // A UTF-8 file is written as UTF-8 and turned into code page 932 only
  // afterwards, when all it then holds fits.
  const bool utf8 = !design_fits || from != SettingsEncoding::kCp932;
  if (platform::Status prepared = PrepareFileEncoding(path, bytes, from, utf8); !prepared.ok())
    return prepared;

  const BannerSettings& s = editor.settings();
  const std::vector<std::string> texts = DesignTexts(editor);
  Writer write(path, utf8);
  write("Size", "index", std::to_string(s.Size.index));
  write("Size", "Width", texts[0]);
  write("Size", "Height", texts[1]);
  write("BackGround", "Pattern", std::to_string(s.BackGround.Pattern));
  write("BackGround", "Color1", ColorToHex6(s.BackGround.Color1));
  write("BackGround", "Color2", ColorToHex6(s.BackGround.Color2));
  write("BackGround", "Color3", ColorToHex6(s.BackGround.Color3));
  write("BackGround", "Direction", std::to_string(s.BackGround.Direction));
  write("BackGround", "ImageFile", texts[2]);
  write("BackGround", "ClipX", std::to_string(s.BackGround.ClipX));
  write("BackGround", "Clipy", std::to_string(s.BackGround.Clipy));
  write("BackGround", "Buttonize", Bool(s.BackGround.Buttonize));
  write("Title", "String", texts[3]);
  write("Title", "FontName", texts[4]);
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
  // Older readers ignore this key; without it a load keeps the direction.
  write("Title", "ShadowDirection", std::to_string(s.Title.ShadowDirection));
  if (!write.status().ok()) return write.status();
  if (utf8 && design_fits) {
    const std::optional<std::string> written = ReadSettingsBytes(path);
    if (!written) return Unreadable(path);
    const std::string_view text = std::string_view(*written).substr(platform::kUtf8ByteOrderMark.size());
    if (platform::IsCp932Representable(text)) {
      return PrepareFileEncoding(path, written, SettingsEncoding::kUtf8WithMark, false);
    }
  }
  return platform::Status::Ok();
}

platform::StatusOr<LoadWarnings> LoadSettings(BannerEditor& editor, const std::filesystem::path& path) {
  if (platform::Status usable = CheckSettingsFile(path); !usable.ok()) return usable;
  LoadWarnings warnings;
  std::error_code ec;
  const std::optional<std::string> bytes = ReadSettingsBytes(path);
  if (std::filesystem::exists(path, ec) && !HasSettingsSection(path)) {
    return platform::Status::InvalidArgument(
        "設定ファイルではありません（[Size]、[BackGround]、[Title] のいずれもありません）: " + path.string());
  }
  const SettingsEncoding encoding = bytes ? DetectSettingsEncoding(*bytes) : SettingsEncoding::kCp932;
  auto read = [&path, encoding](std::string_view section, std::string_view key, std::string_view def) {
    return ReadValue(section, key, def, path, encoding);
  };
  auto in_range = [](std::optional<std::int16_t> v, int lo, int hi) -> std::optional<int> {
    if (v && *v >= lo && *v <= hi) return *v;
    return std::nullopt;
  };

  // 1. Size.
  if (auto index = in_range(StrictInt16(read("Size", "index", "-1")), -1, kUserSizeItem))
    editor.SelectSize(*index);
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
  const int clip_x =
      LenientInt32(read("BackGround", "ClipX", "0")).value_or(editor.settings().BackGround.ClipX);
  const int clip_y =
      LenientInt32(read("BackGround", "Clipy", "0")).value_or(editor.settings().BackGround.Clipy);
  std::optional<Bitmap> picture;
  bool keep_previous = false;
  if (!image_file.empty() && std::filesystem::is_regular_file(image_file, ec)) {
    platform::StatusOr<Bitmap> loaded = LoadPicture(image_file);
    if (loaded.ok()) {
      auto [w, h] = editor.BannerSizeFromControls();
      // Where the rectangle reaches beyond the image, the work picture's
      // white background shows.
      picture = CropBitmap(*loaded, clip_x, clip_y, w, h, kWhite);
    } else {
      // An unreadable picture loses nothing: the background picture and
      // where it came from stay as they were.
      keep_previous = true;
      warnings.push_back("背景画像を読み込めません: " + image_file + "（" +
                         JapaneseErrorText(loaded.status().message()) + "）");
    }
  }
  if (!image_file.empty() && !std::filesystem::exists(image_file, ec)) {
    warnings.push_back("背景画像が見つかりません: " + image_file);
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
  if (auto location = in_range(LenientInt16(read("Title", "Location", "-1")), -1, 8))
    editor.SelectLocation(*location);
  if (auto pattern = in_range(LenientInt16(read("Title", "Pattern", "-1")), 0, 2))
    editor.SelectTitlePattern(*pattern);
  static constexpr const char* kTitleColorDefaults[] = {"000000", "FFFFFF", "FFFFFF"};
  for (int i = 0; i < 3; ++i) {
    const std::string key = "Color" + std::to_string(i + 1);
    if (auto color = ParseHexColor(read("Title", key, kTitleColorDefaults[i])))
      editor.SetTitleColor(i, *color);
  }
  if (auto direction = in_range(LenientInt16(read("Title", "Direction", "-1")), -1, 4))
    editor.SelectTitleDirection(*direction);

  // 8. Shadow.
  if (auto on = ParseBoolean(read("Title", "Shadow", "0"))) editor.SetShadow(*on);
  if (auto offset = in_range(LenientInt16(read("Title", "Offset", "1")), BannerEditor::kMinOffset,
                             BannerEditor::kMaxOffset))
    editor.SetOffset(*offset);
  if (auto color = ParseHexColor(read("Title", "ShadowColor", "FFFFFF"))) editor.SetTitleColor(3, *color);
  // Files of older versions have no direction: it stays as it was.
  if (auto direction = in_range(StrictInt16(read("Title", "ShadowDirection", "")), -1, 7))
    editor.SelectShadowDirection(*direction);

  // 9. One full render ends the load.
  editor.Render();
  return warnings;
}

}  // namespace plakato
