#pragma once

#include <string>
#include <string_view>

#include "setup/wizard/model/control_id.h"

namespace setup::wizard {

// Tells whether a text fits the width of a label in that label's
// font. The window answers with its font metrics; tests with a fake.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual bool Fits(Control label, std::string_view text) const = 0;
};

struct FittedText {
  std::string text;  // what the label shows
  std::string hint;  // text + "|" when shortened (hints on), else empty
};

// A text that fits is shown whole without a hint. Otherwise the longest
// prefix of n characters (n from length - 1 down to 2) for which prefix +
// "..." fits is shown, or the first character + "..." when none fits; the
// hint is then the whole text followed by "|". Without a measure every text
// fits.
FittedText FitLabelText(const TextMeasure* measure, Control label, std::string_view text);

}  // namespace setup::wizard
