// Step 1 of the install engine: the [File] list, with the overwrite rule on
// file ages, the copy with its Abort/Retry/Ignore question, the attributes
// and the shared-file counts.

#include <string>

#include "platform/target/registry_batch.h"
#include "setup/core/folder_utils.h"
#include "setup/core/path_text.h"
#include "setup/core/recycle_bin.h"
#include "setup/core/registry_utils.h"
#include "setup/wizard/file_age.h"
#include "setup/wizard/install_run.h"
#include "setup/wizard/record_keys.h"

namespace setup::wizard {
namespace {

using platform::target::RegistryBatch;
using platform::target::RegistryRoot;
using platform::target::RegistryValue;

enum class CopyOutcome { kCopied, kIgnored, kAborted };

// The folder part of a path: everything before its last backslash.
std::string FolderPart(std::string_view path) {
  const std::size_t last = LastPos("\\", path);
  return last == 0 ? std::string() : FirstChars(path, last - 1);
}

Message CopyFailedMessage(std::string_view dest) {
  return MakeMessage("ファイルコピーに失敗しました。\n" + std::string(dest), MessageIcon::kError,
                     MessageButtons::kAbortRetryIgnore, Answer::kAbort);
}

// Whether the source replaces what is at dest: newer source, or the same age
// and another size; a newer destination is kept unless the user says Yes.
bool ShouldCopy(InstallRun& install, std::string_view src, std::string_view dest) {
  const std::int32_t src_age = FileAge(install.system(), src);
  const std::int32_t dest_age = FileAge(install.system(), dest);
  if (src_age > dest_age) return true;
  if (src_age == dest_age) {
    const bool differ = GetFileSizeOf(install.system(), src) != GetFileSizeOf(install.system(), dest);
    if (!differ) install.run.log.Add("KEEP", {dest, "same age and size"});
    return differ;
  }
  const Answer answer = AskAndLog(
      install.run, MakeMessage("インストール先に新しいファイルが存在します。上書きしますか？\n" +
                                   std::string(dest),
                               MessageIcon::kQuestion, MessageButtons::kYesNo, Answer::kNo));
  if (answer == Answer::kYes) return true;
  install.run.log.Add("KEEP", {dest, "newer file kept"});
  return false;
}

// Makes room for the copy: the old file goes to the recycle bin or loses
// its attributes (so a read-only file can be replaced); a new file gets its
// folders.
void PrepareDestination(InstallRun& install, std::string_view dest, std::string_view folder) {
  const auto& files = install.system().files();
  if (!files.Exists(dest)) {
    if (const auto made = ForceFolders(install.system(), folder); !made.ok()) {
      install.run.log.Add("FOLDER", {folder, made.ToString()});
    }
    return;
  }
  if (install.choices.recycle_before_overwrite && !files.IsFolder(dest)) {
    const bool recycled = DeleteToRecycleBin(install.system(), dest, true);
    install.run.log.Add("RECYCLE", {dest, Outcome(recycled)});
    return;
  }
  if (const auto cleared = files.SetAttributes(dest, 0); !cleared.ok()) {
    install.run.log.Add("ATTRIB", {dest, "0", cleared.ToString()});
  }
}

// CopyFileA with its question: Abort ends the installation, Retry makes the
// folders again and copies again, Ignore goes on as if it had worked.
CopyOutcome CopyWithRetry(InstallRun& install, std::string_view src, std::string_view dest,
                          std::string_view folder) {
  const auto& files = install.system().files();
  while (true) {
    const auto copied = files.CopyFile(src, dest, false);
    if (copied.ok()) {
      install.run.log.Add("COPY", {dest, src});
      return CopyOutcome::kCopied;
    }
    install.run.log.Add("COPYFAIL", {dest, src, copied.ToString()});
    const Answer answer = AskAndLog(install.run, CopyFailedMessage(dest));
    if (answer == Answer::kIgnore) return CopyOutcome::kIgnored;
    if (answer != Answer::kRetry) return CopyOutcome::kAborted;
    if (const auto made = ForceFolders(install.system(), folder); !made.ok()) {
      install.run.log.Add("FOLDER", {folder, made.ToString()});
    }
  }
}

// A destination without a name or folder cannot be copied to: the copy
// question is asked as for any failed copy until Abort or Ignore; Ignore
// passes the entry over (there is no file to give attributes or a count).
CopyOutcome RefuseUnnamedDestination(InstallRun& install, std::string_view dest,
                                     std::string_view entry) {
  install.run.log.Add("COPYFAIL", {dest, entry, "no destination file or folder"});
  while (true) {
    const Answer answer = AskAndLog(install.run, CopyFailedMessage(dest));
    if (answer == Answer::kIgnore) return CopyOutcome::kIgnored;
    if (answer != Answer::kRetry) return CopyOutcome::kAborted;
  }
}

// A product counts a shared file once: the system's count goes up and its
// owner mark is appended, both in one transaction, only while the mark is
// not yet in the owner list.
void CountSharedFile(InstallRun& install, std::string_view dest) {
  auto& system = install.system();
  const std::int32_t count =
      RegReadInteger(system, RegistryRoot::kLocalMachine, kSharedDllsKey, dest, 0);
  const std::string owners =
      RegReadString(system, RegistryRoot::kLocalMachine, kOwnerListKey, dest, "");
  const std::string mark = OwnerMark(install.app_key_name);
  if (owners.find(mark) != std::string::npos) {
    install.run.log.Add("SHARED", {dest, std::to_string(count), "already counted"});
    return;
  }
  RegistryBatch batch;
  batch.SetValue(RegistryRoot::kLocalMachine, kSharedDllsKey,
                 RegistryValue::Dword(dest, static_cast<std::uint32_t>(count + 1)));
  batch.SetValue(RegistryRoot::kLocalMachine, kOwnerListKey, RegistryValue::String(dest, owners + mark));
  const bool written = ApplyTogether(system, batch);
  install.run.log.Add("SHARED", {dest, std::to_string(count + 1), Outcome(written)});
}

// One [File] entry; false when the installation is aborted.
bool InstallFile(InstallRun& install, const ScriptSection& list, std::int64_t n,
                 StepProgress& bar) {
  const std::string entry = list.ReadItem("NewFile", n);
  if (install.cd_rom_run && IsSetupFolderEntry(entry)) {
    install.run.log.Add("SKIP", {entry, "CD-ROM run"});
    return true;
  }
  const std::string src = install.run.source_folder + list.ReadItem("File", n);
  const std::string dest = install.Expand(entry);
  const std::int32_t attrs = list.ReadItemInteger("Attrs", n);
  const bool shared = list.ReadItemInteger("Shared", n) == 1;
  const std::string folder = FolderPart(dest);

  CopyOutcome outcome;
  if (dest.empty() || folder.empty() || StripTrailing(dest, "\\").size() < dest.size()) {
    outcome = RefuseUnnamedDestination(install, dest, entry);
    if (outcome == CopyOutcome::kAborted) return false;
    bar.Advance();
    return true;
  }
  if (install.system().files().Exists(src)) {
    if (!ShouldCopy(install, src, dest)) {
      bar.Advance();
      return true;
    }
    PrepareDestination(install, dest, folder);
  } else if (!install.system().files().Exists(dest)) {
    // Without a source nothing may be moved away: the copy fails and asks.
    if (const auto made = ForceFolders(install.system(), folder); !made.ok()) {
      install.run.log.Add("FOLDER", {folder, made.ToString()});
    }
  }
  outcome = CopyWithRetry(install, src, dest, folder);
  if (outcome == CopyOutcome::kAborted) return false;

  const auto set = install.system().files().SetAttributes(dest, static_cast<std::uint32_t>(attrs));
  install.run.log.Add("ATTRIB", {dest, std::to_string(attrs), set.ok() ? "ok" : set.ToString()});
  if (shared) CountSharedFile(install, dest);
  bar.Advance();
  return true;
}

}  // namespace

EngineResult InstallFiles(InstallRun& install) {
  StepProgress bar(install.run.progress, kFilesStep);
  const ScriptSection list = ScriptSection::Load(install.script, "File");
  const std::int32_t count = list.ReadCount();
  for (std::int64_t n = 1; n <= count; ++n) {
    if (!InstallFile(install, list, n, bar)) {
      install.run.log.Add("ABORT", {"install", "file", std::to_string(n)});
      return EngineResult::kAborted;
    }
  }
  return EngineResult::kCompleted;
}

}  // namespace setup::wizard
