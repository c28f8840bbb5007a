#include "setup/app/window/work_box.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <climits>
#include <vector>

#include "setup/app/window/artwork.h"
#include "setup/app/window/target_file_session.h"
#include "setup/app/window/windows_fonts.h"
#include "setup/app/window/work_box_layout.h"
#include "setup/wizard/model/wizard_pages.h"

namespace setup::window {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A tool tip is the part of a hint before its "|".
QString ToolTipOf(const std::string& hint) { return Q(hint.substr(0, hint.find('|'))); }

QPixmap ArtworkFor(std::string_view image) {
  if (image == "Image1") return WizardSidePicture();
  if (image == "Image2") return CleanUpIcon();
  return QPixmap();
}

constexpr int kMarkerTopOffset = 1;  // the marker's top is the label's top + 1

}  // namespace

bool LabelWidthMeasure::Fits(std::string_view label, std::string_view text) const {
  const ControlPlace* place = FindPlace(label);
  const int width = place ? place->width : INT_MAX;
  return QFontMetrics(DialogFont()).horizontalAdvance(Q(text)) <= width;
}

TWorkBox::TWorkBox(wizard::WizardModel& model, const platform::target::TargetSystem& system,
                   platform::ui::DialogService& dialogs, FolderPicker& folders, QWidget* owner)
    : QDialog(owner), model_(model), system_(system), dialogs_(dialogs), folders_(folders) {
  setObjectName("WorkBox");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setModal(true);
  setFont(DialogFont());
  setFixedSize(kWorkBoxWidth, kWorkBoxHeight);
  Build();
}

void TWorkBox::Build() {
  // Panels first, so that each control finds its parent.
  for (const auto& [name, state] : model_.controls().all()) {
    if (KindOf(name) != ControlKind::kPanel) continue;
    auto* panel = new QWidget(this);
    panel->setObjectName(Q(name));
    if (name == "Panel1") {
      panel->setGeometry(0, 0, kCleanUpPanelWidth, kCleanUpPanelHeight);
    } else {
      panel->setGeometry(kPanelX, 0, kPanelWidth, kPanelHeight);
    }
    panel->hide();
    controls_[name] = panel;
  }
  bevel_ = new QFrame(this);
  bevel_->setObjectName("Bevel1");
  bevel_->setFrameShape(QFrame::HLine);
  bevel_->setFrameShadow(QFrame::Sunken);
  bevel_->setGeometry(8, kBevelY, kWorkBoxWidth - 16, 2);

  auto make = [this](const std::string& name) {
    if (controls_.count(name)) return;
    const std::string parent_name = ParentOf(name);
    QWidget* parent = this;
    if (!parent_name.empty()) {
      const auto it = controls_.find(parent_name);
      if (it == controls_.end()) return;
      parent = it->second;
    }
    QWidget* widget = MakeControl(name, parent);
    if (!widget) return;
    widget->setObjectName(Q(name));
    if (const ControlPlace* place = FindPlace(name)) {
      widget->setGeometry(place->x, place->y, place->width, place->height);
    }
    controls_[name] = widget;
    Connect(name, widget);
  };
  for (const auto& [name, state] : model_.controls().all()) make(name);
  // The window's own pictures: the left column and the step markers.
  for (const char* name : {"Image1", "Image1002", "Image1302"}) make(name);
  static_cast<QLabel*>(controls_["Image1"])->setPixmap(ArtworkFor("Image1"));
  for (const char* marker : {"Image1002", "Image1302"}) {
    static_cast<QLabel*>(controls_[marker])->setPixmap(StepMarker());
    controls_[marker]->hide();
  }
  static_cast<QPushButton*>(controls_["Button2"])->setDefault(true);
  // The user-information captions carry access keys that focus their fields.
  for (const auto& [label, edit] : {std::pair{"Label402", "Edit401"}, {"Label403", "Edit402"}, {"Label404", "Edit403"}}) {
    if (auto* caption = qobject_cast<QLabel*>(Control(label))) {
      caption->setTextFormat(Qt::AutoText);
      caption->setBuddy(Control(edit));
    }
  }
  // The installer's small trade mark beside its title.
  if (QWidget* tm = Control("Label1212")) tm->setFont(MakeFont({"ＭＳ Ｐゴシック", 5}));
  ChainTabOrder();
}

