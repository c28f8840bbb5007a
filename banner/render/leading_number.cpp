#include "banner/render/leading_number.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace plakato {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;

  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') number += '-';
    ++i;
  }
  bool any_digit = false;
  while (i < text.size() && IsDigit(text[i])) number += text[i++], any_digit = true;
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    while (i < text.size() && IsDigit(text[i])) number += text[i++], any_digit = true;
  }
  if (!any_digit) return 0;
  // An exponent counts only when digits follow it ("12e" is 12).
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) exponent += text[j++];
      number += exponent;
    }
  }
  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec != std::errc()) {
    // Out of range: too large saturates to infinity, too small becomes 0.
    if (result.ec == std::errc::result_out_of_range) {
      const bool tiny = number.find("e-") != std::string::npos;
      if (tiny) return 0;
      return number[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    return 0;
  }
  return value;
}

}  // namespace plakato
