#include "banner/app/window/chooser_geometry.h"

#include "banner/render/nearest.h"

namespace plakato {

ChooserGeometry::ChooserGeometry(ChooserRect display_box, ChooserRect designed_frame)
    : display_box_(display_box), designed_frame_(designed_frame), frame_(designed_frame) {}

bool ChooserGeometry::FitImage(int image_width, int image_height, int banner_width, int banner_height) {
  if (image_width <= 0 || image_height <= 0) return false;
  const double image_ratio = static_cast<double>(image_width) / image_height;
  const double box_ratio = display_box_.width / display_box_.height;
  double shown_width;
  double shown_height;
  if (box_ratio >= image_ratio) {
    shown_height = display_box_.height;
    shown_width = display_box_.height * image_ratio;
  } else {
    shown_width = display_box_.width;
    shown_height = display_box_.width / image_ratio;
  }
  scale_ = shown_width / image_width;
  image_ = {display_box_.left + (display_box_.width - shown_width) / 2,
            display_box_.top + (display_box_.height - shown_height) / 2, shown_width, shown_height};

  const double frame_width = banner_width * scale_;
  const double frame_height = banner_height * scale_;
  frame_ = {designed_frame_.left + (designed_frame_.width - frame_width) / 2,
            designed_frame_.top + (designed_frame_.height - frame_height) / 2, frame_width, frame_height};
  has_image_ = true;
  return true;
}

void ChooserGeometry::BeginDrag(double grab_x, double grab_y) {
  grab_x_ = grab_x;
  grab_y_ = grab_y;
}

void ChooserGeometry::DropOnImage(double x, double y) {
  frame_.left = image_.left + x - grab_x_;
  frame_.top = image_.top + y - grab_y_;
}

void ChooserGeometry::DropOnFrame(double x, double y) {
  frame_.left = frame_.left + x - grab_x_;
  frame_.top = frame_.top + y - grab_y_;
}

std::pair<int, int> ChooserGeometry::CutOutOrigin() const {
  if (!has_image_ || scale_ <= 0) return {0, 0};
  return {Nearest((frame_.left - image_.left) / scale_), Nearest((frame_.top - image_.top) / scale_)};
}

}  // namespace plakato
