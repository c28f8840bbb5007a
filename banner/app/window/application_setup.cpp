#include "banner/app/window/application_setup.h"

#include <QApplication>
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

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, size);
    gradient.setColorAt(0, QColor(80, 140, 255));
    gradient.setColorAt(1, QColor(0, 0, 128));
    const QRectF banner(size * 0.05, size * 0.2, size * 0.9, size * 0.6);
    painter.setBrush(gradient);
    painter.setPen(QPen(Qt::white, std::max(1.0, size / 16.0)));
    painter.drawRoundedRect(banner, size * 0.1, size * 0.1);
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(static_cast<int>(size * 0.5));
    painter.setFont(font);
    painter.drawText(banner, Qt::AlignCenter, "P");
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace plakato
