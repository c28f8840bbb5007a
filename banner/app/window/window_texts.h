#pragma once

namespace plakato {

// The window's own texts (UTF-8).
inline constexpr const char* kApplicationTitle = "Plakato";

// Settings files.
inline constexpr const char* kSettingsFilter = "Plakato設定ﾌｧｲﾙ(*.pkc)|*.pkc";
inline constexpr const char* kSettingsExtension = "pkc";
inline constexpr const char* kSaveSettingsTitle = "設定情報の保存";
inline constexpr const char* kLoadSettingsTitle = "設定情報の読込";
inline constexpr const char* kSaveBeforeLoadQuestion = "現在編集中の設定情報を保存しますか？";
inline constexpr const char* kSaveSettingsFailed = "設定情報を保存できませんでした。";

// Export.
inline constexpr const char* kExportFilter = "ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|PNGﾌｧｲﾙ(*.png)|*.png";
inline constexpr const char* kExportFailed = "イメージを保存できませんでした。";

// The background image chooser.
inline constexpr const char* kImageFilter =
    "画像ﾌｧｲﾙ(*.bmp, *.jpg, *.jpeg, *.gif, *.png)|*.bmp;*.jpg;*.jpeg;*.gif;*.png|"
    "ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|JPEGﾌｧｲﾙ(*.jpg, *.jpeg)|*.jpg;*.jpeg|GIFﾌｧｲﾙ(*.gif)|*.gif|"
    "PNGﾌｧｲﾙ(*.png)|*.png";
inline constexpr const char* kPictureLoadFailed = "画像ファイルを読み込めませんでした。";

}  // namespace plakato
