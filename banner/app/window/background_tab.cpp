#include "banner/app/window/background_tab.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "banner/app/banner_editor.h"
#include "banner/app/window/color_swatch.h"
#include "banner/app/window/option_sync.h"
#include "platform/ui/dialog_service.h"
#include "platform/ui/whole_area_buttons.h"
#include "platform/ui/widget_placement.h"

namespace plakato {

using platform::ui::CheckBoxButton;
using platform::ui::DialogService;
using platform::ui::kListHeight;
using platform::ui::MakeLabel;
using platform::ui::OptionButton;
using platform::ui::Place;
using platform::ui::SetLabelRed;

BackgroundTab::BackgroundTab(BannerEditor& editor, DialogService& dialogs, std::function<void()> choose_image)
    : editor_(editor), dialogs_(dialogs) {
  setObjectName("tabBackGround");
  options_ = new QButtonGroup(this);
  constexpr int kOptionTops[] = {42, 68, 94, 121};
  for (int i = 0; i < 4; ++i) {
    const std::string_view text = kBackgroundPatternTexts[static_cast<std::size_t>(i)];
    auto* option = new OptionButton(QString::fromUtf8(text.data(), text.size()), this);
    Place(option, ("optBackGround_" + std::to_string(i)).c_str(), 18, kOptionTops[i], 135, 16);
    options_->addButton(option, i);
  }
  constexpr int kLabelLefts[] = {162, 240, 317};
  constexpr int kSwatchLefts[] = {195, 272, 350};
  for (int i = 0; i < 3; ++i) {
    swatches_[i] =
        Place(new ColorSwatch(this), ("picColor_" + std::to_string(i)).c_str(), kSwatchLefts[i], 42, 36, 36);
    color_labels_[i] = MakeLabel(this, ("labColor_" + std::to_string(i)).c_str(),
                                 QString("色%1：").arg(i + 1), kLabelLefts[i], 42);
    connect(swatches_[i], &ColorSwatch::doubleClicked, this, [this, i] { PickColor(i); });
  }
  direction_list_ = new QComboBox(this);
  for (std::string_view text : kGradientDirectionTexts)
    direction_list_->addItem(QString::fromUtf8(text.data(), text.size()));
  direction_list_->setCurrentIndex(-1);
  direction_list_->setEnabled(false);
  Place(direction_list_, "cboGraDir", 281, 92, 105, kListHeight);
  WidenPopupToItems(direction_list_);
  MakeLabel(this, "Label16", "グラデーションの方向：", 162, 96);
  select_image_ = Place(new QPushButton("画像選択(&P)...", this), "cmdSelImage", 162, 118, 129, 23);
  buttonize_ = Place(new CheckBoxButton("立体化（ボタン化）する", this), "chk3D", 18, 147, 160, 16);

  connect(options_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) editor_.SelectBackgroundPattern(id);
  });
  connect(direction_list_, &QComboBox::currentIndexChanged, this,
          [this](int index) { editor_.SelectBackgroundDirection(index); });
  connect(select_image_, &QPushButton::clicked, this, std::move(choose_image));
  connect(buttonize_, &QCheckBox::toggled, this, [this](bool on) { editor_.SetButtonize(on); });
  Sync();
}

void BackgroundTab::PickColor(int index) {
  const BannerSettings::BackGroundGroup& background = editor_.settings().BackGround;
  const Color current[] = {background.Color1, background.Color2, background.Color3};
  if (auto chosen = dialogs_.ChooseColor(current[index])) editor_.SetBackgroundColor(index, *chosen);
  editor_.Render();
}

void BackgroundTab::Sync() {
  const BannerSettings::BackGroundGroup& background = editor_.settings().BackGround;
  const BannerEditor::Controls& controls = editor_.controls();
  CheckOption(options_, background.Pattern);
  const Color colors[] = {background.Color1, background.Color2, background.Color3};
  for (int i = 0; i < 3; ++i) {
    swatches_[i]->SetColor(colors[i]);
    SetLabelRed(color_labels_[i], controls.background_label_red[i]);
  }
  SelectItem(direction_list_, background.Direction);
  direction_list_->setEnabled(controls.background_direction_enabled);
  select_image_->setEnabled(controls.select_image_enabled);
  SetChecked(buttonize_, background.Buttonize);
}

}  // namespace plakato
