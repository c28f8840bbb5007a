// plakato-render: renders a settings file into the banner that the banner
// maker's preview would show, without any window.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "banner/app/banner_editor.h"
#include "banner/app/picture_codecs.h"
#include "banner/app/settings_file.h"
#include "platform/atomic_file.h"

namespace {

constexpr const char* kUsage =
    "Usage: plakato-render [--twips-per-pixel N] SETTINGS OUTPUT\n"
    "Renders the banner design in the settings file SETTINGS (.pkc) and writes it to OUTPUT:\n"
    "a PNG file when OUTPUT ends in .png (any letter case), otherwise a Windows bitmap.\n"
    "  --twips-per-pixel N  screen geometry, 15 (96 dots per inch) unless given\n"
    "  --help               show this text\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "plakato-render: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  int twips = 15;
  std::string settings_path, output_path;
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--twips-per-pixel") {
      if (i + 1 >= argc) return Fail("--twips-per-pixel needs a number");
      char* end = nullptr;
      long v = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || v < 1 || v > 1440) return Fail(std::string("bad twips per pixel: ") + argv[i]);
      twips = static_cast<int>(v);
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-' && positional == 0 && arg != "-") {
      std::fputs(kUsage, stderr);
      return Fail("unknown option " + std::string(arg));
    }
    (positional++ == 0 ? settings_path : output_path) = std::string(arg);
  }
  if (positional != 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }

  // The loader treats a missing file as all defaults; here it is an error.
  // Pipes, devices and huge files are refused before anything is read.
  std::error_code ec;
  if (!std::filesystem::exists(settings_path, ec)) return Fail(settings_path + ": No such file or directory");
  plakato::BannerEditor editor(plakato::BannerRenderer::CreateDefault({twips, twips}));
  const platform::StatusOr<plakato::LoadWarnings> loaded = plakato::LoadSettings(editor, settings_path);
  if (!loaded.ok()) return Fail(loaded.status().message());
  for (const std::string& warning : *loaded)
    std::fprintf(stderr, "plakato-render: warning: %s\n", warning.c_str());
  const plakato::RenderReport last = editor.Render();
  if (!last.buttonize_error.empty())
    std::fprintf(stderr, "plakato-render: warning: %s\n", last.buttonize_error.c_str());
  if (!last.font_error.empty())
    std::fprintf(stderr, "plakato-render: warning: the title is not drawn: %s\n", last.font_error.c_str());

  const platform::Status saved = plakato::SavePicture(editor.renderer().preview(), output_path);
  if (!saved.ok()) return Fail(output_path + ": " + saved.message());
  return 0;
}
