#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace plakato {

inline constexpr const char* kDocumentMimeType = "application/x-plakato-config";
inline constexpr const char* kDocumentGlob = "*.pkc";
inline constexpr const char* kDocumentComment = "Plakato設定ファイル";
// Icon names in the freedesktop icon theme folders.
inline constexpr const char* kDocumentIconName = "application-x-plakato-config";
inline constexpr const char* kProgramIconName = "plakato";
inline constexpr int kIconSizes[] = {16, 32, 48};
// The two warnings that registration failures show.
inline constexpr const char* kCreateFailedMessage = "RegCreateKeyEx error";
inline constexpr const char* kWriteFailedMessage = "RegSetValueEx error";

// The XDG data folders: the user's own first, then the system's.
struct XdgDataDirs {
  std::filesystem::path data_home;
  std::vector<std::filesystem::path> data_dirs;
};

// $XDG_DATA_HOME (else ~/.local/share) and $XDG_DATA_DIRS (else
// /usr/local/share and /usr/share); relative entries are ignored, as the
// base-directory rules ask.
XdgDataDirs XdgDataDirsFromEnvironment();

struct RegistrationResult {
  enum class Outcome { kAlreadyRegistered, kRegistered, kCreateFailed, kWriteFailed };
  Outcome outcome = Outcome::kAlreadyRegistered;
  std::string message;  // the warning to show; empty when there is none
  std::string detail;   // the system's error text, for diagnostics
};

// Registers ".pkc" settings files as a document type of their own on a
// desktop without a registry: a shared-mime-info package and a desktop entry
// that opens the file with the program, both in the user's data folder.
// Written only when no MIME database of the data folders knows "*.pkc" yet,
// so an existing registration (ours after the program moved, or another
// program's) is never taken over.
class DocumentTypeRegistrar {
 public:
  // Runs a desktop database tool when it is installed; absent tools are
  // skipped silently.
  using ToolRunner = std::function<void(const std::string& tool, const std::vector<std::string>& arguments)>;

  DocumentTypeRegistrar(XdgDataDirs dirs, std::filesystem::path program, ToolRunner run_tool);

  // PNG bytes of the program's (document false) or the document type's
  // icon at a pixel size. With a painter, registration also writes the icons
  // into the user's hicolor theme, so the settings files show one.
  using IconPainter = std::function<std::string(int size, bool document)>;
  void SetIconPainter(IconPainter painter) { paint_icon_ = std::move(painter); }
  // Where the icon of one size goes.
  std::filesystem::path icon_path(int size, bool document) const;

  bool IsRegistered() const;
  RegistrationResult RegisterIfNew();

  std::filesystem::path mime_package_path() const;
  std::filesystem::path desktop_entry_path() const;
  std::string MimePackage() const;
  // Empty when the program path cannot be written into a desktop entry.
  std::string DesktopEntry() const;

 private:
  XdgDataDirs dirs_;
  std::filesystem::path program_;
  ToolRunner run_tool_;
  IconPainter paint_icon_;
};

// The program path as one argument of a desktop entry's Exec key: quoted,
// with the characters that quoting reserves escaped, then encoded as a
// desktop-entry string value. Empty for a path holding control characters.
std::string DesktopExecArgument(const std::string& path);

}  // namespace plakato
