#include "banner/render/background_painter.h"

#include "banner/render/gradient_painter.h"

namespace plakato {

void PaintBackground(WorkPicture& background, const BannerSettings::BackGroundGroup& settings,
                     const Bitmap* picture) {
  const Color colours[3] = {settings.Color1, settings.Color2, settings.Color3};
  switch (settings.Pattern) {
    case kPlain: background.SetBackColor(settings.Color1); break;
    case kGradient2: PaintGradient(background, colours, 2, settings.Direction); break;
    case kGradient3: PaintGradient(background, colours, 3, settings.Direction); break;
    case kPicture:
      if (picture != nullptr) background.DrawPicture(*picture);
      break;
    default: break;
  }
}

}  // namespace plakato
