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
#include "setup/app/work_box_layout.h"
#include "setup/wizard/model/wizard_pages.h"

namespace setup::window {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A tool tip is the part of a hint before its "|".
QString ToolTipOf(const std::string& hint) { return Q(hint.substr(0, hint.find('|'))); }

using wizard::Control;

QPixmap ArtworkFor(Control image) {
  if (image == Control::kImage1) return WizardSidePicture();
  if (image == Control::kImage2) return CleanUpIcon();
  return QPixmap();
}

// The window's own controls, which the model does not drive: the left
// picture, the bevel and the step markers the engine progress moves.
bool IsWindowOwned(Control control) {
  return control == Control::kImage1 || control == Control::kBevel1 || control == Control::kImage1002 ||
         control == Control::kImage1302;
}

constexpr int kMarkerTopOffset = 1;  // the marker's top is the label's top + 1

}  // namespace

bool LabelWidthMeasure::Fits(Control label, std::string_view text) const {
  const ControlPlace* place = FindPlace(label);
  const int width = place ? place->width : INT_MAX;
  return QFontMetrics(DialogFont()).horizontalAdvance(Q(text)) <= width;
}

TWorkBox::TWorkBox(wizard::WizardModel& model, const platform::target::TargetSystem& system,
                   FolderPicker& folders, QWidget* owner)
    : QDialog(owner), model_(model), system_(system), folders_(folders) {
  setObjectName("WorkBox");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setModal(true);
  setFont(DialogFont());
  setFixedSize(kWorkBoxWidth, kWorkBoxHeight);
  Build();
}

void TWorkBox::Build() {
  // Panels first, so that each control finds its parent.
  for (const Control name : wizard::AllControls()) {
    if (KindOf(name) != ControlKind::kPanel) continue;
    auto* panel = new QWidget(this);
    panel->setObjectName(Q(ControlName(name)));
    if (name == Control::kPanel1) {
      panel->setGeometry(0, 0, kCleanUpPanelWidth, kCleanUpPanelHeight);
    } else {
      panel->setGeometry(kPanelX, 0, kPanelWidth, kPanelHeight);
    }
    panel->hide();
    controls_[wizard::ControlIndex(name)] = panel;
  }
  bevel_ = new QFrame(this);
  bevel_->setObjectName("Bevel1");
  bevel_->setFrameShape(QFrame::HLine);
  bevel_->setFrameShadow(QFrame::Sunken);
  bevel_->setGeometry(8, kBevelY, kWorkBoxWidth - 16, 2);
  controls_[wizard::ControlIndex(Control::kBevel1)] = bevel_;

  for (const Control name : wizard::AllControls()) {
    if (Widget(name)) continue;
    QWidget* parent = this;
    if (const std::optional<Control> parent_control = ParentOf(name)) parent = Widget(*parent_control);
    QWidget* widget = parent ? MakeControl(name, parent) : nullptr;
    if (!widget) continue;
    widget->setObjectName(Q(ControlName(name)));
    if (const ControlPlace* place = FindPlace(name)) {
      widget->setGeometry(place->x, place->y, place->width, place->height);
    }
    controls_[wizard::ControlIndex(name)] = widget;
    Connect(name, widget);
  }
  static_cast<QLabel*>(Widget(Control::kImage1))->setPixmap(ArtworkFor(Control::kImage1));
  for (const Control marker : {Control::kImage1002, Control::kImage1302}) {
    static_cast<QLabel*>(Widget(marker))->setPixmap(StepMarker());
    Widget(marker)->hide();
  }
  static_cast<QPushButton*>(Widget(Control::kButton2))->setDefault(true);
  // The user-information captions carry access keys that focus their fields.
  for (int field = 1; field <= 3; ++field) {
    if (auto* caption = qobject_cast<QLabel*>(Widget(wizard::UserEntryLabel(field)))) {
      caption->setTextFormat(Qt::AutoText);
      caption->setBuddy(Widget(wizard::UserEntryEdit(field)));
    }
  }
  // The installer's small trade mark beside its title.
  if (QWidget* tm = Widget(Control::kLabel1212)) tm->setFont(MakeFont({"ＭＳ Ｐゴシック", 5}));
  ChainTabOrder();
}

