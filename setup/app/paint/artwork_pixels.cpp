#include "setup/app/paint/artwork_pixels.h"

#include "setup/app/paint/pixel_canvas.h"

namespace setup::paint {

PixelBuffer LeftPicture() {
  constexpr int kWidth = 120;
  constexpr int kHeight = 248;
  PixelBuffer picture(kWidth, kHeight);
  PixelCanvas p(picture);
  const std::vector<ColourStop> sky{
      {0, Opaque(18, 52, 120)}, {0.6, Opaque(36, 98, 176)}, {1, Opaque(120, 178, 226)}};
  for (int y = 0; y < kHeight; ++y) p.FillRect(0, y, kWidth, 1, FadeAt(sky, (y + 0.5) / kHeight));

  // Soft rings behind the package.
  for (int r = 18; r <= 78; r += 20) p.Ring({60, 118}, r, 2, MakeArgb(40, 255, 255, 255));

  // The package: a box in three faces with a dark edge.
  const std::vector<Point> top{{60, 88}, {92, 104}, {60, 120}, {28, 104}};
  const std::vector<Point> left{{28, 104}, {60, 120}, {60, 158}, {28, 142}};
  const std::vector<Point> right{{60, 120}, {92, 104}, {92, 142}, {60, 158}};
  p.FillPolygon(top, Opaque(246, 214, 140));
  p.FillPolygon(left, Opaque(222, 178, 96));
  p.FillPolygon(right, Opaque(196, 150, 72));
  for (const auto* face : {&top, &left, &right}) p.StrokePolygon(*face, 1, Opaque(90, 60, 20));
  // The tape across the lid and the arrow going in.
  p.Line({44, 96}, {76, 112}, 3, Opaque(170, 120, 50));
  p.FillPolygon({{54, 40}, {66, 40}, {66, 62}, {76, 62}, {60, 80}, {44, 62}, {54, 62}},
                MakeArgb(230, 255, 255, 255));

  p.TextCentred(0, kWidth, 186, "kestro", 2, Opaque(255, 255, 255));
  p.TextCentred(0, kWidth, 210, "Setup for Windows", 1, Opaque(232, 240, 250));
  return picture;
}

PixelBuffer StepMarker() {
  PixelBuffer marker(5, 11);
  PixelCanvas(marker).FillPolygon({{0, 1}, {5, 5.5}, {0, 10}}, Opaque(0, 64, 160));
  return marker;
}

PixelBuffer CleanUpIcon() {
  PixelBuffer icon(32, 32);
  PixelCanvas p(icon);
  const Argb edge = Opaque(60, 70, 90);
  // The bin, narrowing to the bottom, in brushed metal with three ribs.
  const std::vector<Point> bin{{8, 9}, {24, 9}, {22, 29}, {10, 29}};
  const std::vector<ColourStop> metal{
      {0, Opaque(150, 170, 190)}, {0.5, Opaque(225, 235, 245)}, {1, Opaque(130, 150, 170)}};
  p.FillPolygon(bin, [&](double x, double) { return FadeAt(metal, (x - 8) / 16); });
  p.StrokePolygon(bin, 1, edge);
  for (double x : {13.5, 16.5, 19.5}) p.Line({x, 12}, {x, 26}, 1, Opaque(90, 100, 120));
  // The lid and its handle.
  const std::vector<Point> lid{{6.5, 5.5}, {25.5, 5.5}, {25.5, 9.5}, {6.5, 9.5}};
  p.FillPolygon(lid, Opaque(110, 130, 150));
  p.StrokePolygon(lid, 1, edge);
  p.StrokePolygon({{13.5, 2.5}, {18.5, 2.5}, {18.5, 5.5}, {13.5, 5.5}}, 1, edge);
  return icon;
}

}  // namespace setup::paint
