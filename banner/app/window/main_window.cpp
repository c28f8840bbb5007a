#include "banner/app/window/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "banner/app/window/background_tab.h"
#include "banner/app/window/desktop_registration.h"
#include "banner/app/window/file_commands.h"
#include "banner/app/window/foot_controls.h"
#include "banner/app/window/image_chooser.h"
#include "banner/app/window/install_info.h"
#include "banner/app/window/preview_box.h"
#include "banner/app/window/preview_layout.h"
#include "banner/app/window/preview_window.h"
#include "banner/app/window/size_row.h"
#include "banner/app/window/startup_rules.h"
#include "banner/app/window/tab_control.h"
#include "banner/app/window/title_tab.h"
#include "banner/app/window/window_texts.h"
#include "platform/ui/qt_dialog_service.h"

namespace plakato {

using platform::ui::DialogService;
using platform::ui::QtDialogService;

MainWindow::MainWindow(std::unique_ptr<BannerEditor> editor, DialogService* dialogs)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      editor_(std::move(editor)) {
  setObjectName("frmMain");
  setWindowTitle(kApplicationTitle);
  if (!dialogs) {
    own_dialogs_ = std::make_unique<QtDialogService>(this, platform::ui::MessageBoxTexts{kApplicationTitle});
    dialogs = own_dialogs_.get();
  }
  dialogs_ = dialogs;
  files_ = std::make_unique<FileCommands>(*editor_, *dialogs_);
  // The controls stand on a page that scrolls as a whole when the screen
  // is shorter than the window (large fonts, a scaled display).
  window_scroll_ = new QScrollArea(this);
  window_scroll_->setObjectName("scrWindow");
  window_scroll_->setFrameShape(QFrame::NoFrame);
  content_ = new QWidget;
  content_->setObjectName("pnlContent");
  window_scroll_->setWidget(content_);
  FitToScreen(kDesignedHeight);

  size_row_ = new SizeRow(content_, *editor_);
  tabs_ = new TabControl(content_);
  tabs_->setObjectName("sstabMain");
  tabs_->setGeometry(11, 39, 432, 320);
  background_tab_ = new BackgroundTab(*editor_, *dialogs_, [this] { ChooseBackgroundImage(); });
  title_tab_ = new TitleTab(*editor_, *dialogs_);
  tabs_->AddPage(background_tab_, "背景(&B)");
  tabs_->AddPage(title_tab_, "タイトル(&T)");
  tabs_->setCurrentIndex(0);
  foot_ = new FootControls(content_, {[this] {
                                        files_->LoadWithQuestion();
                                        UpdateCaption();
                                      },
                                      [this] {
                                        files_->SaveSettings();
                                        UpdateCaption();
                                      },
                                      [this] {
                                        files_->ExportImage();
                                        UpdateCaption();
                                      },
                                      [this](bool on) { SetPreviewWindowOpen(on); }});

  // Shown after the key press is done with, so the box has its focus back.
  connect(size_row_, &SizeRow::shortcutRefused, this, [this] {
    QTimer::singleShot(0, this, [this] { dialogs_->ShowWarning(kUserSizeBlocksShortcut); });
  });
  editor_->SetRenderObserver([this](const RenderReport& report) { OnRendered(report); });
  AddShortcuts();
}

void MainWindow::AddShortcuts() {
  const std::pair<const char*, std::function<void()>> shortcuts[] = {
      {"Ctrl+Z",
       [this] {
         editor_->Undo();
         title_tab_->ForgetTypingHistory();
       }},
      {"Ctrl+Y",
       [this] {
         editor_->Redo();
         title_tab_->ForgetTypingHistory();
       }},
      {"Ctrl+O", [this] { files_->LoadWithQuestion(); }},
      {"Ctrl+S", [this] { files_->SaveSettings(); }},
      {"Ctrl+E", [this] { files_->ExportImage(); }},
  };
  for (const auto& [keys, what] : shortcuts) {
    auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(keys)), this);
    connect(shortcut, &QShortcut::activated, this, [this, action = what] {
      action();
      UpdateCaption();
    });
  }
}

int MainWindow::ScreenClientHeight() const {
  const QScreen* shown_on = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!shown_on) return QWIDGETSIZE_MAX;
  // The title bar and the frame take some of the screen as well.
  constexpr int kWindowFrame = 40;
  return std::max(kPreviewTop, shown_on->availableGeometry().height() - kWindowFrame);
}

