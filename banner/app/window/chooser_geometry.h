#pragma once

#include <utility>

namespace plakato {

// A rectangle in the chooser window's units (pixels), kept in floating point
// so that the displayed image and the cut-out frame keep their exact scaled
// positions; widgets round them only when they are placed.
struct ChooserRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;

  double right() const { return left + width; }
  double bottom() const { return top + height; }
  bool Contains(double x, double y) const { return x >= left && x < right() && y >= top && y < bottom(); }
  bool operator==(const ChooserRect&) const = default;
};

// The background image chooser without its window: fits an image into the
// display box, places the banner-sized frame at the same scale centred on
// its designed place, moves it by the drop rules and turns its position back
// into a cut-out origin in full-image pixels.
class ChooserGeometry {
 public:
  static constexpr ChooserRect kDisplayBox{33, 48, 300, 160};
  static constexpr ChooserRect kDesignedFrame{143, 110, 81, 33};

  explicit ChooserGeometry(ChooserRect display_box = kDisplayBox,
                           ChooserRect designed_frame = kDesignedFrame);

  // Fits a full-size image of the given pixel size into the display box and
  // re-centres the frame for a banner of the given size. Always starts from
  // the display box, whatever was shown before. False, and nothing changes,
  // for an image without pixels.
  bool FitImage(int image_width, int image_height, int banner_width, int banner_height);

  bool has_image() const { return has_image_; }
  const ChooserRect& image() const { return image_; }  // the displayed image
  const ChooserRect& frame() const { return frame_; }  // the banner-sized frame
  double scale() const { return scale_; }              // displayed width / image width

  // Where, inside the frame, the mouse button went down.
  void BeginDrag(double grab_x, double grab_y);
  // A drop on the displayed image, measured from the image's top-left corner.
  void DropOnImage(double x, double y);
  // A drop on the frame itself, measured from the frame's top-left corner.
  void DropOnFrame(double x, double y);

  // The frame's top-left corner in full-image pixels, rounded to the nearest
  // whole number (halves to the even neighbour). (0, 0) without an image.
  std::pair<int, int> CutOutOrigin() const;

 private:
  ChooserRect display_box_;
  ChooserRect designed_frame_;
  ChooserRect image_;
  ChooserRect frame_;
  double scale_ = 0;
  double grab_x_ = 0;
  double grab_y_ = 0;
  bool has_image_ = false;
};

}  // namespace plakato
