#include "banner/render/caching_font_backend.h"

#include <utility>

namespace plakato {

CachingFontBackend::CachingFontBackend(std::shared_ptr<FontBackend> inner, std::size_t max_measurements,
                                       std::size_t max_masks)
    : inner_(std::move(inner)), max_measurements_(max_measurements), max_masks_(max_masks) {}

std::string CachingFontBackend::Key(const FontSpec& font, std::string_view text) {
  std::string key;
  key.reserve(font.face.size() + text.size() + 16);
  // Length-prefixed face, so that no face and text pair can collide.
  key.append(std::to_string(font.face.size())).push_back(':');
  key.append(font.face);
  key.push_back(font.bold ? 'B' : '-');
  key.push_back(font.italic ? 'I' : '-');
  key.append(std::to_string(font.points)).push_back('\0');
  key.append(text);
  return key;
}

TextExtent CachingFontBackend::Measure(const FontSpec& font, std::string_view text) {
  std::string key = Key(font, text);
  if (auto found = measurements_.find(key); found != measurements_.end()) return found->second;
  const TextExtent extent = inner_->Measure(font, text);
  if (measurements_.size() >= max_measurements_) measurements_.clear();
  measurements_.emplace(std::move(key), extent);
  return extent;
}

std::shared_ptr<const CoverageMask> CachingFontBackend::Render(const FontSpec& font, std::string_view text) {
  std::string key = Key(font, text);
  for (auto it = masks_.begin(); it != masks_.end(); ++it) {
    if (it->first == key) {
      masks_.splice(masks_.begin(), masks_, it);
      return masks_.front().second;
    }
  }
  std::shared_ptr<const CoverageMask> mask = inner_->Render(font, text);
  masks_.emplace_front(std::move(key), mask);
  while (masks_.size() > max_masks_) masks_.pop_back();
  return mask;
}

}  // namespace plakato
