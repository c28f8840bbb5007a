#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "banner/render/color.h"

namespace plakato {

// Texts are UTF-8 inside the program; settings files hold code page 932.

// Items of the size list; item 4 is the user size.
inline constexpr std::array<std::string_view, 5> kSizePresetTexts = {"88×31", "200×40", "100×60", "234×60",
                                                                     "ユーザ指定"};
inline constexpr int kUserSizeItem = 4;

inline constexpr std::array<std::string_view, 4> kBackgroundPatternTexts = {"単色", "グラデーション（2色）",
                                                                            "グラデーション（3色）", "画像"};
inline constexpr std::array<std::string_view, 3> kTitlePatternTexts = {"単色", "グラデーション（2色）",
                                                                       "グラデーション（3色）"};
inline constexpr std::array<std::string_view, 5> kGradientDirectionTexts = {"上→下", "左→右", "左上→右下",
                                                                            "右上→左下", "中央→外（円形）"};
inline constexpr std::array<std::string_view, 9> kTitleLocationTexts = {
    "中央", "中上", "中下", "左上", "左中", "左下", "右上", "右中", "右下"};
inline constexpr std::array<std::string_view, 8> kShadowDirectionTexts = {"右下", "左下", "右上", "左上",
                                                                          "上",   "下",   "左",   "右"};

enum BackgroundPattern : std::int16_t { kPlain = 0, kGradient2 = 1, kGradient3 = 2, kPicture = 3 };

// Everything that decides how a banner looks. Field names are the settings
// file's key names; the renderer reads it and repairs only Title.Location and
// Title.ShadowDirection (an unset list becomes its first item).
struct BannerSettings {
  struct SizeGroup {
    std::int16_t index = -1;  // item of kSizePresetTexts, -1 none
    std::string Width;        // user width as typed
    std::string Height;       // user height as typed

    bool operator==(const SizeGroup&) const = default;
  } Size;

  struct BackGroundGroup {
    std::int16_t Pattern = 0;
    Color Color1 = kWhite;
    Color Color2 = kWhite;
    Color Color3 = kWhite;
    std::int16_t Direction = -1;
    std::string ImageFile;
    std::int32_t ClipX = 0;
    std::int32_t Clipy = 0;
    bool Buttonize = false;

    bool operator==(const BackGroundGroup&) const = default;
  } BackGround;

  struct TitleGroup {
    std::string String;
    std::string FontName;
    bool FontBold = false;
    bool FontItalic = false;
    std::int16_t Location = -1;
    std::int16_t Pattern = -1;
    Color Color1 = kBlack;
    Color Color2 = kWhite;
    Color Color3 = kWhite;
    std::int16_t Direction = -1;
    bool Shadow = false;
    std::int32_t Offset = 1;
    Color ShadowColor = kWhite;
    std::int16_t ShadowDirection = 0;  // not stored in settings files

    bool operator==(const TitleGroup&) const = default;
  } Title;

  bool operator==(const BannerSettings&) const = default;
};

}  // namespace plakato
