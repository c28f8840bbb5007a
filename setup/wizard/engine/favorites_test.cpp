#include "setup/wizard/engine/favorites.h"

#include "setup/wizard/engine/install_test_fixture.h"

namespace setup::wizard {
namespace {

constexpr char kFavorites[] = "C:\\Documents and Settings\\taro\\Favorites";
constexpr char kBookmarks[] = "C:\\Program Files\\Netscape\\Users\\taro\\bookmark.htm";

class FavoritesTest : public testing::InstallFixture {
 protected:
  FavoritesTest() {
    choices_.favorite_slot_visible = {true, true, true};
    choices_.favorite_slot_checked = {true, true, true};
    choices_.favorites_folder = kFavorites;
    choices_.bookmark_file = kBookmarks;
  }

  SetupScript Script() {
    return WriteScript(
        "[Favorites]\nCount=3\nName1=Maker ホーム\nURL1=http://maker.example/\n"
        "Name2=Q&A\nURL2=http://maker.example/qa\nName3=News\nURL3=http://maker.example/news\n");
  }
  void AddAll(const SetupScript& script) {
    for (int slot = 1; slot <= 3; ++slot) AddFavorite(run_, script, choices_, slot);
  }
  static std::string Line(std::string_view name, std::string_view url) {
    return "    <DT><A HREF=\"" + std::string(url) + "\" ADD_DATE=\"\" LAST_VISIT=\"\" LAST_MODIFIED=\"\">" +
           std::string(name) + "</A>\r\n";
  }

