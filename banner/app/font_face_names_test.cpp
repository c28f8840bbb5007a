#include "banner/app/font_face_names.h"

#include <gtest/gtest.h>

namespace plakato {
namespace {

TEST(FontFaceNamesTest, MapsWindowsFacesBothWaysAndLeavesOthersAlone) {
  const FontFaceNames names = FontFaceNames::Parse(R"(<fontconfig><dir>/usr/share/fonts</dir>
    <match target="pattern">
      <test name="family" qual="any"><string>ＭＳ Ｐゴシック</string></test>
      <edit name="family" mode="assign" binding="strong"><string>IPAPGothic</string></edit>
    </match>
    <match target="pattern">
      <test name="family" qual="any"><string>MS PGothic</string></test>
      <edit name="family" mode="assign" binding="strong"><string>IPAPGothic</string></edit>
    </match>
    <match target="font"><edit name="antialias"><bool>true</bool></edit></match>
    <match target="pattern">
      <test name="family"><string>MS PGothic</string></test>
      <edit name="family"><string>Other</string></edit>
    </match>
    <match target="pattern"><test name="family"><string>Broken</string></test>
  </fontconfig>)");
  EXPECT_EQ(names.WindowsFace("IPAPGothic"), "ＭＳ Ｐゴシック") << "the first name that maps onto it";
  EXPECT_EQ(names.RealFamily("MS PGothic"), "IPAPGothic");
  EXPECT_EQ(names.RealFamily("ＭＳ Ｐゴシック"), "IPAPGothic");
  EXPECT_EQ(names.WindowsFace("DejaVu Sans"), "DejaVu Sans");
  EXPECT_EQ(names.RealFamily("Broken"), "Broken");
  EXPECT_EQ(names.WindowsFace("Other"), "Other") << "MS PGothic is drawn as IPAPGothic";
}

TEST(FontFaceNamesTest, TheShippedFileNamesTheJapaneseFaces) {
  const FontFaceNames names = FontFaceNames::LoadInstalled();
  EXPECT_EQ(names.WindowsFace("IPAMincho"), "ＭＳ 明朝");
  EXPECT_EQ(names.RealFamily("ＭＳ ゴシック"), "IPAGothic");
}

}  // namespace
}  // namespace plakato
