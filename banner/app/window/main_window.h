#pragma once

#include <QPointer>
#include <QSettings>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "banner/app/banner_editor.h"
#include "banner/app/window/preview_window.h"

namespace platform::ui {
class DialogService;
class QtDialogService;
}  // namespace platform::ui

class QScrollArea;

namespace plakato {

class BackgroundTab;
class DocumentTypeRegistrar;
class FileCommands;
class FootControls;
class SizeRow;
class TabControl;
class TitleTab;

// What the start-up needs from outside the window. Null parts are skipped.
struct StartupContext {
  QSettings* install_store = nullptr;  // per-user application settings
  QString application_dir;             // the folder of the program file
  DocumentTypeRegistrar* registrar = nullptr;
  std::vector<std::string> arguments;  // the whole command line, program first
};

// The banner maker's main window: binds its controls to a BannerEditor and
// repaints the preview after every render.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 452;
  static constexpr int kDesignedHeight = 507;

  // dialogs may be null: the window then uses the toolkit's dialogs.
  MainWindow(std::unique_ptr<BannerEditor> editor, platform::ui::DialogService* dialogs);
  ~MainWindow() override;

  // The start-up steps, in order: designed height, install information,
  // version label, document type, command line.
  void FormLoad(const StartupContext& context);

  BannerEditor& editor() { return *editor_; }
  int designed_height() const { return designed_height_; }
  PreviewWindow* preview_window() const { return preview_window_; }

 private:
  void OnRendered(const RenderReport& report);
  void SyncControls();
  void ChooseBackgroundImage();
  void SetPreviewWindowOpen(bool open);
  void AddShortcuts();
  void UpdateCaption();
  // The tallest inside the screen leaves for the window.
  int ScreenClientHeight() const;
  // The page at that height; the window as tall as the screen allows.
  void FitToScreen(int content_height);
  void closeEvent(QCloseEvent* event) override;

  std::unique_ptr<BannerEditor> editor_;
  std::unique_ptr<platform::ui::QtDialogService> own_dialogs_;
  platform::ui::DialogService* dialogs_;
  std::unique_ptr<FileCommands> files_;
  QScrollArea* window_scroll_ = nullptr;
  QWidget* content_ = nullptr;  // the page every control stands on
  SizeRow* size_row_ = nullptr;
  TabControl* tabs_ = nullptr;
  BackgroundTab* background_tab_ = nullptr;
  TitleTab* title_tab_ = nullptr;
  FootControls* foot_ = nullptr;
  QPointer<PreviewWindow> preview_window_;
  int designed_height_ = kDesignedHeight;
  bool font_error_shown_ = false;  // a missing font is told once
};

}  // namespace plakato
