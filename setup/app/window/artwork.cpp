#include "setup/app/window/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "setup/app/window/windows_fonts.h"

namespace setup::window {

QPixmap WizardSidePicture() {
  constexpr int kWidth = 120;
  constexpr int kHeight = 248;
  QPixmap pixmap(kWidth, kHeight);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, kHeight);
  sky.setColorAt(0, QColor(18, 52, 120));
  sky.setColorAt(0.6, QColor(36, 98, 176));
  sky.setColorAt(1, QColor(120, 178, 226));
  p.fillRect(pixmap.rect(), sky);

  // Soft rings behind the package.
  p.setPen(QPen(QColor(255, 255, 255, 40), 2));
  p.setBrush(Qt::NoBrush);
  for (int r = 18; r <= 78; r += 20) p.drawEllipse(QPointF(60, 118), r, r);

  // The package: a box in three faces.
  const QPointF top[] = {{60, 88}, {92, 104}, {60, 120}, {28, 104}};
  const QPointF left[] = {{28, 104}, {60, 120}, {60, 158}, {28, 142}};
  const QPointF right[] = {{60, 120}, {92, 104}, {92, 142}, {60, 158}};
  p.setPen(QPen(QColor(90, 60, 20), 1));
  p.setBrush(QColor(246, 214, 140));
  p.drawPolygon(top, 4);
  p.setBrush(QColor(222, 178, 96));
  p.drawPolygon(left, 4);
  p.setBrush(QColor(196, 150, 72));
  p.drawPolygon(right, 4);
  // The tape across the lid and the arrow going in.
  p.setPen(QPen(QColor(170, 120, 50), 3));
  p.drawLine(QPointF(44, 96), QPointF(76, 112));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 230));
  const QPointF arrow[] = {{54, 40}, {66, 40}, {66, 62}, {76, 62}, {60, 80}, {44, 62}, {54, 62}};
  p.drawPolygon(arrow, 7);

  QFont name = MakeFont({"ＭＳ Ｐゴシック", 11, true, true});
  p.setFont(name);
  p.setPen(QColor(255, 255, 255));
  p.drawText(QRect(0, 186, kWidth, 20), Qt::AlignHCenter, "kestro");
  p.setFont(MakeFont({"ＭＳ Ｐゴシック", 8}));
  p.setPen(QColor(232, 240, 250));
  p.drawText(QRect(0, 206, kWidth, 16), Qt::AlignHCenter, "Setup for Windows");
  p.end();
  return pixmap;
}

QPixmap StepMarker() {
  QPixmap pixmap(5, 11);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 64, 160));
  const QPoint head[] = {{0, 1}, {4, 5}, {0, 9}};
  p.drawPolygon(head, 3);
  p.end();
  return pixmap;
}

QPixmap CleanUpIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // The bin, narrowing to the bottom, with three ribs.
  QPainterPath bin;
  bin.moveTo(8, 9);
  bin.lineTo(24, 9);
  bin.lineTo(22, 29);
  bin.lineTo(10, 29);
  bin.closeSubpath();
  QLinearGradient metal(8, 0, 24, 0);
  metal.setColorAt(0, QColor(150, 170, 190));
  metal.setColorAt(0.5, QColor(225, 235, 245));
  metal.setColorAt(1, QColor(130, 150, 170));
  p.setPen(QPen(QColor(60, 70, 90), 1));
  p.setBrush(metal);
  p.drawPath(bin);
  p.setPen(QPen(QColor(90, 100, 120), 1));
  for (int x : {13, 16, 19}) p.drawLine(QPointF(x, 12), QPointF(x, 26));
  // The lid and its handle.
  p.setPen(QPen(QColor(60, 70, 90), 1));
  p.setBrush(QColor(110, 130, 150));
  p.drawRoundedRect(QRectF(6, 5, 20, 4), 1.5, 1.5);
  p.drawRect(QRectF(13, 2.5, 6, 2.5));
  p.end();
  return pixmap;
}

}  // namespace setup::window
