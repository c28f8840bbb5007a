#include "banner/app/error_texts.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace plakato {
namespace {

struct Translation {
  const char* english;
  const char* japanese;
};

// The picture readers' and the file writer's own reasons.
constexpr Translation kReasons[] = {
    {"not a bitmap file", "ビットマップファイルではありません"},
    {"truncated bitmap header", "ビットマップのヘッダーが途中で切れています"},
    {"truncated bitmap", "ビットマップが途中で切れています"},
    {"unsupported bitmap header", "対応していない形式のビットマップです"},
    {"unsupported bitmap compression", "対応していない圧縮形式のビットマップです"},
    {"unsupported bitmap depth", "対応していない色数のビットマップです"},
    {"bitmap without pixels", "画素のないビットマップです"},
    {"picture too large", "画像が大きすぎます"},
    {"unsupported picture format", "対応していない形式の画像です"},
    {"empty picture", "空の画像です"},
    {"GIF: no picture in the file", "GIFファイルに画像がありません"},
    {"GIF: no colour map", "GIFファイルに色の表がありません"},
    {"PNG: out of memory", "メモリが足りません"},
    {"not a regular file", "通常のファイルではありません"},
    {"read-only file", "読み取り専用のファイルです"},
};

// System errors a file operation of the program can meet.
constexpr std::pair<int, const char*> kSystemErrors[] = {
    {ENOENT, "ファイルまたはフォルダーが見つかりません"},
    {EACCES, "アクセスが拒否されました"},
    {EPERM, "この操作は許可されていません"},
    {ENOSPC, "ディスクの空き容量が足りません"},
    {EROFS, "読み取り専用のドライブです"},
    {EISDIR, "フォルダーです"},
    {ENOTDIR, "パスの途中にフォルダーでないものがあります"},
    {ENAMETOOLONG, "ファイル名が長すぎます"},
    {EIO, "入出力エラーが発生しました"},
    {EDQUOT, "ディスクの使用量の上限に達しました"},
};

}  // namespace

std::string JapaneseErrorText(const std::string& detail) {
  for (const Translation& t : kReasons) {
    if (detail == t.english) return t.japanese;
  }
  for (const auto& [code, japanese] : kSystemErrors) {
    if (detail == std::strerror(code)) return japanese;
  }
  if (detail.empty()) return {};
  return "ファイルが壊れているか、対応していない形式です（" + detail + "）";
}

}  // namespace plakato
