#include "banner/app/window/title_tab.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "banner/app/banner_editor.h"
#include "banner/app/window/color_swatch.h"
#include "banner/app/window/option_sync.h"
#include "platform/ui/dialog_service.h"
#include "platform/ui/up_down_control.h"
#include "platform/ui/whole_area_buttons.h"
#include "platform/ui/widget_placement.h"

namespace plakato {

using platform::ui::CheckBoxButton;
using platform::ui::DialogService;
using platform::ui::FontRequest;
using platform::ui::kListHeight;
using platform::ui::MakeLabel;
using platform::ui::OptionButton;
using platform::ui::Place;
using platform::ui::SetLabelRed;
using platform::ui::UpDownControl;

namespace {

template <std::size_t N>
QComboBox* MakeList(QWidget* parent, const std::array<std::string_view, N>& texts) {
  auto* list = new QComboBox(parent);
  for (std::string_view text : texts) list->addItem(QString::fromUtf8(text.data(), text.size()));
  list->setCurrentIndex(-1);
  list->setEnabled(false);
  return list;
}

std::string Indexed(const char* name, int index) { return std::string(name) + "_" + std::to_string(index); }

}  // namespace

TitleTab::TitleTab(BannerEditor& editor, DialogService& dialogs) : editor_(editor), dialogs_(dialogs) {
  setObjectName("tabTitle");
  title_ = Place(new QLineEdit(this), "txtTitle", 104, 41, 181, 22);
  font_label_ = Place(new QLabel(this), "labFont", 104, 70, 181, 22);
  font_label_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  select_font_ = Place(new QPushButton("選択(&N)...", this), "cmdSelFont", 296, 69, 84, 25);
  location_list_ = Place(MakeList(this, kTitleLocationTexts), "cboStrLocate", 104, 101, 75, kListHeight);
  WidenPopupToItems(location_list_);
  MakeLabel(this, "Label7", "文字(&R)：", 19, 46, title_);
  MakeLabel(this, "Label8", "フォント(&F)：", 19, 75, select_font_);
  MakeLabel(this, "Label18", "配置(&Y)：", 19, 105, location_list_);
  BuildColourFrame();

  connect(title_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (box_history_) {
      editor_.SetTitleTextFromBoxHistory(text.toStdString());
    } else {
      editor_.SetTitleText(text.toStdString());
    }
  });
  title_->installEventFilter(this);
  connect(select_font_, &QPushButton::clicked, this, &TitleTab::PickFont);
  connect(location_list_, &QComboBox::currentIndexChanged, this,
          [this](int index) { editor_.SelectLocation(index); });
  connect(options_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) editor_.SelectTitlePattern(id);
  });
  connect(direction_list_, &QComboBox::currentIndexChanged, this,
          [this](int index) { editor_.SelectTitleDirection(index); });
  connect(shadow_, &QCheckBox::toggled, this, [this](bool on) { editor_.SetShadow(on); });
  connect(shadow_direction_list_, &QComboBox::currentIndexChanged, this,
          [this](int index) { editor_.SelectShadowDirection(index); });
  connect(offset_, &UpDownControl::valueChanged, this, [this](int value) { editor_.SetOffset(value); });
  for (int i = 0; i < 4; ++i) {
    connect(swatches_[i], &ColorSwatch::doubleClicked, this, [this, i] { PickColor(i); });
  }
  Sync();
}

void TitleTab::BuildColourFrame() {
  auto* frame = Place(new QGroupBox("文字色(&C)", this), "fraStrColor", 13, 141, 403, 167);
  options_ = new QButtonGroup(this);
  constexpr int kOptionTops[] = {20, 47, 74};
  constexpr int kLabelLefts[] = {155, 233, 311};
  constexpr int kSwatchLefts[] = {188, 266, 344};
  constexpr int kSwatchTop = 25;
  for (int i = 0; i < 3; ++i) {
    const std::string_view text = kTitlePatternTexts[static_cast<std::size_t>(i)];
    auto* option = new OptionButton(QString::fromUtf8(text.data(), text.size()), frame);
    Place(option, Indexed("optStrColor", i).c_str(), 11, kOptionTops[i], 142, 16);
    options_->addButton(option, i);
    // A little below the options' row, clear of the frame's top line.
    swatches_[i] =
        Place(new ColorSwatch(frame), Indexed("picStrColor", i).c_str(), kSwatchLefts[i], kSwatchTop, 36, 36);
    color_labels_[i] =
        MakeLabel(frame, Indexed("labStrColor", i).c_str(), QString("色%1：").arg(i + 1), kLabelLefts[i], 20);
  }
  direction_list_ =
      Place(MakeList(frame, kGradientDirectionTexts), "cboStrGraDir", 274, 72, 122, kListHeight);
  WidenPopupToItems(direction_list_);
  MakeLabel(frame, "Label17", "グラデーションの方向：", 155, 76);
  shadow_ = Place(new CheckBoxButton("影をつける", frame), "chkShadow", 11, 101);
  shadow_direction_list_ =
      Place(MakeList(frame, kShadowDirectionTexts), "cboShadowDir", 106, 128, 60, kListHeight);
  WidenPopupToItems(shadow_direction_list_);
  MakeLabel(frame, "Label13", "影の方向(&W)：", 26, 132, shadow_direction_list_);
  offset_text_ = Place(new QLineEdit(frame), "txtShadowOffs", 255, 127, 21, 22);
  offset_text_->setReadOnly(true);
  offset_text_->setAttribute(Qt::WA_InputMethodEnabled, false);
  offset_text_->setAlignment(Qt::AlignRight);
  offset_ = Place(new UpDownControl(BannerEditor::kMinOffset, BannerEditor::kMaxOffset, frame), "updOffset",
                  276, 127, 16, 22);
  offset_->SetBuddy(offset_text_);
  offset_->setEnabled(false);
  MakeLabel(frame, "Label14", "オフセット(&O)：", 177, 132, offset_text_);
  MakeLabel(frame, "Label12", "影の色：", 304, 131);
  swatches_[3] = Place(new ColorSwatch(frame), "picStrColor_3", 356, 119, 36, 36);
}

