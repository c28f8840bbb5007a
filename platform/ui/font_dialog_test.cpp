#include "platform/ui/font_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

#include "platform/ui/test_application.h"

namespace platform::ui {
namespace {

void App() { testing::TestApplication(); }

TEST(FontDialogTest, OkWithoutChangesGivesBackTheRequest) {
  App();
  for (const FontRequest& request :
       {FontRequest{"ＭＳ Ｐゴシック", true, false, 20}, FontRequest{"DejaVu Sans", true, false, 12},
        FontRequest{"No Such Face", false, true, 9}}) {
    FontDialog dialog(request, nullptr);
    const FontChoice choice = dialog.choice();
    EXPECT_EQ(choice.face, request.face);
    EXPECT_EQ(choice.bold, request.bold) << request.face;
    EXPECT_EQ(choice.italic, request.italic) << request.face;
  }
}

TEST(FontDialogTest, StylesAreFlagsAndTheSampleShowsThem) {
  App();
  FontDialog dialog(FontRequest{"DejaVu Sans", false, false, 14}, nullptr);
  auto* faces = dialog.findChild<QListWidget*>("lstFace");
  auto* bold = dialog.findChild<QCheckBox*>("chkBold");
  auto* sample = dialog.findChild<QLabel*>("labSample");
  ASSERT_TRUE(faces && bold && sample);
  ASSERT_GT(faces->count(), 0);
  EXPECT_FALSE(sample->text().isEmpty());
  bold->setChecked(true);
  EXPECT_TRUE(sample->font().bold());
  EXPECT_EQ(sample->font().pointSize(), 14);
  const int other = faces->currentRow() == 0 ? faces->count() - 1 : 0;
  faces->setCurrentRow(other);
  EXPECT_EQ(dialog.choice().face, faces->item(other)->text().toStdString());
  EXPECT_TRUE(dialog.choice().bold) << "bold stays a flag whatever the face offers";
  EXPECT_EQ(sample->font().family(), faces->item(other)->text());
}

}  // namespace
}  // namespace platform::ui
