#include "banner/app/banner_editor.h"

#include <gtest/gtest.h>

namespace plakato {
namespace {

class BannerEditorTest : public ::testing::Test {
 protected:
  BannerEditor editor_{BannerRenderer::CreateDefault()};
};

TEST_F(BannerEditorTest, StartsAsTheDesignedWindow) {
  const auto& c = editor_.controls();
  EXPECT_FALSE(c.user_size_enabled);
  EXPECT_FALSE(c.select_image_enabled);
  EXPECT_FALSE(c.background_direction_enabled);
  EXPECT_FALSE(c.font_button_enabled);
  EXPECT_FALSE(c.location_enabled);
  EXPECT_FALSE(c.shadow_controls_enabled);
  EXPECT_EQ(c.background_label_red, (std::array<bool, 3>{true, false, false}));
  EXPECT_EQ(c.title_label_red, (std::array<bool, 3>{true, false, false}));
  EXPECT_EQ(editor_.settings().Size.index, -1);
  EXPECT_EQ(editor_.settings().Title.Pattern, 0);
  EXPECT_EQ(editor_.settings().Title.Offset, 1);
  EXPECT_EQ(editor_.render_count(), 0);  // no render until the first change
  EXPECT_FALSE(editor_.renderer().hasRendered());
}

TEST_F(BannerEditorTest, SizeListEnablesUserBoxesOnlyForTheUserItem) {
  editor_.SelectSize(kUserSizeItem);
  EXPECT_TRUE(editor_.controls().user_size_enabled);
  editor_.SetUserWidthText("120");
  editor_.SetUserHeightText("90");
  editor_.ValidateUserHeight();
  EXPECT_EQ(editor_.renderer().previewWidth(), 120);
  EXPECT_EQ(editor_.renderer().previewHeight(), 90);
  editor_.SelectSize(3);
  EXPECT_FALSE(editor_.controls().user_size_enabled);
  EXPECT_EQ(editor_.renderer().previewWidth(), 234);
  EXPECT_EQ(editor_.settings().Size.Width, "120");  // the text stays
}

TEST_F(BannerEditorTest, UserSizeValidation) {
  struct Case {
    const char* typed;
    bool keep_focus;
    const char* after;
  } cases[] = {
      {"1500", false, "150"}, {"250", false, "250"},  {"12.5", false, "12"}, {"1000", false, "100"},
      {"0", true, "0"},       {"-5", true, "-5"},     {"abc", true, "abc"},  {"   ", false, "   "},
      {"", false, ""},        {"1e20", false, "100"},
  };
  for (const Case& c : cases) {
    editor_.SetUserWidthText(c.typed);
    const int before = editor_.render_count();
    BannerEditor::Validation v = editor_.ValidateUserWidth();
    EXPECT_EQ(v.keep_focus, c.keep_focus) << c.typed;
    EXPECT_EQ(v.text, c.after) << c.typed;
    EXPECT_EQ(editor_.settings().Size.Width, c.after) << c.typed;
    EXPECT_EQ(editor_.render_count(), before + 1) << "a render follows every check";
  }
}

TEST_F(BannerEditorTest, BackgroundEnableRule) {
  editor_.SelectBackgroundPattern(kGradient2);
  EXPECT_TRUE(editor_.controls().background_direction_enabled);
  EXPECT_EQ(editor_.settings().BackGround.Direction, 0) << "first direction chosen";
  EXPECT_EQ(editor_.controls().background_label_red, (std::array<bool, 3>{true, true, false}));
  EXPECT_FALSE(editor_.controls().select_image_enabled);

  editor_.SelectBackgroundDirection(3);
  editor_.SelectBackgroundPattern(kGradient3);
  EXPECT_EQ(editor_.settings().BackGround.Direction, 3) << "a chosen direction stays";
  EXPECT_EQ(editor_.controls().background_label_red, (std::array<bool, 3>{true, true, true}));

  editor_.SelectBackgroundPattern(kPicture);
  EXPECT_TRUE(editor_.controls().select_image_enabled);
  EXPECT_FALSE(editor_.controls().background_direction_enabled);
  EXPECT_EQ(editor_.controls().background_label_red, (std::array<bool, 3>{false, false, false}));
}

TEST_F(BannerEditorTest, TitleColourAndShadowEnableRules) {
  editor_.SelectTitlePattern(2);
  EXPECT_TRUE(editor_.controls().title_direction_enabled);
  EXPECT_EQ(editor_.settings().Title.Direction, 0);
  EXPECT_EQ(editor_.controls().title_label_red, (std::array<bool, 3>{true, true, true}));
  editor_.SelectTitlePattern(0);
  EXPECT_FALSE(editor_.controls().title_direction_enabled);
  EXPECT_EQ(editor_.controls().title_label_red, (std::array<bool, 3>{true, false, false}));

  editor_.SetShadow(true);
  EXPECT_TRUE(editor_.controls().shadow_controls_enabled);
  editor_.SetShadow(false);
  EXPECT_FALSE(editor_.controls().shadow_controls_enabled);
}

TEST_F(BannerEditorTest, TitleEnablesFontAndLocationAndRepairsTheList) {
  editor_.SetTitleText("   ");
  EXPECT_FALSE(editor_.controls().font_button_enabled);
  editor_.SetTitleText("Plakato");
  EXPECT_TRUE(editor_.controls().font_button_enabled);
  EXPECT_TRUE(editor_.controls().location_enabled);
  EXPECT_EQ(editor_.settings().Title.Location, 0);
  editor_.SetTitleText("");
  EXPECT_TRUE(editor_.controls().font_button_enabled) << "never disabled again";
}

TEST_F(BannerEditorTest, OnlyChangesRunTheirHandlers) {
  editor_.SelectSize(0);
  const int after_first = editor_.render_count();
  editor_.SelectSize(0);
  editor_.SetButtonize(false);
  editor_.SelectBackgroundPattern(kPlain);
  EXPECT_EQ(editor_.render_count(), after_first);
  editor_.SetOffset(25);
  EXPECT_EQ(editor_.settings().Title.Offset, BannerEditor::kMaxOffset);
  editor_.SetOffset(-3);
  EXPECT_EQ(editor_.settings().Title.Offset, BannerEditor::kMinOffset);
}

TEST_F(BannerEditorTest, BannerSizeFromControls) {
  editor_.SelectSize(1);
  EXPECT_EQ(editor_.BannerSizeFromControls(), std::make_pair(200, 40));
  editor_.SelectSize(kUserSizeItem);
  editor_.SetUserWidthText("120");
  editor_.SetUserHeightText("0");
  EXPECT_EQ(editor_.BannerSizeFromControls(), std::make_pair(200, 40))
      << "an unusable size keeps the preview's";
  editor_.SetUserHeightText("33");
  EXPECT_EQ(editor_.BannerSizeFromControls(), std::make_pair(120, 33));
}

TEST_F(BannerEditorTest, UndoAndRedoStepThroughRenderedChanges) {
  EXPECT_FALSE(editor_.CanUndo());
  EXPECT_FALSE(editor_.modified());
  editor_.SelectSize(0);
  editor_.SetTitleText("Hi");
  editor_.SetBackgroundColor(0, 0x0000FF);
  editor_.Render();              // the colour picker renders after the colour
  editor_.SetOpenPreview(true);  // not a design change
  const Bitmap red = editor_.renderer().preview();
  EXPECT_TRUE(editor_.modified());

  ASSERT_TRUE(editor_.Undo());
  EXPECT_EQ(editor_.settings().BackGround.Color1, kWhite);
  EXPECT_EQ(editor_.settings().Title.String, "Hi");
  EXPECT_NE(editor_.renderer().preview(), red) << "the undone design is rendered";
  EXPECT_TRUE(editor_.controls().open_preview);
  ASSERT_TRUE(editor_.Undo());
  EXPECT_EQ(editor_.settings().Title.String, "");
  EXPECT_FALSE(editor_.controls().font_button_enabled) << "controls come back with the design";
  ASSERT_TRUE(editor_.Undo());
  EXPECT_EQ(editor_.settings().Size.index, -1);
  EXPECT_FALSE(editor_.Undo());
  EXPECT_FALSE(editor_.modified()) << "back at the design it started with";

  ASSERT_TRUE(editor_.Redo());
  ASSERT_TRUE(editor_.Redo());
  ASSERT_TRUE(editor_.Redo());
  EXPECT_FALSE(editor_.Redo());
  EXPECT_EQ(editor_.renderer().preview(), red);

  // A new change after an undo ends the redo steps.
  editor_.Undo();
  editor_.SetShadow(true);
  EXPECT_FALSE(editor_.CanRedo());
  EXPECT_TRUE(editor_.settings().Title.Shadow);
}

TEST_F(BannerEditorTest, ModifiedMarkFollowsSavesLoadsAndUndo) {
  editor_.SelectSize(1);
  editor_.MarkSaved("/tmp/a.pkc");
  EXPECT_EQ(editor_.document_path(), "/tmp/a.pkc");
  EXPECT_FALSE(editor_.modified());
  editor_.SelectSize(2);
  EXPECT_TRUE(editor_.modified());
  editor_.Undo();
  EXPECT_FALSE(editor_.modified());
  editor_.Undo();
  EXPECT_TRUE(editor_.modified()) << "before the saved design";
  editor_.SelectSize(3);  // the saved design can no longer be reached
  editor_.Undo();
  EXPECT_TRUE(editor_.modified());

  editor_.StartHistory("/tmp/b.pkc");
  EXPECT_FALSE(editor_.modified());
  EXPECT_FALSE(editor_.CanUndo());
  for (int i = 0; i < 150; ++i) editor_.SetOffset(i % 2 ? 2 : 3);
  int steps = 0;
  while (editor_.Undo()) ++steps;
  EXPECT_EQ(steps, 99) << "the oldest steps are forgotten";
  EXPECT_TRUE(editor_.modified());
}

}  // namespace
}  // namespace plakato
