#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plakato {

// The Windows face names of the font alias file and the installed families
// they stand for, so that a face chosen under its real family name is stored
// under the Windows name other programs know.
class FontFaceNames {
 public:
  FontFaceNames() = default;
  // Every <match> of the file that assigns one family to another; anything
  // else in the text is ignored.
  static FontFaceNames Parse(std::string_view conf_text);
  // The alias file the renderer uses; empty when it cannot be read.
  static FontFaceNames LoadInstalled();

  // The family a face is drawn with: the alias target, else the face itself.
  std::string RealFamily(const std::string& face) const;
  // The first Windows face name the file maps onto family, else family.
  std::string WindowsFace(const std::string& family) const;

 private:
  std::vector<std::pair<std::string, std::string>> aliases_;  // Windows face, family
};

}  // namespace plakato
