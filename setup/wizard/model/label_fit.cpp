#include "setup/wizard/model/label_fit.h"

#include "setup/core/path_text.h"

namespace setup::wizard {

FittedText FitLabelText(const TextMeasure* measure, Control label, std::string_view text) {
  if (measure == nullptr || measure->Fits(label, text)) return {std::string(text), {}};
  FittedText fitted;
  fitted.hint = std::string(text) + "|";
  const std::size_t length = CharCount(text);
  for (std::size_t n = length - 1; n >= 2 && n < length; --n) {
    std::string candidate = FirstChars(text, n) + "...";
    if (measure->Fits(label, candidate)) {
      fitted.text = std::move(candidate);
      return fitted;
    }
  }
  fitted.text = FirstChars(text, 1) + "...";
  return fitted;
}

}  // namespace setup::wizard
