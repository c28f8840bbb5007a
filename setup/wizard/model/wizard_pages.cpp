#include "setup/wizard/model/wizard_pages.h"

namespace setup::wizard {

std::optional<StepRow> StepRowOf(int page, int step) {
  if (step < 0 || step > 4) return std::nullopt;
  if (page == kInstallPage)
    return StepRow{InstallStepLabel(step), InstallProgressBar(step), Control::kImage1002};
  if (page == kUninstallPage) {
    return StepRow{UninstallStepLabel(step), UninstallProgressBar(step), Control::kImage1302};
  }
  return std::nullopt;
}

std::string_view PageCaption(int page) {
  switch (page) {
    case 2: return "概要";
    case 3: return "ライセンス契約";
    case 4: return "ユーザー情報";
    case 5: return "インストール先";
    case 6: return "ショートカット";
    case 7: return "関連付け";
    case 8: return "お気に入り";
    case 9: return "インストール開始";
    case 10: return "インストール中";
    case 11: return "インストール完了";
    case 12: return "アンインストール開始";
    case 13: return "アンインストール中";
    case 14: return "アンインストール完了";
    default: return {};
  }
}

bool IsPageOn(std::string_view mask, int page) {
  const int index = page - 2;
  return index >= 0 && static_cast<std::size_t>(index) < mask.size() && mask[index] == '1';
}

int NextPage(std::string_view mask, int page) {
  do {
    ++page;
  } while (!IsPageOn(mask, page) && page < kLastPage);
  return page;
}

int PreviousPage(std::string_view mask, int page) {
  do {
    --page;
  } while (page > kFirstPage && !IsPageOn(mask, page));
  return page;
}

}  // namespace setup::wizard
