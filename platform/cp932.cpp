#include "platform/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace platform {
namespace {

// One converter per direction, opened once; iconv descriptors are not
// thread-safe, so calls are serialised.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts input; for every sequence the converter refuses, appends
  // replacement and skips skip_bytes (1 for a bad byte, one UTF-8 character
  // for an unmappable one). Returns false when anything was replaced.
  bool Convert(std::string_view input, std::string& out, std::string_view replacement, bool input_is_utf8) {
    std::lock_guard lock(mutex_);
    out.clear();
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      out.assign(input);
      return false;
    }
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    bool lossless = true;
    char* in = const_cast<char*>(input.data());
    size_t in_left = input.size();
    char buffer[4096];
    while (in_left > 0) {
      char* dst = buffer;
      size_t dst_left = sizeof buffer;
      size_t r = iconv(cd_, &in, &in_left, &dst, &dst_left);
      out.append(buffer, static_cast<size_t>(dst - buffer));
      if (r != static_cast<size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (truncated sequence): replace and skip.
      lossless = false;
      out.append(replacement);
      size_t skip = 1;
      if (input_is_utf8) {
        const auto lead = static_cast<unsigned char>(*in);
        skip = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (skip > in_left) skip = in_left;
      }
      in += skip;
      in_left -= skip;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    char* dst = buffer;
    size_t dst_left = sizeof buffer;
    iconv(cd_, nullptr, nullptr, &dst, &dst_left);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    return lossless;
  }

 private:
  iconv_t cd_;
  std::mutex mutex_;
};

Converter& ToUtf8() {
  static Converter c("UTF-8", "CP932");
  return c;
}
Converter& ToCp932() {
  static Converter c("CP932", "UTF-8");
  return c;
}

bool IsAscii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  std::string out;
  ToUtf8().Convert(cp932, out, "\xEF\xBF\xBD", false);
  return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  std::string out;
  ToCp932().Convert(utf8, out, "?", true);
  return out;
}

bool IsCp932Representable(std::string_view utf8) {
  if (IsAscii(utf8)) return true;
  std::string cp932;
  if (!ToCp932().Convert(utf8, cp932, "?", true)) return false;
  // Some characters convert one way only (¢ becomes the full-width ￠), so
  // the text must also come back as it went.
  std::string back;
  return ToUtf8().Convert(cp932, back, "\xEF\xBF\xBD", false) && back == utf8;
}

}  // namespace platform
