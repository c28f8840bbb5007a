#include "banner/app/banner_editor.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "banner/app/setting_values.h"
#include "platform/ascii_text.h"

namespace plakato {

BannerEditor::BannerEditor(std::unique_ptr<BannerRenderer> renderer) : renderer_(std::move(renderer)) {
  // The window's designed state: first background and title options chosen,
  // no list selected.
  settings_.BackGround.Pattern = kPlain;
  settings_.Title.Pattern = 0;
  settings_.Title.ShadowDirection = -1;
  StartHistory("");
}

void BannerEditor::SelectSize(int index) {
  if (Change(settings_.Size.index, index)) Render();
}

void BannerEditor::SetUserWidthText(std::string text) { settings_.Size.Width = std::move(text); }
void BannerEditor::SetUserHeightText(std::string text) { settings_.Size.Height = std::move(text); }

BannerEditor::Validation BannerEditor::ValidateUserWidth() {
  Validation v = ValidateUserSize(settings_.Size.Width);
  Render();
  return v;
}

BannerEditor::Validation BannerEditor::ValidateUserHeight() {
  Validation v = ValidateUserSize(settings_.Size.Height);
  Render();
  return v;
}

BannerEditor::Validation BannerEditor::ValidateUserSize(std::string& text) {
  if (platform::TrimAsciiBlanks(text).empty()) return {false, text};
  std::optional<double> value = StrictNumber(text);
  if (!value || *value <= 0) return {true, text};
  // The value in plain decimal digits (never an exponent), cut to three
  // characters, rounded: 1500 gives 150, 12.5 gives 12.
  char digits[400];
  auto result = std::to_chars(digits, digits + sizeof digits, *value, std::chars_format::fixed);
  std::string plain(digits, result.ptr);
  const double cut = std::strtod(plain.substr(0, 3).c_str(), nullptr);
  text = std::to_string(static_cast<long long>(RoundHalfEven(cut)));
  return {false, text};
}

std::pair<int, int> BannerEditor::BannerSizeFromControls() const {
  return renderer_->BannerSizeFor(settings_);
}

void BannerEditor::SelectBackgroundPattern(int option) {
  if (!Change(settings_.BackGround.Pattern, option)) return;
  ApplyBackgroundEnableRule();
  Render();
}

void BannerEditor::ApplyBackgroundEnableRule() {
  const int option = settings_.BackGround.Pattern;
  const bool gradient = option == kGradient2 || option == kGradient3;
  controls_.select_image_enabled = option == kPicture;
  controls_.background_direction_enabled = gradient;
  controls_.background_label_red = {option != kPicture, gradient, option == kGradient3};
  // A gradient with no direction takes the first; selecting it renders.
  if (gradient && settings_.BackGround.Direction == -1) SelectBackgroundDirection(0);
}

void BannerEditor::SetBackgroundColor(int index, Color color) {
  Color* colors[] = {&settings_.BackGround.Color1, &settings_.BackGround.Color2,
                     &settings_.BackGround.Color3};
  if (index >= 0 && index < 3) *colors[index] = color & 0xFFFFFF;
}

void BannerEditor::SelectBackgroundDirection(int direction) {
  if (Change(settings_.BackGround.Direction, direction)) Render();
}

void BannerEditor::SetButtonize(bool on) {
  if (Change(settings_.BackGround.Buttonize, on)) Render();
}

void BannerEditor::SetTitleText(std::string text) {
  if (settings_.Title.String == text) return;
  settings_.Title.String = std::move(text);
  Render();
}

void BannerEditor::SetTitleTextFromBoxHistory(std::string text) {
  returning_ = true;
  SetTitleText(std::move(text));
  returning_ = false;
}

void BannerEditor::ChooseTitleFont(const std::string& face, bool bold, bool italic) {
  controls_.font_label = face;
  settings_.Title.FontName = face;
  settings_.Title.FontBold = bold;
  settings_.Title.FontItalic = italic;
  renderer_->SetTitleFont(face, bold, italic);
  Render();
}

void BannerEditor::LoadTitleFont(std::optional<std::string> face, std::optional<bool> bold,
                                 std::optional<bool> italic) {
  if (face) controls_.font_label = *face;
  settings_.Title.FontName = controls_.font_label;
  settings_.Title.FontBold = bold.value_or(renderer_->title_font_bold());
  settings_.Title.FontItalic = italic.value_or(renderer_->title_font_italic());
  renderer_->SetTitleFont(face.value_or(renderer_->title_font_face()), settings_.Title.FontBold,
                          settings_.Title.FontItalic);
}

void BannerEditor::SelectLocation(int location) {
  if (Change(settings_.Title.Location, location)) Render();
}

void BannerEditor::SelectTitlePattern(int option) {
  if (!Change(settings_.Title.Pattern, option)) return;
  ApplyTitleColorEnableRule();
  Render();
}

void BannerEditor::ApplyTitleColorEnableRule() {
  const int option = settings_.Title.Pattern;
  const bool gradient = option == 1 || option == 2;
  controls_.title_direction_enabled = gradient;
  controls_.title_label_red = {true, gradient, option == 2};
  if (gradient && settings_.Title.Direction == -1) SelectTitleDirection(0);
}

void BannerEditor::SetTitleColor(int index, Color color) {
  Color* colors[] = {&settings_.Title.Color1, &settings_.Title.Color2, &settings_.Title.Color3,
                     &settings_.Title.ShadowColor};
  if (index >= 0 && index < 4) *colors[index] = color & 0xFFFFFF;
}

void BannerEditor::SelectTitleDirection(int direction) {
  if (Change(settings_.Title.Direction, direction)) Render();
}

void BannerEditor::SetShadow(bool on) {
  if (!Change(settings_.Title.Shadow, on)) return;
  controls_.shadow_controls_enabled = on;
  Render();
}

void BannerEditor::SelectShadowDirection(int direction) {
  if (Change(settings_.Title.ShadowDirection, direction)) Render();
}

void BannerEditor::SetOffset(int offset) {
  offset = std::clamp(offset, kMinOffset, kMaxOffset);
  if (Change(settings_.Title.Offset, offset)) Render();
}

void BannerEditor::SetOpenPreview(bool on) {
  if (Change(controls_.open_preview, on) && on) Render();
}

void BannerEditor::SetBackgroundPicture(std::string file, int clip_x, int clip_y,
                                        std::optional<Bitmap> picture) {
  settings_.BackGround.ImageFile = std::move(file);
  settings_.BackGround.ClipX = clip_x;
  settings_.BackGround.Clipy = clip_y;
  background_picture_ = std::move(picture);
}

RenderReport BannerEditor::Render() {
  ++render_count_;
  RenderReport report = renderer_->Render(settings_, background_picture_ ? &*background_picture_ : nullptr);
  controls_.user_size_enabled = report.user_size_enabled;
  if (report.title_controls_enabled) {
    controls_.font_button_enabled = true;
    controls_.location_enabled = true;
  }
  if (!restoring_) Record();
  if (render_observer_) render_observer_(report);
  return report;
}

BannerEditor::Design BannerEditor::CurrentDesign() const {
  Design design{settings_,         controls_,         background_picture_,
                title_font_face(), title_font_bold(), title_font_italic()};
  design.controls.open_preview = false;
  return design;
}

// A title once typed enables the font button and the placement list and
// places the title in the middle; taking the text back leaves those as
// they are, which is no change of the design's own.
bool BannerEditor::SameApartFromTitleRepairs(Design design, const Design& step) {
  design.settings.Title.Location = step.settings.Title.Location;
  design.controls.font_button_enabled = step.controls.font_button_enabled;
  design.controls.location_enabled = step.controls.location_enabled;
  return design == step;
}

void BannerEditor::Record() {
  Design design = CurrentDesign();
  if (history_[at_] == design) return;
  if (returning_) {
    // The nearest equal step, looking back first.
    for (std::size_t back = 1; back <= history_.size(); ++back) {
      for (std::size_t j : {at_ - std::min(back, at_), at_ + back}) {
        if (j < history_.size() && j != at_ && SameApartFromTitleRepairs(design, history_[j])) {
          at_ = j;
          return;
        }
      }
    }
  }
  history_.resize(at_ + 1);  // a new change ends the redo steps
  if (saved_at_ != kNoStep && saved_at_ > at_) saved_at_ = kNoStep;
  history_.push_back(std::move(design));
  if (history_.size() > kMaxUndoSteps) {
    history_.erase(history_.begin());
    saved_at_ = saved_at_ == 0 || saved_at_ == kNoStep ? kNoStep : saved_at_ - 1;
  }
  at_ = history_.size() - 1;
}

void BannerEditor::Restore(std::size_t at) {
  const Design& design = history_[at];
  const bool open_preview = controls_.open_preview;
  settings_ = design.settings;
  background_picture_ = design.background_picture;
  renderer_->SetTitleFont(design.font_face, design.font_bold, design.font_italic);
  controls_ = design.controls;
  controls_.open_preview = open_preview;
  at_ = at;
  restoring_ = true;
  Render();
  restoring_ = false;
}

bool BannerEditor::Undo() {
  if (!CanUndo()) return false;
  Restore(at_ - 1);
  return true;
}

bool BannerEditor::Redo() {
  if (!CanRedo()) return false;
  Restore(at_ + 1);
  return true;
}

void BannerEditor::MarkSaved(std::string path) {
  document_path_ = std::move(path);
  Record();
  saved_at_ = at_;
}

void BannerEditor::StartHistory(std::string path) {
  document_path_ = std::move(path);
  history_.clear();
  history_.push_back(CurrentDesign());
  at_ = 0;
  saved_at_ = 0;
}

}  // namespace plakato