namespace {

// Controls that take input and so take the focus when their page opens.
bool IsInputControl(std::string_view name) {
  switch (KindOf(name)) {
    case ControlKind::kEdit:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
    case ControlKind::kListBox:
      return true;
    default:
      return false;
  }
}

// Controls whose tops lie this close stand in one row (an edit box and its
// browse button differ by a pixel or two).
constexpr int kRowTolerance = 4;

// A panel's controls as the eye reads them: row by row from the top, each
// row from the left.
std::vector<QWidget*> TopToBottom(const QWidget* panel) {
  std::vector<QWidget*> children;
  for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->focusPolicy() & Qt::TabFocus) children.push_back(child);
  }
  std::stable_sort(children.begin(), children.end(),
                   [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
  for (auto row = children.begin(); row != children.end();) {
    const int top = (*row)->y();
    const auto end = std::find_if(row, children.end(),
                                  [top](const QWidget* w) { return w->y() - top > kRowTolerance; });
    std::stable_sort(row, end, [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    row = end;
  }
  return children;
}

}  // namespace

void TWorkBox::ChainTabOrder() {
  std::vector<QWidget*> order;
  for (const auto& [name, widget] : controls_) {
    if (KindOf(name) != ControlKind::kPanel) continue;
    for (QWidget* child : TopToBottom(widget)) order.push_back(child);
  }
  for (const char* button : {"Button1", "Button2", "Button3"}) {
    if (QWidget* widget = Control(button)) order.push_back(widget);
  }
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void TWorkBox::FocusFirstInput() {
  const auto panel = controls_.find(wizard::PanelName(model_.page()));
  if (panel != controls_.end()) {
    for (QWidget* child : TopToBottom(panel->second)) {
      if (IsInputControl(child->objectName().toStdString()) && child->isVisible() && child->isEnabled()) {
        child->setFocus(Qt::TabFocusReason);
        return;
      }
    }
  }
  if (QWidget* next = Control("Button2"); next && next->isVisible() && next->isEnabled()) {
    next->setFocus(Qt::OtherFocusReason);
  }
}

void TWorkBox::ApplyCloseBox() {
  const bool wanted = model_.close_command_enabled();
  if (wanted == close_box_shown_) return;
  close_box_shown_ = wanted;
  if (QWindow* window = windowHandle()) {
    Qt::WindowFlags flags = window->flags();
    flags.setFlag(Qt::WindowCloseButtonHint, wanted);
    window->setFlags(flags);
  } else {
    setWindowFlag(Qt::WindowCloseButtonHint, wanted);
  }
}

QWidget* TWorkBox::MakeControl(const std::string& name, QWidget* parent) {
  switch (KindOf(name)) {
    case ControlKind::kLabel: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case ControlKind::kImage: {
      auto* image = new QLabel(parent);
      image->setAlignment(Qt::AlignCenter);
      return image;
    }
    case ControlKind::kEdit:
      return new QLineEdit(parent);
    case ControlKind::kMemo: {
      auto* memo = new QPlainTextEdit(parent);
      memo->setReadOnly(true);
      memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
      return memo;
    }
    case ControlKind::kListBox: {
      auto* list = new QListWidget(parent);
      // ListBox701 takes several items with Ctrl; ListBox601 one.
      list->setSelectionMode(name == "ListBox701" ? QAbstractItemView::ExtendedSelection
                                                  : QAbstractItemView::SingleSelection);
      return list;
    }
    case ControlKind::kCheckBox:
      return new QCheckBox(parent);
    case ControlKind::kRadioButton: {
      auto* radio = new QRadioButton(parent);
      radio->setAutoExclusive(false);  // the model unchecks the partner
      return radio;
    }
    case ControlKind::kSpeedButton:
    case ControlKind::kButton: {
      auto* button = new QPushButton(parent);
      button->setAutoDefault(KindOf(name) == ControlKind::kButton);
      return button;
    }
    case ControlKind::kProgressBar: {
      auto* bar = new QProgressBar(parent);
      bar->setTextVisible(false);
      bar->setRange(0, 1);
      bar->setValue(0);
      return bar;
    }
    case ControlKind::kPanel:
    case ControlKind::kUnknown:
      break;
  }
  return nullptr;
}

void TWorkBox::Connect(const std::string& name, QWidget* widget) {
  switch (KindOf(name)) {
    case ControlKind::kEdit:
      connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, this, [this, name](const QString& text) {
        Call([&] { model_.SetText(name, text.toStdString()); });
      });
      break;
    case ControlKind::kCheckBox:
      connect(static_cast<QCheckBox*>(widget), &QCheckBox::clicked, this,
              [this, name](bool on) { Call([&] { model_.SetChecked(name, on); }); });
      break;
    case ControlKind::kRadioButton:
      connect(static_cast<QRadioButton*>(widget), &QRadioButton::clicked, this,
              [this, name] { Call([&] { model_.SetChecked(name, true); }); });
      break;
    case ControlKind::kListBox: {
      auto* list = static_cast<QListWidget*>(widget);
      connect(list, &QListWidget::itemSelectionChanged, this, [this, name, list] {
        Call([&] {
          const std::vector<bool>& known = model_.control(name).selected;
          for (int row = 0; row < list->count(); ++row) {
            const bool on = list->item(row)->isSelected();
            if (static_cast<std::size_t>(row) >= known.size() || known[static_cast<std::size_t>(row)] != on) {
              model_.SetSelected(name, row, on);
            }
          }
        });
      });
      if (name == "ListBox601") {
        connect(list, &QListWidget::itemDoubleClicked, this, [this, list](QListWidgetItem* item) {
          Call([&] { model_.ListBox601DblClick(list->row(item)); });
        });
      }
      break;
    }
    case ControlKind::kButton:
    case ControlKind::kSpeedButton: {
      auto* button = static_cast<QPushButton*>(widget);
      std::function<void()> click;
      if (name == "Button1") click = [this] { Call([&] { model_.Button1Click(); }); };
      if (name == "Button2") click = [this] { Call([&] { model_.Button2Click(); }); };
      if (name == "Button3") click = [this] { Call([&] { model_.Button3Click(); }); };
      if (name == "Button4") click = [this] { Call([&] { model_.Button4Click(); }); };
      if (name == "Button5") click = [this] { Call([&] { model_.Button5Click(); }); };
      if (name == "Button6") click = [this] { Call([&] { model_.Button6Click(); }); };
      if (name == "SpeedButton502") click = [this] { Browse(model_.SpeedButton502Click()); };
      if (name == "SpeedButton702") click = [this] { Call([&] { model_.SpeedButton702Click(); }); };
      if (name == "SpeedButton802") click = [this] { Browse(model_.SpeedButton802Click()); };
      if (name == "SpeedButton803") click = [this] { Browse(model_.SpeedButton803Click()); };
      if (click) connect(button, &QPushButton::clicked, this, click);
      break;
    }
    default:
      break;
  }
}

void TWorkBox::Start() {
  if (started_) return;
  started_ = true;
  model_.FormShow();
  ApplyLayout();
  Refresh();
}

void TWorkBox::ApplyLayout() {
  if (model_.cleanup_layout()) {
    // The window takes the size of Panel1 alone.
    setFixedSize(kCleanUpPanelWidth, kCleanUpPanelHeight);
    controls_["Panel1"]->move(0, 0);
    bevel_->hide();
    for (const char* name : {"Image1", "Button1", "Button2", "Button3"}) controls_[name]->hide();
  }
  if (model_.next_beside_cancel()) {
    QWidget* next = controls_["Button2"];
    next->move(controls_["Button3"]->x() - next->width(), next->y());
  }
  if (model_.cleanup_layout()) {
    // "はい(&Y)" is the clean-up question's default button.
    static_cast<QPushButton*>(controls_["Button2"])->setDefault(false);
    static_cast<QPushButton*>(controls_["Button4"])->setDefault(true);
  }
  ApplyCloseBox();
}

QWidget* TWorkBox::Control(std::string_view name) const {
  const auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second;
}

void TWorkBox::Refresh() {
  setWindowTitle(Q(model_.caption()));
  ApplyCloseBox();
  if (model_.page() <= wizard::kLastPage) furthest_page_ = std::max(furthest_page_, model_.page());
  setEnabled(model_.window_enabled());
  for (const auto& [name, state] : model_.controls().all()) {
    const auto it = controls_.find(name);
    if (it != controls_.end()) Apply(name, it->second, state);
  }
  // The installer's title carries its small "TM" right after the first line.
  if (auto* title = static_cast<QLabel*>(Control("Label1211"))) {
    const QString first = title->text().section('\n', 0, 0);
    Control("Label1212")->move(title->x() + QFontMetrics(title->font()).horizontalAdvance(first) + 1,
                               title->y() - 3);
  }
}

void TWorkBox::Apply(const std::string& name, QWidget* widget, const wizard::ControlState& state) {
  const QSignalBlocker blocker(widget);
  if (widget->isEnabled() != state.enabled) widget->setEnabled(state.enabled);
  if (widget->isHidden() == state.visible) widget->setVisible(state.visible);
  if (!state.hint.empty() || !widget->toolTip().isEmpty()) widget->setToolTip(ToolTipOf(state.hint));
  QFont font = widget->font();
  const bool bold = state.bold || name == engine_bold_label_;
  if (font.bold() != bold) {
    font.setBold(bold);
    widget->setFont(font);
  }
  const QString text = Q(state.text);
  switch (KindOf(name)) {
    case ControlKind::kLabel:
      if (static_cast<QLabel*>(widget)->text() != text) static_cast<QLabel*>(widget)->setText(text);
      break;
    case ControlKind::kEdit:
      if (static_cast<QLineEdit*>(widget)->text() != text) {
        // A text set by the wizard shows from its start, as an edit box does.
        static_cast<QLineEdit*>(widget)->setText(text);
        static_cast<QLineEdit*>(widget)->setCursorPosition(0);
      }
      break;
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton: {
      auto* box = static_cast<QAbstractButton*>(widget);
      if (box->text() != text) box->setText(text);
      if (box->isChecked() != state.checked) box->setChecked(state.checked);
      break;
    }
    case ControlKind::kButton:
    case ControlKind::kSpeedButton:
      if (static_cast<QPushButton*>(widget)->text() != text) static_cast<QPushButton*>(widget)->setText(text);
      break;
    case ControlKind::kMemo: {
      QStringList lines;
      for (const std::string& line : state.items) lines << Q(line);
      auto* memo = static_cast<QPlainTextEdit*>(widget);
      const QString all = lines.join('\n');
      if (memo->toPlainText() != all) memo->setPlainText(all);
      break;
    }
    case ControlKind::kListBox: {
      auto* list = static_cast<QListWidget*>(widget);
      bool same = list->count() == static_cast<int>(state.items.size());
      for (int row = 0; same && row < list->count(); ++row) {
        same = list->item(row)->text() == Q(state.items[static_cast<std::size_t>(row)]);
      }
      if (!same) {
        list->clear();
        for (const std::string& item : state.items) list->addItem(Q(item));
      }
      for (int row = 0; row < list->count(); ++row) {
        const bool on = static_cast<std::size_t>(row) < state.selected.size() &&
                        state.selected[static_cast<std::size_t>(row)];
        if (list->item(row)->isSelected() != on) list->item(row)->setSelected(on);
      }
      break;
    }
    case ControlKind::kProgressBar: {
      auto* bar = static_cast<QProgressBar*>(widget);
      // A bar without steps stays empty instead of turning into a busy bar.
      const int maximum = std::max(1, state.maximum);
      if (bar->property("model_maximum").toInt() != state.maximum || bar->maximum() != maximum) {
        bar->setProperty("model_maximum", state.maximum);
        bar->setRange(0, maximum);
        bar->setValue(0);
      }
      break;
    }
    case ControlKind::kImage: {
      // The model names a host picture; without one the window's artwork
      // shows. A picture that cannot be read is ignored.
      const auto known = shown_pictures_.find(name);
      if (known != shown_pictures_.end() && known->second == state.text) break;
      shown_pictures_[name] = state.text;
      QPixmap picture = state.text.empty() ? ArtworkFor(name) : QPixmap(text);
      if (!picture.isNull()) static_cast<QLabel*>(widget)->setPixmap(picture);
      break;
    }
    case ControlKind::kPanel:
    case ControlKind::kUnknown:
      break;
  }
}

void TWorkBox::Call(const std::function<void()>& call) {
  const int page_before = model_.page();
  call();
  // The next handler that runs an engine brings the window up again first.
  synced_for_engine_ = false;
  Refresh();
  const std::string& focus = model_.focus_request();
  if (!focus.empty()) {
    if (QWidget* target = Control(focus)) target->setFocus(Qt::OtherFocusReason);
  } else if (model_.page() != page_before) {
    // Never on Back, where a second Return would go back again.
    FocusFirstInput();
  }
  if (model_.close_requested()) CloseByModel();
}

void TWorkBox::CloseByModel() {
  closing_by_model_ = true;
  close();
  closing_by_model_ = false;
}

void TWorkBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_once_) return;
  shown_once_ = true;
  if (model_.mode() == wizard::WizardMode::kUninstall) {
    if (QWidget* cancel = Control("Button3")) cancel->setFocus(Qt::OtherFocusReason);
  }
  if (model_.cleanup_layout()) {
    // Return answers the question at once.
    if (QWidget* yes = Control("Button4")) yes->setFocus(Qt::OtherFocusReason);
  }
  if (model_.timer_armed()) {
    QTimer::singleShot(1, this, [this] { Call([&] { model_.Timer1Timer(); }); });
  }
}