  InstallChoices choices_;
};

TEST_F(FavoritesTest, BothTargetsGetEverySlotReadAfreshEachTime) {
  choices_.add_favorites = true;
  choices_.add_bookmarks = true;
  Put(kBookmarks, "<DL><p>\r\n</DL><p>\r\n");
  AddAll(Script());
  std::string url_file;
  ASSERT_TRUE(sys().files().ReadFile(std::string(kFavorites) + "\\Maker ホーム.url", &url_file).ok());
  EXPECT_EQ(url_file, platform::Utf8ToCp932("[InternetShortcut]\r\nURL=http://maker.example/\r\n"));
  // "&" is written as it is.
  EXPECT_EQ(Get(std::string(kFavorites) + "\\Q&A.url"),
            "[InternetShortcut]\r\nURL=http://maker.example/qa\r\n");
  EXPECT_EQ(Get(kBookmarks), "<DL><p>\r\n" + Line("Maker ホーム", "http://maker.example/") +
                                 Line("Q&A", "http://maker.example/qa") +
                                 Line("News", "http://maker.example/news") + "</DL><p>\r\n");
  // Adding them again changes nothing.
  const std::string before = Get(kBookmarks);
  AddAll(Script());
  EXPECT_EQ(Get(kBookmarks), before);
}

TEST_F(FavoritesTest, ASecondLineThatIsEmptyCompactsTheFile) {
  choices_.add_bookmarks = true;
  choices_.favorite_slot_checked = {false, false, true};
  Put(kBookmarks, "<TITLE>Bookmarks</TITLE>\r\n\r\n<DL><p>\n\n</DL><p>\r\n");
  AddAll(Script());
  EXPECT_EQ(Get(kBookmarks), "<TITLE>Bookmarks</TITLE>\r\n<DL><p>\r\n" +
                                 Line("News", "http://maker.example/news") + "</DL><p>\r\n");
}

TEST_F(FavoritesTest, ANameThereAlreadyIsRepointedOrLeftUntouched) {
  choices_.add_bookmarks = true;
  choices_.favorite_slot_checked = {false, false, true};
  const std::string same =
      "<DL>\r\n    <DT><A HREF=\"http://maker.example/news\" ADD_DATE=\"9\">News</A>\r\n</DL>\r\n";
  Put(kBookmarks, same);
  SetTime(kBookmarks, 5);
  platform::target::FileEntry before;
  ASSERT_TRUE(sys().files().Stat(kBookmarks, &before).ok());
  ASSERT_TRUE(sys().files().SetAttributes(kBookmarks, platform::target::kFileReadOnly).ok());
  AddAll(Script());
  platform::target::FileEntry after;
  ASSERT_TRUE(sys().files().Stat(kBookmarks, &after).ok());
  EXPECT_EQ(after.write_time, before.write_time);  // not written at all
  EXPECT_EQ(after.attributes & platform::target::kFileReadOnly, platform::target::kFileReadOnly);

  // Another address: the line is replaced, a read-only file made writable.
  ASSERT_TRUE(sys().files().SetAttributes(kBookmarks, 0).ok());
  Put(kBookmarks, "<DL>\r\n    <DT><A HREF=\"http://old/\" ADD_DATE=\"9\">News</A>\r\n</DL>\r\n");
  ASSERT_TRUE(sys().files().SetAttributes(kBookmarks, platform::target::kFileReadOnly).ok());
  AddAll(Script());
  EXPECT_EQ(Get(kBookmarks), "<DL>\r\n" + Line("News", "http://maker.example/news") + "</DL>\r\n");
}

TEST_F(FavoritesTest, EveryOtherLineKeepsItsBytes) {
  choices_.add_bookmarks = true;
  choices_.favorite_slot_checked = {true, false, true};
  // NEC and IBM vendor characters (both map to the same Unicode), a stray
  // single byte and a half-width blank byte: a round trip through Unicode
  // would rewrite every one of them.
  const std::string kept =
      std::string("<TITLE>\xED\x40\x87\x90</TITLE>\r\n") + "<DL><p>\x80\r\n    <DT>\xA0\xFA\x5C</A>\r\n";
  const std::string old_line = "    <DT><A HREF=\"http://old/\" ADD_DATE=\"1\">News</A>\r\n";
  Put(kBookmarks, "");
  ASSERT_TRUE(sys().files().WriteFile(kBookmarks, kept + old_line + "</DL>\x81\xE0\r\n").ok());
  AddAll(Script());
  std::string bytes;
  ASSERT_TRUE(sys().files().ReadFile(kBookmarks, &bytes).ok());
  EXPECT_EQ(bytes, kept +
                       platform::Utf8ToCp932(Line("News", "http://maker.example/news") +
                                             Line("Maker ホーム", "http://maker.example/")) +
                       "</DL>\x81\xE0\r\n");
}

TEST_F(FavoritesTest, SingleLineAndEmptyFiles) {
  choices_.add_bookmarks = true;
  choices_.favorite_slot_checked = {true, false, false};
  Put(kBookmarks, "</DL>");
  AddAll(Script());
  EXPECT_EQ(Get(kBookmarks), Line("Maker ホーム", "http://maker.example/") + "</DL>\r\n");

  Put(kBookmarks, "");
  AddAll(Script());
  EXPECT_EQ(Get(kBookmarks), Line("Maker ホーム", "http://maker.example/"));
}

TEST_F(FavoritesTest, BadNamesAndUnreadableFilesSkipOnlyTheirPart) {
  choices_.add_favorites = true;
  choices_.add_bookmarks = true;
  const SetupScript script =
      WriteScript("[Favorites]\nName1=a/b: c?\nURL1=http://x/\nName2=Good\nURL2=http://y/\n");
  // No bookmark file: both slots skip the bookmark, the good name gets its file.
  EXPECT_TRUE(AddFavorite(run_, script, choices_, 1));
  EXPECT_TRUE(AddFavorite(run_, script, choices_, 2));
  EXPECT_EQ(Get(std::string(kFavorites) + "\\Good.url"), "[InternetShortcut]\r\nURL=http://y/\r\n");
  std::vector<platform::target::FileEntry> entries;
  ASSERT_TRUE(sys().files().ListEntries(kFavorites, &entries).ok());
  EXPECT_EQ(entries.size(), 1u);
  EXPECT_EQ(log_.LinesOf("BOOKMARK").size(), 2u);
  EXPECT_EQ(log_.LinesOf("FAVORITE").size(), 2u);

  // A hidden or unchecked slot is not processed.
  choices_.favorite_slot_checked[1] = false;
  EXPECT_FALSE(AddFavorite(run_, script, choices_, 2));
  EXPECT_FALSE(AddFavorite(run_, script, choices_, 4));
}

}  // namespace
}  // namespace setup::wizard
