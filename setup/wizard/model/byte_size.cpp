#include "setup/wizard/model/byte_size.h"

#include <cmath>
#include <string_view>

namespace setup::wizard {
namespace {

// Groups the digits of a whole number by three with commas.
std::string GroupDigits(std::string_view digits) {
  std::string out;
  const std::size_t lead = digits.size() % 3;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && i >= lead && (i - lead) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

}  // namespace

std::string FormatNumber(std::uint64_t value) { return GroupDigits(std::to_string(value)); }

std::string FormatNumber(double value, int decimals) {
  const bool negative = value < 0;
  double scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  // Halves round away from zero, as the run-time library's formatting does.
  const double scaled = std::floor(std::fabs(value) * scale + 0.5);
  const auto units = static_cast<std::uint64_t>(scaled);
  const auto factor = static_cast<std::uint64_t>(scale);
  std::string out = negative && units != 0 ? "-" : "";
  out += GroupDigits(std::to_string(units / factor));
  if (decimals > 0) {
    std::string fraction = std::to_string(units % factor);
    out += '.';
    out += std::string(static_cast<std::size_t>(decimals) - fraction.size(), '0') + fraction;
  }
  return out;
}

std::string FormatByteSize(std::int64_t bytes) {
  if (bytes < 0) return {};
  static constexpr const char* kUnits[] = {"B", "KB", "MB", "GB", "TB"};
  const std::size_t digits = std::to_string(bytes).size();
  const std::size_t unit = (digits - 1) / 3;
  if (unit >= std::size(kUnits)) return {};
  const double value = static_cast<double>(bytes) / std::pow(1024.0, static_cast<double>(unit));
  return FormatNumber(value, 2) + kUnits[unit];
}

}  // namespace setup::wizard
