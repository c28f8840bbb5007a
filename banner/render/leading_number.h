#pragma once

#include <string_view>

namespace plakato {

// The decimal number at the start of text: leading blanks and tabs are
// skipped, then an optional sign, digits with an optional fraction and an
// optional exponent are read; reading stops at the first character that
// cannot continue the number. Text without a number gives 0.
double LeadingNumber(std::string_view text);

}  // namespace plakato
