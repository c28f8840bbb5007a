#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "setup/wizard/model/control_id.h"

namespace setup::wizard {

// The wizard's pages 2 to 14 and Panel1 of the clean-up mode.
inline constexpr int kFirstPage = 2;
inline constexpr int kLastPage = 14;
inline constexpr int kInstallPage = 10;  // the install engine runs here
inline constexpr int kInstallDonePage = 11;
inline constexpr int kUninstallStartPage = 12;
inline constexpr int kUninstallPage = 13;  // the uninstall engine runs here
inline constexpr int kUninstallDonePage = 14;
// Page states that are no page.
inline constexpr int kEndedState = 1;
inline constexpr int kCleanUpState = 0;

// The window caption of the page ("概要", ..., "アンインストール完了").
std::string_view PageCaption(int page);

// One step's row on a work page (10 or 13): its label, its progress bar and
// the marker that points at it while the step runs.
struct StepRow {
  Control label;
  Control bar;
  Control marker;
};
// The row of step (0..4) on page; nothing on any other page or step.
std::optional<StepRow> StepRowOf(int page, int step);

// The page mask: character k (from 1) switches page k + 1 on with "1".
bool IsPageOn(std::string_view mask, int page);
// The page that Next reaches from page: the next one switched on, or 14.
int NextPage(std::string_view mask, int page);
// The page that Back reaches from page: the previous one switched on, but
// never below 2.
int PreviousPage(std::string_view mask, int page);

}  // namespace setup::wizard
