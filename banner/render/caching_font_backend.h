#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

#include "banner/render/font_backend.h"

namespace plakato {

// Remembers measurements and drawn masks of another back end, keyed by face,
// style, size and text. Fitting a title measures one text at many sizes on
// every render; with the cache a repeated render measures nothing anew.
// Results are exactly those of the wrapped back end.
class CachingFontBackend : public FontBackend {
 public:
  explicit CachingFontBackend(std::shared_ptr<FontBackend> inner, std::size_t max_measurements = 4096,
                              std::size_t max_masks = 8);

  TextExtent Measure(const FontSpec& font, std::string_view text) override;
  std::shared_ptr<const CoverageMask> Render(const FontSpec& font, std::string_view text) override;
  platform::Status CheckFont(const FontSpec& font) override { return inner_->CheckFont(font); }

  FontBackend& inner() { return *inner_; }

 private:
  static std::string Key(const FontSpec& font, std::string_view text);

  std::shared_ptr<FontBackend> inner_;
  std::size_t max_measurements_;
  std::size_t max_masks_;
  std::unordered_map<std::string, TextExtent> measurements_;
  // Most recently used first.
  std::list<std::pair<std::string, std::shared_ptr<const CoverageMask>>> masks_;
};

}  // namespace plakato
