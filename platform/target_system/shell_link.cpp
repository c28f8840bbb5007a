#include "platform/target_system/shell_link.h"

#include <array>
#include <vector>

#include "platform/cp932.h"
#include "platform/target_system/name_folding.h"
#include "platform/target_system/utf16.h"
#include "platform/target_system/windows_path.h"

namespace platform::target {
namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::array<unsigned char, 16> kLinkClassId = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                        0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

enum LinkFlag : std::uint32_t {
  kHasTargetIdList = 0x01,
  kHasLinkInfo = 0x02,
  kHasName = 0x04,
  kHasRelativePath = 0x08,
  kHasWorkingDir = 0x10,
  kHasArguments = 0x20,
  kHasIconLocation = 0x40,
  kIsUnicode = 0x80,
};

constexpr std::uint32_t kLinkInfoHeaderSize = 0x24;  // with the UTF-16 offsets
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x01;
constexpr std::uint32_t kDriveFixed = 3;

void Put16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::string EncodeLinkInfo(const std::string& target) {
  std::string volume;  // VolumeID: size, drive type, serial, label offset, empty label
  Put32(volume, 0x11);
  Put32(volume, kDriveFixed);
  Put32(volume, 0);
  Put32(volume, 0x10);
  volume.push_back('\0');

  const std::string ansi = Utf8ToCp932(target) + '\0';
  const std::string suffix(1, '\0');
  const std::string wide = Utf8ToUtf16Le(target) + std::string(2, '\0');
  const std::string wide_suffix(2, '\0');

  const std::uint32_t volume_offset = kLinkInfoHeaderSize;
  const std::uint32_t base_offset = volume_offset + static_cast<std::uint32_t>(volume.size());
  const std::uint32_t suffix_offset = base_offset + static_cast<std::uint32_t>(ansi.size());
  const std::uint32_t wide_offset = suffix_offset + static_cast<std::uint32_t>(suffix.size());
  const std::uint32_t wide_suffix_offset = wide_offset + static_cast<std::uint32_t>(wide.size());
  const std::uint32_t total = wide_suffix_offset + static_cast<std::uint32_t>(wide_suffix.size());

  std::string out;
  Put32(out, total);
  Put32(out, kLinkInfoHeaderSize);
  Put32(out, kVolumeIdAndLocalBasePath);
  Put32(out, volume_offset);
  Put32(out, base_offset);
  Put32(out, 0);  // no network location
  Put32(out, suffix_offset);
  Put32(out, wide_offset);
  Put32(out, wide_suffix_offset);
  out += volume + ansi + suffix + wide + wide_suffix;
  return out;
}

void PutString(std::string& out, const std::string& utf8) {
  std::string wide = Utf8ToUtf16Le(utf8);
  if (wide.size() > 0xFFFF * 2) wide.resize(0xFFFF * 2);
  Put16(out, static_cast<std::uint16_t>(wide.size() / 2));
  out += wide;
}

// Bounds-checked reading of the little-endian form.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  bool Has(std::size_t at, std::size_t n) const { return at <= bytes_.size() && n <= bytes_.size() - at; }
  std::uint16_t U16(std::size_t at) const {
    return static_cast<std::uint16_t>(Byte(at) | (Byte(at + 1) << 8));
  }
  std::uint32_t U32(std::size_t at) const {
    return Byte(at) | (Byte(at + 1) << 8) | (Byte(at + 2) << 16) |
           (static_cast<std::uint32_t>(Byte(at + 3)) << 24);
  }
  std::string_view Slice(std::size_t at, std::size_t n) const { return bytes_.substr(at, n); }

  // A NUL-terminated byte string starting at at and ending before limit.
  bool AnsiZ(std::size_t at, std::size_t limit, std::string* out) const {
    for (std::size_t i = at; i < limit && i < bytes_.size(); ++i) {
      if (bytes_[i] == '\0') {
        *out = Cp932ToUtf8(bytes_.substr(at, i - at));
        return true;
      }
    }
    return false;
  }
  // A NUL-terminated UTF-16LE string.
  bool WideZ(std::size_t at, std::size_t limit, std::string* out) const {
    for (std::size_t i = at; i + 1 < limit && i + 1 < bytes_.size(); i += 2) {
      if (bytes_[i] == '\0' && bytes_[i + 1] == '\0') {
        *out = Utf16LeToUtf8(bytes_.substr(at, i - at));
        return true;
      }
    }
    return false;
  }

 private:
  std::uint32_t Byte(std::size_t at) const { return static_cast<unsigned char>(bytes_[at]); }
  std::string_view bytes_;
};

Status DecodeLinkInfo(const Reader& r, std::size_t at, std::size_t end, std::string* target) {
  const std::uint32_t header = r.U32(at + 4);
  const std::uint32_t flags = r.U32(at + 8);
  if (header < 0x1C || at + header > end) return Status::Corruption("bad link information header");
  if ((flags & kVolumeIdAndLocalBasePath) == 0) return Status::Ok();
  std::string base, suffix;
  bool ok;
  if (header >= kLinkInfoHeaderSize && r.U32(at + 0x1C) != 0) {
    ok = r.WideZ(at + r.U32(at + 0x1C), end, &base) &&
         (r.U32(at + 0x20) == 0 || r.WideZ(at + r.U32(at + 0x20), end, &suffix));
  } else {
    ok = r.AnsiZ(at + r.U32(at + 0x10), end, &base) &&
         (r.U32(at + 0x18) == 0 || r.AnsiZ(at + r.U32(at + 0x18), end, &suffix));
  }
  if (!ok) return Status::Corruption("link target runs past its block");
  *target = base + suffix;
  return Status::Ok();
}

}  // namespace

