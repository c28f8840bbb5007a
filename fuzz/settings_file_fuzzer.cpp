// Banner settings files (.pkc): a hostile file loads into the editor and
// renders; what is then saved loads again and saves the same values.
//
// The harness works in its scratch folder, which holds two small pictures
// ("a.bmp", "b.png"), so that ImageFile values can name real pictures and the
// cut-out and picture background are reached.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "banner/app/banner_editor.h"
#include "banner/app/picture_codecs.h"
#include "banner/app/settings_file.h"
#include "banner/render/banner_renderer.h"
#include "banner/render/font_backend.h"
#include "fuzz/fuzz_support.h"
#include "platform/private_profile.h"

namespace {

using plakato::BannerEditor;
using plakato::BannerRenderer;

std::shared_ptr<plakato::FontBackend> Fonts() {
  static const std::shared_ptr<plakato::FontBackend> fonts = plakato::CreateDefaultFontBackend();
  return fonts;
}

std::unique_ptr<BannerEditor> FreshEditor() {
  return std::make_unique<BannerEditor>(std::make_unique<BannerRenderer>(Fonts()));
}

std::filesystem::path Save(const BannerEditor& editor, const char* name) {
  const std::filesystem::path path = fuzzing::ScratchFolder() / name;
  std::filesystem::remove(path);
  FUZZ_CHECK(plakato::SaveSettings(editor, path).ok());
  return path;
}

// Both files hold the same keys with the same values as the loader reads
// them (a file's bytes may differ where a value's own blanks or a character
// after a NUL cannot survive a line of the file).
bool SameSettings(const std::filesystem::path& a, const std::filesystem::path& b) {
  const auto sections = platform::GetPrivateProfileSections(a);
  if (sections != platform::GetPrivateProfileSections(b)) return false;
  for (const std::string& section : sections) {
    const auto keys = platform::GetPrivateProfileKeys(section, a);
    if (keys != platform::GetPrivateProfileKeys(section, b)) return false;
    for (const std::string& key : keys) {
      if (plakato::ReadSettingValue(section, key, "", a) != plakato::ReadSettingValue(section, key, "", b))
        return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FUZZ_CHECK(chdir(fuzzing::ScratchFolder().c_str()) == 0);
  plakato::Bitmap picture(40, 24);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) picture.set_pixel(x, y, plakato::MakeColor(x * 6, y * 10, 128));
  FUZZ_CHECK(plakato::SavePicture(picture, "a.bmp").ok());
  FUZZ_CHECK(plakato::SavePicture(picture, "b.png").ok());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto path = fuzzing::WriteScratchFile("fuzz.pkc", data, size);
  auto editor = FreshEditor();
  // Any input may be refused; what counts is that nothing breaks.
  static_cast<void>(plakato::LoadSettings(*editor, path));
  const auto& preview = editor->renderer().preview();
  FUZZ_CHECK(preview.width() <= plakato::kMaxBannerSide && preview.height() <= plakato::kMaxBannerSide);

  const auto saved = Save(*editor, "saved.pkc");
  auto again = FreshEditor();
  FUZZ_CHECK(plakato::LoadSettings(*again, saved).ok());
  FUZZ_CHECK(SameSettings(saved, Save(*again, "saved-again.pkc")));
  return 0;
}