void TWorkBox::closeEvent(QCloseEvent* event) {
  // Without the Close command only the wizard itself closes the window.
  if (!closing_by_model_ && !model_.close_command_enabled()) {
    event->ignore();
    return;
  }
  const bool may_close = model_.FormCloseQuery();
  Refresh();
  if (may_close) {
    event->accept();
    QDialog::done(QDialog::Accepted);
  } else {
    event->ignore();
  }
}

void TWorkBox::keyPressEvent(QKeyEvent* event) {
  char32_t key = 0;
  if (event->key() == Qt::Key_Escape) {
    key = 27;
  } else if (!event->text().isEmpty()) {
    key = event->text().toUcs4().value(0);
  }
  bool consumed = false;
  if (key != 0) Call([&] { consumed = model_.FormKeyPress(key); });
  if (consumed || key == 27) {
    // Escape never closes the dialog on its own: the model decides.
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TWorkBox::reject() {
  // Every way of closing goes through the close question.
  close();
}

void TWorkBox::Browse(const wizard::BrowseRequest& request) {
  if (request.target.empty()) return;
  if (request.kind == wizard::BrowseRequest::Kind::kFolder) {
    TBrowseDialog dialog(system_);
    dialog.Caption = request.title;
    dialog.Directory = request.start;
    if (dialog.Execute(folders_)) Call([&] { model_.SetText(request.target, dialog.Directory); });
    return;
  }
  // The bookmark file: a dialog over the target system's drives, in
  // Windows paths, as the folder picker shows them.
  TargetFileSession session(system_, {request.title, request.filter, request.default_extension, request.start});
  if (const std::optional<std::string> chosen = folders_.ChooseFile(session)) {
    Call([&] { model_.SetText(request.target, *chosen); });
  }
}

bool TWorkBox::StepControls(int step, std::string* label, std::string* bar, std::string* marker) const {
  if (step < 0 || step > 4) return false;
  if (model_.page() == wizard::kInstallPage) {
    *label = "Label" + std::to_string(1003 + step);
    *bar = "ProgressBar" + std::to_string(1001 + step);
    *marker = "Image1002";
    return true;
  }
  if (model_.page() == wizard::kUninstallPage) {
    *label = "Label" + std::to_string(1304 + step);
    *bar = "ProgressBar" + std::to_string(1301 + step);
    *marker = "Image1302";
    return true;
  }
  return false;
}

void TWorkBox::StepStarted(int step) {
  if (!synced_for_engine_) {
    // The page of the engine was set up inside the running handler.
    Refresh();
    synced_for_engine_ = true;
  }
  std::string label, bar, marker;
  if (!StepControls(step, &label, &bar, &marker)) return;
  QWidget* label_widget = Control(label);
  QWidget* marker_widget = Control(marker);
  if (label_widget && marker_widget) {
    marker_widget->move(marker_widget->x(), label_widget->y() + kMarkerTopOffset);
    marker_widget->show();
  }
  engine_bold_label_ = label;
  Refresh();
  Pump();
}

void TWorkBox::Advanced(int step) {
  std::string label, bar, marker;
  if (!StepControls(step, &label, &bar, &marker)) return;
  if (auto* progress = static_cast<QProgressBar*>(Control(bar))) {
    progress->setValue(std::min(progress->maximum(), progress->value() + 1));
  }
  Pump();
}

void TWorkBox::StepFinished(int step) {
  std::string label, bar, marker;
  if (!StepControls(step, &label, &bar, &marker)) return;
  if (QWidget* marker_widget = Control(marker)) marker_widget->hide();
  engine_bold_label_.clear();
  Refresh();
}

void TWorkBox::Pump() {
  if (!synced_for_engine_) {
    Refresh();
    synced_for_engine_ = true;
  }
  // Thousands of small files go by in a second; the window is repainted and
  // answers keys at a frame's pace, not once per file.
  if (!pump_throttle_.Due(PumpThrottle::Clock::now())) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WorkBoxProgress::StepStarted(int step) {
  if (box_) box_->StepStarted(step);
}
void WorkBoxProgress::Advanced(int step) {
  if (box_) box_->Advanced(step);
}
void WorkBoxProgress::StepFinished(int step) {
  if (box_) box_->StepFinished(step);
}
void WorkBoxProgress::Pump() {
  if (box_) box_->Pump();
}
void WorkBoxProgress::BringToFront() {
  if (!box_) return;
  box_->raise();
  box_->activateWindow();
}

}  // namespace setup::window