std::string EncodeShellLink(const ShellLink& link) {
  std::uint32_t flags = kIsUnicode;
  if (!link.target_path.empty()) flags |= kHasLinkInfo;
  if (!link.description.empty()) flags |= kHasName;
  if (!link.relative_path.empty()) flags |= kHasRelativePath;
  if (!link.working_folder.empty()) flags |= kHasWorkingDir;
  if (!link.arguments.empty()) flags |= kHasArguments;
  if (!link.icon_location.empty()) flags |= kHasIconLocation;

  std::string out;
  Put32(out, kHeaderSize);
  out.append(reinterpret_cast<const char*>(kLinkClassId.data()), kLinkClassId.size());
  Put32(out, flags);
  Put32(out, link.target_attributes);
  out.append(24, '\0');  // creation, access and write times: unknown
  Put32(out, link.target_size);
  Put32(out, static_cast<std::uint32_t>(link.icon_index));
  Put32(out, link.show_command);
  Put16(out, 0);         // no hot key
  out.append(10, '\0');  // reserved

  if (flags & kHasLinkInfo) out += EncodeLinkInfo(link.target_path);
  if (flags & kHasName) PutString(out, link.description);
  if (flags & kHasRelativePath) PutString(out, link.relative_path);
  if (flags & kHasWorkingDir) PutString(out, link.working_folder);
  if (flags & kHasArguments) PutString(out, link.arguments);
  if (flags & kHasIconLocation) PutString(out, link.icon_location);
  Put32(out, 0);  // end of the extra data
  return out;
}

Status DecodeShellLink(std::string_view bytes, ShellLink* link) {
  const Reader r(bytes);
  if (!r.Has(0, kHeaderSize) || r.U32(0) != kHeaderSize ||
      r.Slice(4, 16) != std::string_view(reinterpret_cast<const char*>(kLinkClassId.data()), 16)) {
    return Status::Corruption("not a shell link");
  }
  ShellLink result;
  const std::uint32_t flags = r.U32(0x14);
  result.target_attributes = r.U32(0x18);
  result.target_size = r.U32(0x34);
  result.icon_index = static_cast<std::int32_t>(r.U32(0x38));
  const std::uint32_t show = r.U32(0x3C);
  result.show_command = (show == kShowMaximized || show == kShowMinNoActive) ? show : kShowNormal;

  std::size_t at = kHeaderSize;
  if (flags & kHasTargetIdList) {
    if (!r.Has(at, 2) || !r.Has(at + 2, r.U16(at)))
      return Status::Corruption("item-id list runs past the end");
    at += 2 + r.U16(at);
  }
  if (flags & kHasLinkInfo) {
    if (!r.Has(at, 0x1C)) return Status::Corruption("link information runs past the end");
    const std::uint32_t size = r.U32(at);
    if (size < 0x1C || !r.Has(at, size)) return Status::Corruption("link information runs past the end");
    Status s = DecodeLinkInfo(r, at, at + size, &result.target_path);
    if (!s.ok()) return s;
    at += size;
  }
  const std::pair<std::uint32_t, std::string*> strings[] = {
      {kHasName, &result.description},           {kHasRelativePath, &result.relative_path},
      {kHasWorkingDir, &result.working_folder},  {kHasArguments, &result.arguments},
      {kHasIconLocation, &result.icon_location},
  };
  const bool unicode = flags & kIsUnicode;
  for (const auto& [flag, field] : strings) {
    if ((flags & flag) == 0) continue;
    if (!r.Has(at, 2)) return Status::Corruption("string data runs past the end");
    const std::size_t length = r.U16(at) * (unicode ? 2u : 1u);
    if (!r.Has(at + 2, length)) return Status::Corruption("string data runs past the end");
    const std::string_view text = r.Slice(at + 2, length);
    *field = unicode ? Utf16LeToUtf8(text) : Cp932ToUtf8(text);
    at += 2 + length;
  }
  *link = std::move(result);
  return Status::Ok();
}

std::string RelativeLinkPath(std::string_view link_path, std::string_view target_path) {
  WindowsPath link, target;
  if (!WindowsPath::Parse(link_path, &link).ok() || !WindowsPath::Parse(target_path, &target).ok() ||
      link.drive() != target.drive() || target.IsRoot()) {
    return {};
  }
  const WindowsPath folder = link.Parent();
  const std::vector<std::string>& from = folder.components();
  const std::vector<std::string>& to = target.components();
  std::size_t common = 0;
  while (common < from.size() && common < to.size() && NamesEqual(from[common], to[common])) ++common;
  std::string relative;
  if (common == from.size()) {
    relative = ".\\";
  } else {
    for (std::size_t i = common; i < from.size(); ++i) relative += "..\\";
  }
  for (std::size_t i = common; i < to.size(); ++i) {
    relative += to[i];
    if (i + 1 < to.size()) relative += '\\';
  }
  return relative;
}

}  // namespace platform::target
