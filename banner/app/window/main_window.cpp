#include "banner/app/window/main_window.h"

#include <QLabel>

#include "banner/app/window/background_tab.h"
#include "banner/app/window/desktop_registration.h"
#include "banner/app/window/file_commands.h"
#include "banner/app/window/foot_controls.h"
#include "banner/app/window/image_chooser.h"
#include "banner/app/window/install_info.h"
#include "banner/app/window/preview_box.h"
#include "banner/app/window/preview_window.h"
#include "platform/ui/qt_dialog_service.h"
#include "banner/app/window/size_row.h"
#include "banner/app/window/startup_rules.h"
#include "banner/app/window/tab_control.h"
#include "banner/app/window/title_tab.h"
#include "banner/app/window/window_texts.h"

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
  setFixedSize(kClientWidth, kDesignedHeight);

  size_row_ = new SizeRow(this, *editor_);
  tabs_ = new TabControl(this);
  tabs_->setObjectName("sstabMain");
  tabs_->setGeometry(11, 39, 432, 320);
  background_tab_ = new BackgroundTab(*editor_, *dialogs_, [this] { ChooseBackgroundImage(); });
  title_tab_ = new TitleTab(*editor_, *dialogs_);
  tabs_->AddPage(background_tab_, "背景(&B)");
  tabs_->AddPage(title_tab_, "タイトル(&T)");
  tabs_->setCurrentIndex(0);
  foot_ = new FootControls(this, {[this] { files_->LoadWithQuestion(); }, [this] { files_->SaveSettings(); },
                                  [this] { files_->ExportImage(); }, [this](bool on) { SetPreviewWindowOpen(on); }});

  editor_->SetRenderObserver([this](const RenderReport& report) { OnRendered(report); });
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
  designed_height_ = height();
  if (context.install_store && !RecordInstallInfo(*context.install_store, context.application_dir)) {
    dialogs_->ShowWarning(kWriteFailedMessage);
  }
  foot_->version_label()->setText(QString::fromStdString(FormatVersionLabel(kProgramVersion)));
  if (context.registrar) {
    const RegistrationResult result = context.registrar->RegisterIfNew();
    if (!result.message.empty()) dialogs_->ShowWarning(result.message);
  }
  if (auto path = SettingsPathFromArguments(context.arguments)) files_->LoadSettingsFrom(*path);
}

void MainWindow::OnRendered(const RenderReport& report) {
  foot_->preview()->ShowBanner(editor_->renderer().preview(), report.preview_width, report.preview_height);
  setFixedSize(kClientWidth, designed_height_ + report.window_extra_height);
  if (editor_->controls().open_preview && preview_window_) {
    preview_window_->ShowBanner(editor_->renderer().preview());
  }
  SyncControls();
  if (!report.buttonize_error.empty()) dialogs_->ShowWarning(report.buttonize_error);
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
    preview_window_->ShowCentred();
    editor_->SetOpenPreview(true);
  } else {
    delete preview_window_;
    editor_->SetOpenPreview(false);
  }
}

}  // namespace plakato
