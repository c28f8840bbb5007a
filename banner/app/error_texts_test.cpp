#include "banner/app/error_texts.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "banner/app/picture_codecs.h"
#include "platform/atomic_file.h"
#include "platform/testing/temp_dir.h"

namespace plakato {
namespace {

bool HasLatinWord(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (std::isalpha(static_cast<unsigned char>(text[i])) &&
        std::isalpha(static_cast<unsigned char>(text[i + 1])))
      return true;
  }
  return false;
}

TEST(ErrorTextsTest, ReasonsOfTheReadersAndTheSystemReadInJapanese) {
  platform::testing::TempDir temp;
  ASSERT_TRUE(platform::WriteFileAtomically(temp / "x.bmp", "BMxx").ok());
  ASSERT_TRUE(platform::WriteFileAtomically(temp / "x.dat", "plain text").ok());
  for (const char* name : {"x.bmp", "x.dat"}) {
    const auto loaded = LoadPicture(temp / name);
    ASSERT_FALSE(loaded.ok());
    EXPECT_FALSE(HasLatinWord(JapaneseErrorText(loaded.status().message()))) << loaded.status().message();
  }
  const platform::Status saved = SavePicture(Bitmap(2, 2), temp / "missing" / "x.bmp");
  ASSERT_FALSE(saved.ok());
  EXPECT_EQ(JapaneseErrorText(saved.message()), "ファイルまたはフォルダーが見つかりません")
      << saved.message();
  EXPECT_EQ(JapaneseErrorText(std::strerror(ENOSPC)), "ディスクの空き容量が足りません");
  EXPECT_EQ(JapaneseErrorText(""), "");
  // A library's own words stay, after a Japanese reason.
  const std::string other = JapaneseErrorText("IHDR: CRC error");
  EXPECT_EQ(other.rfind("ファイルが壊れている", 0), 0u);
  EXPECT_NE(other.find("IHDR: CRC error"), std::string::npos);
}

}  // namespace
}  // namespace plakato
