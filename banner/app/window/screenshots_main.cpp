// Renders the banner maker's windows into PNG files, for the documentation
// and for checking the layout: plakato-screenshots OUTPUT_FOLDER
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <cstdio>

#include "banner/app/picture_codecs.h"
#include "banner/app/window/application_setup.h"
#include "banner/app/window/image_chooser.h"
#include "banner/app/window/main_window.h"
#include "banner/app/window/startup_rules.h"
#include "banner/app/window/tab_control.h"
#include "banner/app/window/window_texts.h"
#include "platform/ui/font_dialog.h"
#include "platform/ui/qt_dialog_service.h"

namespace {

bool Save(QWidget& widget, const QDir& folder, const char* name) {
  QApplication::processEvents();
  const QString path = folder.filePath(name);
  const bool ok = widget.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.toLocal8Bit().constData());
  return ok;
}

// A sample photo-like picture for the chooser: sky, sea and a sun.
plakato::Bitmap SamplePicture() {
  plakato::Bitmap picture(600, 300);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const bool sea = y > 190;
      const int dx = x - 430, dy = y - 120;
      const bool sun = dx * dx + dy * dy < 40 * 40;
      picture.set_pixel(x, y,
                        sun   ? plakato::MakeColor(255, 220, 80)
                        : sea ? plakato::MakeColor(20, 60 + y / 6, 140 + y / 8)
                              : plakato::MakeColor(120 + y / 3, 170 + y / 4, 255));
    }
  }
  return picture;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  plakato::ConfigureApplication(app);
  const QDir folder(argc > 1 ? argv[1] : ".");
  QDir().mkpath(folder.path());

  plakato::MainWindow window(
      std::make_unique<plakato::BannerEditor>(plakato::BannerRenderer::CreateDefault()), nullptr);
  window.FormLoad({});  // no install information or registration from here
  plakato::BannerEditor& editor = window.editor();
  editor.SelectSize(3);
  editor.SelectBackgroundPattern(plakato::kGradient3);
  editor.SetBackgroundColor(0, plakato::MakeColor(0, 64, 160));
  editor.SetBackgroundColor(1, plakato::MakeColor(120, 200, 255));
  editor.SetBackgroundColor(2, plakato::MakeColor(0, 64, 160));
  editor.SelectBackgroundDirection(0);
  editor.SetTitleText("夏のセール開催中！");
  editor.SelectTitlePattern(1);
  editor.SetTitleColor(0, plakato::MakeColor(255, 255, 255));
  editor.SetTitleColor(1, plakato::MakeColor(255, 230, 0));
  editor.SetShadow(true);
  editor.SetOffset(2);
  editor.SetTitleColor(3, plakato::MakeColor(0, 0, 64));
  editor.SetButtonize(true);
  editor.Render();
  window.show();

  bool ok = Save(window, folder, "plakato-main.png");
  // The direction list open on the background tab, its longest item whole.
  if (auto* directions = window.findChild<QComboBox*>("cboGraDir")) {
    directions->showPopup();
    QApplication::processEvents();
    if (QWidget* popup = directions->view()->window())
      ok = Save(*popup, folder, "plakato-direction-list.png") && ok;
    directions->hidePopup();
  }
  // The focus mark on a dark swatch.
  if (QWidget* swatch = window.findChild<QWidget*>("picColor_0")) {
    window.activateWindow();
    QApplication::processEvents();
    swatch->setFocus(Qt::TabFocusReason);
    ok = Save(*swatch, folder, "plakato-dark-swatch-focus.png") && ok;
  }
  window.findChild<plakato::TabControl*>("sstabMain")->setCurrentIndex(1);
  ok = Save(window, folder, "plakato-title-tab.png") && ok;

  // The font dialog with its sample, on the title's face in bold.
  {
    platform::ui::FontDialog font_dialog({"IPAMincho", true, false, 20}, &window);
    font_dialog.show();
    ok = Save(font_dialog, folder, "plakato-font-dialog.png") && ok;
  }
  // A bold Mincho title: emboldened sideways, still Mincho.
  editor.ChooseTitleFont("ＭＳ 明朝", true, false);
  ok = Save(*window.findChild<QWidget*>("picPreview"), folder, "plakato-bold-mincho.png") && ok;
  editor.ChooseTitleFont("ＭＳ 明朝", false, false);
  ok = Save(*window.findChild<QWidget*>("picPreview"), folder, "plakato-regular-mincho.png") && ok;

  const QString sample = folder.filePath("sample-picture.png");
  ok = plakato::SavePicture(SamplePicture(), sample.toStdString()).ok() && ok;
  plakato::ImageChooser chooser(&window, sample.toStdString(), 234, 60, nullptr);
  chooser.show();
  ok = Save(chooser, folder, "plakato-chooser.png") && ok;
  chooser.hide();

  // A picture smaller than the banner: the frame is larger than the window,
  // the buttons stay on top.
  const QString small = folder.filePath("small-picture.png");
  ok = plakato::SavePicture(plakato::CropBitmap(SamplePicture(), 380, 70, 60, 30, plakato::kWhite),
                            small.toStdString())
           .ok() &&
       ok;
  plakato::ImageChooser small_chooser(&window, small.toStdString(), 234, 60, nullptr);
  small_chooser.show();
  ok = Save(small_chooser, folder, "plakato-chooser-small-picture.png") && ok;
  small_chooser.hide();

  // The file dialog with its type list open, showing the filter texts.
  QTimer::singleShot(500, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return;
    if (auto* types = dialog->findChild<QComboBox*>("fileTypeCombo")) types->showPopup();
    QApplication::processEvents();
    ok = Save(*dialog, folder, "plakato-file-dialog.png") && ok;
    if (QWidget* popup = QApplication::activePopupWidget()) {
      ok = Save(*popup, folder, "plakato-file-types.png") && ok;
      popup->close();
    }
    QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
  });
  platform::ui::QtDialogService dialogs(&window, {"Plakato"});
  dialogs.ChooseFile({platform::ui::FileDialogRequest::Mode::kOpen, "", plakato::kImageFilter, "",
                      folder.absolutePath().toStdString() + "/"});

  // The separate preview window, then a banner taller than the screen
  // allows, shown scrolling.
  window.findChild<QCheckBox*>("chkOpenPrev")->click();
  if (plakato::PreviewWindow* preview = window.preview_window())
    ok = Save(*preview, folder, "plakato-preview-window.png") && ok;
  window.findChild<QCheckBox*>("chkOpenPrev")->click();
  editor.SelectSize(plakato::kUserSizeItem);
  editor.SetUserWidthText("600");
  editor.SetUserHeightText("1200");
  editor.Render();
  ok = Save(window, folder, "plakato-scrolling-preview.png") && ok;
  // A 300 x 100 banner shows whole; on a short screen the window's page
  // scrolls (shown scrolled to its foot).
  editor.SetUserWidthText("300");
  editor.SetUserHeightText("100");
  editor.Render();
  if (auto* page = window.findChild<QScrollArea*>("scrWindow")) {
    page->verticalScrollBar()->setValue(page->verticalScrollBar()->maximum());
  }
  ok = Save(window, folder, "plakato-300x100.png") && ok;
  return ok ? 0 : 1;
}
