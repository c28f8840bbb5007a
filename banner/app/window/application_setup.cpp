#include "banner/app/window/application_setup.h"

#include <QApplication>
#include <QBuffer>
#include <QLibraryInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QTranslator>

#include "banner/app/window/window_texts.h"

namespace plakato {

void ConfigureApplication(QApplication& app) {
  app.setApplicationName(kApplicationTitle);
  app.setOrganizationName(kApplicationTitle);
  QFont font("IPAPGothic");
  font.setPixelSize(12);  // 9 points at 96 dots per inch
  app.setFont(font);
  // The toolkit's own dialogs (file, colour, font) in Japanese.
  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(QLocale::Japanese), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(translator);
  }
  app.setWindowIcon(ProgramIcon());
}

namespace {

// The banner with its "P" inside the given rectangle.
void PaintBanner(QPainter& painter, const QRectF& banner, double size) {
  QLinearGradient gradient(banner.topLeft(), banner.bottomLeft());
  gradient.setColorAt(0, QColor(80, 140, 255));
  gradient.setColorAt(1, QColor(0, 0, 128));
  painter.setBrush(gradient);
  painter.setPen(QPen(Qt::white, std::max(1.0, size / 16.0)));
  painter.drawRoundedRect(banner, size * 0.1, size * 0.1);
  QFont font("DejaVu Sans");
  font.setBold(true);
  font.setPixelSize(std::max(1, static_cast<int>(banner.height() * 0.8)));
  painter.setFont(font);
  painter.drawText(banner, Qt::AlignCenter, "P");
}

QPixmap IconPixmap(int size, bool document) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  if (document) {
    // A white page with a folded corner, the banner across its middle.
    const double s = size;
    QPolygonF page({{s * 0.15, s * 0.05},
                    {s * 0.65, s * 0.05},
                    {s * 0.85, s * 0.25},
                    {s * 0.85, s * 0.95},
                    {s * 0.15, s * 0.95}});
    painter.setPen(QPen(QColor(96, 96, 96), std::max(1.0, s / 32.0)));
    painter.setBrush(Qt::white);
    painter.drawPolygon(page);
    PaintBanner(painter, QRectF(s * 0.05, s * 0.4, s * 0.9, s * 0.36), s);
  } else {
    PaintBanner(painter, QRectF(size * 0.05, size * 0.2, size * 0.9, size * 0.6), size);
  }
  painter.end();
  return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) icon.addPixmap(IconPixmap(size, false));
  return icon;
}

std::string IconPng(int size, bool document) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  IconPixmap(size, document).save(&buffer, "PNG");
  return bytes.toStdString();
}

}  // namespace plakato