bool TitleTab::eventFilter(QObject* watched, QEvent* event) {
  if (watched != title_ || (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)) {
    return QWidget::eventFilter(watched, event);
  }
  auto* key = static_cast<QKeyEvent*>(event);
  const bool undo = key->matches(QKeySequence::Undo);
  const bool redo = key->matches(QKeySequence::Redo);
  if (!undo && !redo) return QWidget::eventFilter(watched, event);
  const bool box_can = undo ? title_->isUndoAvailable() : title_->isRedoAvailable();
  if (event->type() == QEvent::ShortcutOverride) {
    // Not taken: the window's shortcut runs instead.
    if (box_can) {
      event->accept();
    } else {
      event->ignore();
    }
    return true;
  }
  if (box_can) {
    box_history_ = true;
    undo ? title_->undo() : title_->redo();
    box_history_ = false;
  }
  return true;
}

void TitleTab::PickColor(int index) {
  const BannerSettings::TitleGroup& title = editor_.settings().Title;
  const Color current[] = {title.Color1, title.Color2, title.Color3, title.ShadowColor};
  if (auto chosen = dialogs_.ChooseColor(current[index])) editor_.SetTitleColor(index, *chosen);
  editor_.Render();
}

void TitleTab::PickFont() {
  const BannerRenderer& renderer = editor_.renderer();
  const std::string& shown = editor_.controls().font_label;
  const std::string stored = shown.empty() ? renderer.title_font_face() : shown;
  // The dialog lists installed families; bold and italic are the title's
  // flags whatever styles the family has.
  FontRequest request;
  request.face = face_names_.RealFamily(stored);
  request.bold = renderer.title_font_bold();
  request.italic = renderer.title_font_italic();
  request.points = renderer.title_font_size();
  const auto chosen = dialogs_.ChooseFont(request);
  if (!chosen) return;  // cancelled: nothing changes, no render
  const bool same_face = chosen->face == request.face;
  if (same_face && chosen->bold == request.bold && chosen->italic == request.italic) return;
  // A family chosen anew is stored under the Windows face it stands for.
  const std::string face = same_face ? stored : face_names_.WindowsFace(chosen->face);
  editor_.ChooseTitleFont(face, chosen->bold, chosen->italic);
}

void TitleTab::ForgetTypingHistory() {
  const QSignalBlocker blocker(title_);
  title_->setText(title_->text());  // setting the text drops the box's undo steps
}

void TitleTab::Sync() {
  const BannerSettings::TitleGroup& title = editor_.settings().Title;
  const BannerEditor::Controls& controls = editor_.controls();
  const QString text = QString::fromStdString(title.String);
  if (title_->text() != text) {
    const QSignalBlocker blocker(title_);
    title_->setText(text);
  }
  font_label_->setText(QString::fromStdString(controls.font_label));
  select_font_->setEnabled(controls.font_button_enabled);
  SelectItem(location_list_, title.Location);
  location_list_->setEnabled(controls.location_enabled);
  CheckOption(options_, title.Pattern);
  const Color colors[] = {title.Color1, title.Color2, title.Color3, title.ShadowColor};
  for (int i = 0; i < 4; ++i) swatches_[i]->SetColor(colors[i]);
  for (int i = 0; i < 3; ++i) SetLabelRed(color_labels_[i], controls.title_label_red[i]);
  SelectItem(direction_list_, title.Direction);
  direction_list_->setEnabled(controls.title_direction_enabled);
  SetChecked(shadow_, title.Shadow);
  SelectItem(shadow_direction_list_, title.ShadowDirection);
  shadow_direction_list_->setEnabled(controls.shadow_controls_enabled);
  {
    const QSignalBlocker blocker(offset_);
    offset_->SetValue(title.Offset);
  }
  offset_->setEnabled(controls.shadow_controls_enabled);
}

}  // namespace plakato
