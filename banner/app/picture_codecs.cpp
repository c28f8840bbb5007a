#include "banner/app/picture_codecs.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/ascii_text.h"
#include "platform/atomic_file.h"

namespace plakato {
namespace {

bool StartsWith(const std::string& data, std::string_view magic) {
  return data.size() >= magic.size() && std::memcmp(data.data(), magic.data(), magic.size()) == 0;
}

}  // namespace

bool IsPngPath(const std::filesystem::path& path) {
  const std::string s = path.string();
  if (s.size() < 4) return false;
  return platform::AsciiLower(s.substr(s.size() - 4)) == ".png";
}

platform::StatusOr<Bitmap> LoadPicture(const std::filesystem::path& path) {
  if (IsPngPath(path)) return LoadPng(path);
  // The platform loader recognises its formats by their first bytes.
  std::string head;
  if (platform::Status read = platform::ReadWholeFile(path, head); !read.ok()) return read;
  if (StartsWith(head, "BM")) return LoadBmp(path);
  if (StartsWith(head, "\xFF\xD8\xFF")) return LoadJpeg(path);
  if (StartsWith(head, "GIF87a") || StartsWith(head, "GIF89a")) return LoadGif(path);
  return platform::Status::InvalidArgument("unsupported picture format");
}

platform::Status SavePicture(const Bitmap& picture, const std::filesystem::path& path) {
  if (!IsPngPath(path)) return platform::WriteFileAtomically(path, EncodeBmp(picture));
  const platform::StatusOr<std::string> png = EncodePng(picture);
  return png.ok() ? platform::WriteFileAtomically(path, *png) : png.status();
}

}  // namespace plakato