void MainWindow::FitToScreen(int page_height) {
  content_->setFixedSize(kClientWidth, page_height);
  const WindowFit fit = FitWindowToScreen(page_height, ScreenClientHeight());
  const int scroll_bar = fit.scrolls ? window_scroll_->verticalScrollBar()->sizeHint().width() : 0;
  window_scroll_->setVerticalScrollBarPolicy(fit.scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  window_scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFixedSize(kClientWidth + scroll_bar, fit.height);
  window_scroll_->setGeometry(0, 0, kClientWidth + scroll_bar, fit.height);
}

void MainWindow::UpdateCaption() {
  setWindowTitle(QString::fromStdString(WindowCaption(editor_->document_path(), editor_->modified())));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (files_->ConfirmClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

MainWindow::~MainWindow() {
  editor_->SetRenderObserver(nullptr);
  // The controls reach the editor from their handlers (a focus change while
  // they are taken down runs the size check), so they go before it does.
  QList<QPointer<QObject>> owned;
  for (QObject* child : children()) owned.append(child);
  for (const QPointer<QObject>& child : owned) delete child.data();
}

void MainWindow::FormLoad(const StartupContext& context) {
  designed_height_ = content_->height();
  if (context.install_store && !RecordInstallInfo(*context.install_store, context.application_dir)) {
    dialogs_->ShowWarning(kWriteFailedMessage);
  }
  foot_->version_label()->setText(QString::fromStdString(FormatVersionLabel(kProgramVersion)));
  if (context.registrar) {
    const RegistrationResult result = context.registrar->RegisterIfNew();
    if (!result.message.empty()) dialogs_->ShowWarning(result.message);
  }
  if (auto path = SettingsPathFromArguments(context.arguments)) files_->LoadSettingsFrom(*path);
  UpdateCaption();
}

void MainWindow::OnRendered(const RenderReport& report) {
  foot_->preview()->ShowBanner(editor_->renderer().preview(), report.preview_width, report.preview_height);
  const PreviewLayout layout =
      LayOutPreview(report.preview_width, report.preview_height, designed_height_, kClientWidth,
                    PageRoomHeight(designed_height_, ScreenClientHeight()));
  foot_->preview_area()->setFixedSize(layout.visible_width, layout.visible_height);
  FitToScreen(designed_height_ + layout.window_extra_height);
  if (editor_->controls().open_preview && preview_window_) {
    preview_window_->ShowBanner(editor_->renderer().preview());
  }
  SyncControls();
  if (!report.buttonize_error.empty()) dialogs_->ShowWarning(report.buttonize_error);
  if (!report.font_error.empty() && !font_error_shown_) {
    font_error_shown_ = true;
    dialogs_->ShowWarning(std::string(kTitleFontMissing) + "\n" + report.font_error);
  }
  UpdateCaption();
}

void MainWindow::SyncControls() {
  size_row_->Sync();
  background_tab_->Sync();
  title_tab_->Sync();
  foot_->SetOpenPreviewChecked(editor_->controls().open_preview);
}

void MainWindow::ChooseBackgroundImage() {
  const auto [banner_width, banner_height] = editor_->BannerSizeFromControls();
  // Injected dialogs answer the chooser too; otherwise it has its own.
  DialogService* chooser_dialogs = own_dialogs_ ? nullptr : dialogs_;
  ImageChooser chooser(this, editor_->background_file(), banner_width, banner_height, chooser_dialogs);
  if (chooser.exec() == QDialog::Accepted) {
    editor_->SetBackgroundPicture(chooser.file_name(), chooser.clip_x(), chooser.clip_y(), chooser.cut_out());
  }
  editor_->Render();
}

void MainWindow::SetPreviewWindowOpen(bool open) {
  if (open) {
    if (!preview_window_) {
      preview_window_ = new PreviewWindow(this);
      connect(preview_window_, &PreviewWindow::closedByUser, this, [this] {
        // The box stays ticked; the window shows again only after the box
        // has been cleared and ticked again.
        if (preview_window_) preview_window_->deleteLater();
        preview_window_ = nullptr;
      });
    }
    // Sized to the banner first, then centred at that size.
    editor_->SetOpenPreview(true);
    if (editor_->renderer().hasRendered()) preview_window_->ShowBanner(editor_->renderer().preview());
    preview_window_->ShowCentred();
  } else {
    delete preview_window_;
    editor_->SetOpenPreview(false);
  }
}

}  // namespace plakato