namespace {

// Controls that take input and so take the focus when their page opens.
bool IsInputControl(const QWidget* widget) {
  const std::optional<Control> control = wizard::ControlByName(widget->objectName().toStdString());
  if (!control) return false;
  switch (KindOf(*control)) {
    case ControlKind::kEdit:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
    case ControlKind::kListBox: return true;
    default: return false;
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
    const auto end =
        std::find_if(row, children.end(), [top](const QWidget* w) { return w->y() - top > kRowTolerance; });
    std::stable_sort(row, end, [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    row = end;
  }
  return children;
}

}  // namespace

void TWorkBox::ChainTabOrder() {
  std::vector<QWidget*> order;
  for (const Control name : wizard::AllControls()) {
    if (KindOf(name) != ControlKind::kPanel || !Widget(name)) continue;
    for (QWidget* child : TopToBottom(Widget(name))) order.push_back(child);
  }
  for (const Control button : {Control::kButton1, Control::kButton2, Control::kButton3}) {
    if (QWidget* widget = Widget(button)) order.push_back(widget);
  }
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void TWorkBox::FocusFirstInput() {
  const int page = model_.page();
  if (QWidget* panel = page >= wizard::kFirstPage && page <= wizard::kLastPage
                           ? Widget(wizard::PagePanel(page))
                           : nullptr) {
    for (QWidget* child : TopToBottom(panel)) {
      if (IsInputControl(child) && child->isVisible() && child->isEnabled()) {
        child->setFocus(Qt::TabFocusReason);
        return;
      }
    }
  }
  if (QWidget* next = Widget(Control::kButton2); next && next->isVisible() && next->isEnabled()) {
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

QWidget* TWorkBox::MakeControl(Control name, QWidget* parent) {
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
    case ControlKind::kEdit: return new QLineEdit(parent);
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
      list->setSelectionMode(name == Control::kListBox701 ? QAbstractItemView::ExtendedSelection
                                                          : QAbstractItemView::SingleSelection);
      return list;
    }
    case ControlKind::kCheckBox: return new QCheckBox(parent);
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
    case ControlKind::kUnknown: break;
  }
  return nullptr;
}

void TWorkBox::Connect(Control name, QWidget* widget) {
  switch (KindOf(name)) {
    case ControlKind::kEdit:
      connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, this,
              [this, name](const QString& text) { Call([&] { model_.SetText(name, text.toStdString()); }); });
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
      if (name == Control::kListBox601) {
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
      if (name == Control::kButton1) click = [this] { Call([&] { model_.Button1Click(); }); };
      if (name == Control::kButton2) click = [this] { Call([&] { model_.Button2Click(); }); };
      if (name == Control::kButton3) click = [this] { Call([&] { model_.Button3Click(); }); };
      if (name == Control::kButton4) click = [this] { Call([&] { model_.Button4Click(); }); };
      if (name == Control::kButton5) click = [this] { Call([&] { model_.Button5Click(); }); };
      if (name == Control::kButton6) click = [this] { Call([&] { model_.Button6Click(); }); };
      if (name == Control::kSpeedButton502) click = [this] { Browse(model_.SpeedButton502Click()); };
      if (name == Control::kSpeedButton702) click = [this] { Call([&] { model_.SpeedButton702Click(); }); };
      if (name == Control::kSpeedButton802) click = [this] { Browse(model_.SpeedButton802Click()); };
      if (name == Control::kSpeedButton803) click = [this] { Browse(model_.SpeedButton803Click()); };
      if (click) connect(button, &QPushButton::clicked, this, click);
      break;
    }
    default: break;
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
    Widget(Control::kPanel1)->move(0, 0);
    bevel_->hide();
    for (const Control name : {Control::kImage1, Control::kButton1, Control::kButton2, Control::kButton3}) {
      Widget(name)->hide();
    }
  }
  if (model_.next_beside_cancel()) {
    QWidget* next = Widget(Control::kButton2);
    next->move(Widget(Control::kButton3)->x() - next->width(), next->y());
  }
  if (model_.cleanup_layout()) {
    // "はい(&Y)" is the clean-up question's default button.
    static_cast<QPushButton*>(Widget(Control::kButton2))->setDefault(false);
    static_cast<QPushButton*>(Widget(Control::kButton4))->setDefault(true);
  }
  ApplyCloseBox();
}

QWidget* TWorkBox::Widget(Control control) const {
  return controls_[static_cast<std::size_t>(wizard::ControlIndex(control))];
}

void TWorkBox::Refresh() {
  setWindowTitle(Q(model_.caption()));
  ApplyCloseBox();
  if (model_.page() <= wizard::kLastPage) furthest_page_ = std::max(furthest_page_, model_.page());
  setEnabled(model_.window_enabled());
  for (const Control name : wizard::AllControls()) {
    if (QWidget* widget = Widget(name); widget && !IsWindowOwned(name))
      Apply(name, widget, model_.control(name));
  }
  // The installer's title carries its small "TM" right after the first line.
  if (auto* title = static_cast<QLabel*>(Widget(Control::kLabel1211))) {
    const QString first = title->text().section('\n', 0, 0);
    Widget(Control::kLabel1212)
        ->move(title->x() + QFontMetrics(title->font()).horizontalAdvance(first) + 1, title->y() - 3);
  }
}

void TWorkBox::Apply(Control name, QWidget* widget, const wizard::ControlState& state) {
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
    case ControlKind::kUnknown: break;
  }
}

void TWorkBox::Call(const std::function<void()>& call) {
  const int page_before = model_.page();
  call();
  // The next handler that runs an engine brings the window up again first.
  synced_for_engine_ = false;
  Refresh();
  if (const std::optional<Control>& focus = model_.focus_request()) {
    if (QWidget* target = Widget(*focus)) target->setFocus(Qt::OtherFocusReason);
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
    if (QWidget* cancel = Widget(Control::kButton3)) cancel->setFocus(Qt::OtherFocusReason);
  }
  if (model_.cleanup_layout()) {
    // Return answers the question at once.
    if (QWidget* yes = Widget(Control::kButton4)) yes->setFocus(Qt::OtherFocusReason);
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
  if (request.kind == wizard::BrowseRequest::Kind::kFolder) {
    TBrowseDialog dialog(system_);
    dialog.Caption = request.title;
    dialog.Directory = request.start;
    if (dialog.Execute(folders_)) Call([&] { model_.SetText(request.target, dialog.Directory); });
    return;
  }
  // The bookmark file: a dialog over the target system's drives, in
  // Windows paths, as the folder picker shows them.
  TargetFileSession session(system_,
                            {request.title, request.filter, request.default_extension, request.start});
  if (const std::optional<std::string> chosen = folders_.ChooseFile(session)) {
    Call([&] { model_.SetText(request.target, *chosen); });
  }
}

void TWorkBox::StepStarted(int step) {
  ShowProgress();
  if (!synced_for_engine_) {
    // The page of the engine was set up inside the running handler.
    Refresh();
    synced_for_engine_ = true;
  }
  const std::optional<wizard::StepRow> row = StepControls(step);
  if (!row) return;
  QWidget* label_widget = Widget(row->label);
  QWidget* marker_widget = Widget(row->marker);
  if (label_widget && marker_widget) {
    marker_widget->move(marker_widget->x(), label_widget->y() + kMarkerTopOffset);
    marker_widget->show();
  }
  engine_bold_label_ = row->label;
  Refresh();
  Pump();
}

void TWorkBox::Advanced(int step) {
  if (step != pending_step_) ShowProgress();
  pending_step_ = step;
  ++pending_items_;
  Pump();
}

void TWorkBox::ShowProgress() {
  const int items = pending_items_;
  pending_items_ = 0;
  if (items == 0) return;
  const std::optional<wizard::StepRow> row = StepControls(pending_step_);
  if (!row) return;
  // Setting a bar's value lays out its text anew: once per repaint is enough.
  if (auto* progress = static_cast<QProgressBar*>(Widget(row->bar))) {
    progress->setValue(std::min(progress->maximum(), progress->value() + items));
  }
}

void TWorkBox::StepFinished(int step) {
  ShowProgress();
  const std::optional<wizard::StepRow> row = StepControls(step);
  if (!row) return;
  if (QWidget* marker_widget = Widget(row->marker)) marker_widget->hide();
  engine_bold_label_.reset();
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
  ShowProgress();
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
