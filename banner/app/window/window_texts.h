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
inline constexpr const char* kSaveBeforeCloseQuestion = "現在編集中の設定情報を保存しますか？";
// Followed by the characters, then kUtf8SaveQuestion.
inline constexpr const char* kCharactersCp932Lacks =
    "次の文字はシフトJIS（コードページ932）では保存できません：";
inline constexpr const char* kUtf8SaveQuestion =
    "文字を失わないよう、UTF-8形式で保存します。古いプログラムでは正しく読めないことがあります。\n"
    "UTF-8形式で保存しますか？（「いいえ」を選ぶと保存しません）";

inline constexpr const char* kUserSizeBlocksShortcut =
    "ユーザ指定のサイズが正しくありません。幅と高さには1以上の数を入力してください。\n"
    "サイズを直すまで、ほかの操作（設定情報の保存・読込、イメージ保存など）はできません。";

inline constexpr const char* kTitleFontMissing =
    "タイトルのフォントが見つからないため、タイトルを描けません。";

// Export.
inline constexpr const char* kExportFilter = "ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|PNGﾌｧｲﾙ(*.png)|*.png";
inline constexpr const char* kExportFailed = "イメージを保存できませんでした。";
inline constexpr const char* kExportExtension = "bmp";
inline constexpr const char* kDefaultBannerName = "banner";
// Between the name as chosen and the name with the bitmap extension.
inline constexpr const char* kForeignExtensionQuestion =
    "\nはビットマップ(.bmp)でもPNG(.png)でもない名前です。ビットマップ形式で次の名前で保存しますか？\n";
inline constexpr const char* kOverwriteQuestion = "\nは既に存在します。上書きしますか？";
inline constexpr const char* kOverwriteDesignQuestion =
    "\nは編集中の設定ファイルです。イメージで上書きすると設定情報は失われます。上書きしますか？";

// The background image chooser.
inline constexpr const char* kImageFilter =
    "画像ﾌｧｲﾙ(*.bmp, *.jpg, *.jpeg, *.gif, *.png)|*.bmp;*.jpg;*.jpeg;*.gif;*.png|"
    "ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|JPEGﾌｧｲﾙ(*.jpg, *.jpeg)|*.jpg;*.jpeg|GIFﾌｧｲﾙ(*.gif)|*.gif|"
    "PNGﾌｧｲﾙ(*.png)|*.png";
inline constexpr const char* kPictureLoadFailed = "画像ファイルを読み込めませんでした。";

}  // namespace plakato
