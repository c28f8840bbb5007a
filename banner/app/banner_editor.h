#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "banner/render/banner_renderer.h"
#include "banner/render/banner_settings.h"
#include "banner/render/bitmap.h"

namespace plakato {

// The main window's state without the window: every control's value and
// enabled state, the public members that the settings file and the image
// chooser fill, and the renderer with its work pictures. Each Set/Select
// method does what the user's change of that control does: it applies the
// control's enable rule and, when the control's value changed, runs the
// control's handler render. The window only binds widgets to this class, and
// plakato-render drives it without any window, so both show the same banner.
class BannerEditor {
 public:
  struct Controls {
    // Top row.
    bool user_size_enabled = false;
    // Background tab.
    bool select_image_enabled = false;
    bool background_direction_enabled = false;
    std::array<bool, 3> background_label_red = {true, false, false};
    // Title tab.
    std::string font_label;  // labFont: face name shown, empty at first
    bool font_button_enabled = false;
    bool location_enabled = false;
    bool title_direction_enabled = false;
    std::array<bool, 3> title_label_red = {true, false, false};
    bool shadow_controls_enabled = false;  // cboShadowDir and the spinner
    // Foot.
    bool open_preview = false;  // chkOpenPrev

    bool operator==(const Controls&) const = default;
  };

  // Result of a user-size box's check when it is about to lose the focus.
  struct Validation {
    bool keep_focus = false;  // refused: the text stays and is selected
    std::string text;         // the box's text afterwards
  };

  static constexpr int kMinOffset = 1;
  static constexpr int kMaxOffset = 10;

  explicit BannerEditor(std::unique_ptr<BannerRenderer> renderer);

  const BannerSettings& settings() const { return settings_; }
  const Controls& controls() const { return controls_; }
  BannerRenderer& renderer() { return *renderer_; }
  const BannerRenderer& renderer() const { return *renderer_; }

  // Called after every render (the window repaints the preview, resizes
  // itself and the separate preview window, updates enabled states).
  void SetRenderObserver(std::function<void(const RenderReport&)> observer) {
    render_observer_ = std::move(observer);
  }

  // Size.
  void SelectSize(int index);
  void SetUserWidthText(std::string text);   // typing: no render
  void SetUserHeightText(std::string text);  // typing: no render
  Validation ValidateUserWidth();
  Validation ValidateUserHeight();

  // Background. Colours are assigned without a render: the colour picker's
  // handler calls Render() after it, the settings loader at its end.
  void SelectBackgroundPattern(int option);
  void SetBackgroundColor(int index, Color color);
  void SelectBackgroundDirection(int direction);
  void SetButtonize(bool on);

  // Title.
  void SetTitleText(std::string text);
  // The title box's own undo or redo: where the text it gives back makes a
  // design of the history, that step becomes the current one (the steps
  // after it stay to redo), so the design's undo goes on from there.
  void SetTitleTextFromBoxHistory(std::string text);
  // The font dialog's result: labFont shows the face; both masks take it;
  // a render follows.
  void ChooseTitleFont(const std::string& face, bool bold, bool italic);
  // The settings loader's font: what is given goes into labFont and both
  // masks, the rest stays; no render.
  void LoadTitleFont(std::optional<std::string> face, std::optional<bool> bold, std::optional<bool> italic);
  const std::string& title_font_face() const { return renderer_->title_font_face(); }
  bool title_font_bold() const { return renderer_->title_font_bold(); }
  bool title_font_italic() const { return renderer_->title_font_italic(); }
  int title_font_size() const { return renderer_->title_font_size(); }
  void SelectLocation(int location);
  void SelectTitlePattern(int option);
  void SetTitleColor(int index, Color color);  // 0..2 title colours, 3 shadow colour; no render
  void SelectTitleDirection(int direction);
  void SetShadow(bool on);
  void SelectShadowDirection(int direction);
  void SetOffset(int offset);  // the spinner keeps it within its range

  void SetOpenPreview(bool on);  // renders when ticked

  // The background picture and where it was cut from (the image chooser's
  // OK, and the settings loader).
  const std::string& background_file() const { return settings_.BackGround.ImageFile; }
  const std::optional<Bitmap>& background_picture() const { return background_picture_; }
  // No render: the chooser's handler renders after it.
  void SetBackgroundPicture(std::string file, int clip_x, int clip_y, std::optional<Bitmap> picture);

  // The banner size in pixels that the size controls give now, or the
  // current preview size where they give none.
  std::pair<int, int> BannerSizeFromControls() const;

  // One full render, as every handler ends with. A render that shows a
  // changed design records it as one step that can be undone.
  RenderReport Render();
  int render_count() const { return render_count_; }

  // Undo and redo of design changes, step by step as they were rendered;
  // each renders the design it returns to. False when there is nothing to
  // undo or redo. The preview window's box is not part of the design.
  bool CanUndo() const { return at_ > 0; }
  bool CanRedo() const { return at_ + 1 < history_.size(); }
  bool Undo();
  bool Redo();

  // The design's file: empty until it was saved or loaded. modified() tells
  // whether the design differs from the one last saved or loaded (undoing
  // back to it clears the mark).
  const std::string& document_path() const { return document_path_; }
  bool modified() const { return at_ != saved_at_; }
  // After a save: the design now shown is the file's.
  void MarkSaved(std::string path);
  // The design's file no longer holds the design (an image replaced it):
  // the design counts as unsaved until it is saved again.
  void ForgetSavedFile() { saved_at_ = kNoStep; }
  // After a load or at start: the history begins anew with the design now
  // shown as the file's (path empty for a new design).
  void StartHistory(std::string path);

 private:
  Validation ValidateUserSize(std::string& text);
  // Sets a list's or option's value; true when it changed (its handler runs).
  template <typename T, typename V>
  static bool Change(T& field, V value) {
    if (field == static_cast<T>(value)) return false;
    field = static_cast<T>(value);
    return true;
  }
  void ApplyBackgroundEnableRule();
  void ApplyTitleColorEnableRule();

  // Everything an undo step brings back.
  struct Design {
    BannerSettings settings;
    Controls controls;
    std::optional<Bitmap> background_picture;
    std::string font_face;
    bool font_bold = false;
    bool font_italic = false;
    bool operator==(const Design&) const = default;
  };
  static constexpr std::size_t kMaxUndoSteps = 100;
  static constexpr std::size_t kNoStep = static_cast<std::size_t>(-1);
  Design CurrentDesign() const;
  static bool SameApartFromTitleRepairs(Design design, const Design& step);
  void Record();
  void Restore(std::size_t at);

  std::unique_ptr<BannerRenderer> renderer_;
  BannerSettings settings_;
  Controls controls_;
  std::optional<Bitmap> background_picture_;
  std::function<void(const RenderReport&)> render_observer_;
  int render_count_ = 0;
  std::vector<Design> history_;  // the designs rendered, oldest first
  std::size_t at_ = 0;           // the design shown
  std::size_t saved_at_ = 0;     // the design of the file; kNoStep when none
  bool restoring_ = false;
  bool returning_ = false;  // a text of the title box's history comes back
  std::string document_path_;
};

}  // namespace plakato
