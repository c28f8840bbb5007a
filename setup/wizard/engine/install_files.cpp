// Step 1 of the install engine: the [File] list, with the overwrite rule on
// file ages, the copy with its Abort/Retry/Ignore question, the attributes
// and the shared-file counts (a shared file counts whenever it is at its
// destination after the step: copied, kept, or left after Ignore).

#include <string>
#include <unordered_set>

#include "platform/target_system/registry_batch.h"
#include "setup/core/folder_utils.h"
#include "setup/core/path_text.h"
#include "setup/core/recycle_bin.h"
#include "setup/core/registry_utils.h"
#include "setup/wizard/engine/file_age.h"
#include "setup/wizard/engine/install_run.h"
#include "setup/wizard/record/record_keys.h"

namespace setup::wizard {
namespace {

using platform::target::FileEntry;
using platform::target::RegistryBatch;
using platform::target::RegistryRoot;
using platform::target::RegistryValue;
using platform::target::SystemFiles;

enum class CopyOutcome { kCopied, kIgnored, kAborted };

// The destination folders made or found during the step, as written.
using MadeFolders = std::unordered_set<std::string>;

// The folder part of a path: everything before its last backslash.
std::string FolderPart(std::string_view path) {
  const std::size_t last = LastPos("\\", path);
  return last == 0 ? std::string() : FirstChars(path, last - 1);
}

Message CopyFailedMessage(std::string_view dest) {
  return MakeMessage("ファイルコピーに失敗しました。\n" + std::string(dest), MessageIcon::kError,
                     MessageButtons::kAbortRetryIgnore, Answer::kAbort);
}

// Whether the source replaces what is at dest (nullptr when nothing is
// there): newer source, or the same age and another size; a newer
// destination is kept unless the user says Yes.
bool ShouldCopy(InstallRun& install, const FileEntry& src_entry, std::string_view dest,
                const FileEntry* dest_entry) {
  const std::int32_t src_age = FileAge(src_entry);
  const std::int32_t dest_age = dest_entry != nullptr ? FileAge(*dest_entry) : -1;
  if (src_age > dest_age) return true;
  if (src_age == dest_age) {
    // The sizes as GetFileSize gives them: a folder has none.
    const bool differ = src_entry.size != dest_entry->size;
    if (!differ) install.run.log.Add("KEEP", {dest, "same age and size"});
    return differ;
  }
  const Answer answer = AskAndLog(
      install.run,
      MakeMessage("インストール先に新しいファイルが存在します。上書きしますか？\n" + std::string(dest),
                  MessageIcon::kQuestion, MessageButtons::kYesNo, Answer::kNo));
  if (answer == Answer::kYes) return true;
  install.run.log.Add("KEEP", {dest, "newer file kept"});
  return false;
}

// Makes room for the copy: the old file goes to the recycle bin or loses
// its attributes (so a read-only file can be replaced); a new file gets its
// folders.
void PrepareDestination(InstallRun& install, std::string_view dest, const FileEntry* dest_entry,
                        const std::string& folder, MadeFolders& made_folders) {
  const auto& files = install.system().files();
  if (dest_entry == nullptr) {
    // A folder made (or found) for an earlier file of the step needs no
    // second look; should it have gone since, the copy fails and its Retry
    // makes it again.
    if (made_folders.contains(folder)) return;
    if (const auto made = ForceFolders(install.system(), folder); !made.ok()) {
      install.run.log.Add("FOLDER", {folder, made.ToString()});
    } else {
      made_folders.insert(folder);
    }
    return;
  }
  if (install.choices.recycle_before_overwrite && !dest_entry->is_folder) {
    const Status recycled = DeleteToRecycleBin(install.system(), dest, true);
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
    const auto copied = files.CopyFile(src, dest, false, SystemFiles::Flush::kUnflushed);
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
CopyOutcome RefuseUnnamedDestination(InstallRun& install, std::string_view dest, std::string_view entry) {
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
  const std::int32_t count = RegReadInteger(system, RegistryRoot::kLocalMachine, kSharedDllsKey, dest, 0);
  const std::string owners = RegReadString(system, RegistryRoot::kLocalMachine, kOwnerListKey, dest, "");
  const std::string mark = OwnerMark(install.app_key_name);
  if (owners.find(mark) != std::string::npos) {
    install.run.log.Add("SHARED", {dest, std::to_string(count), "already counted"});
    return;
  }
  RegistryBatch batch;
  batch.SetValue(RegistryRoot::kLocalMachine, kSharedDllsKey,
                 RegistryValue::Dword(dest, static_cast<std::uint32_t>(count + 1)));
  batch.SetValue(RegistryRoot::kLocalMachine, kOwnerListKey, RegistryValue::String(dest, owners + mark));
  const Status written = ApplyTogether(system, batch);
  install.run.log.Add("SHARED", {dest, std::to_string(count + 1), Outcome(written)});
}

// One [File] entry; false when the installation is aborted.
bool InstallFile(InstallRun& install, const ScriptSection& list, std::int64_t n, StepProgress& bar,
                 MadeFolders& made_folders) {
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
  const auto& files = install.system().files();
  FileEntry src_entry, dest_entry;
  const bool dest_exists = files.Stat(dest, &dest_entry).ok();
  const bool src_exists = files.Stat(src, &src_entry).ok();
  if (src_exists) {
    if (!ShouldCopy(install, src_entry, dest, dest_exists ? &dest_entry : nullptr)) {
      // A shared file kept in place (the same build, or a newer one) is used
      // by this product all the same: it counts once, so that uninstalling
      // another product never takes it away.
      if (shared) CountSharedFile(install, dest);
      bar.Advance();
      return true;
    }
    PrepareDestination(install, dest, dest_exists ? &dest_entry : nullptr, folder, made_folders);
  } else if (!dest_exists) {
    // Without a source nothing may be moved away: the copy fails and asks.
    if (const auto made = ForceFolders(install.system(), folder); !made.ok()) {
      install.run.log.Add("FOLDER", {folder, made.ToString()});
    }
  }
  outcome = CopyWithRetry(install, src, dest, folder);
  if (outcome == CopyOutcome::kAborted) return false;

  // Of the attributes the host keeps only read-only, which a copy takes
  // from its source: a copy that has it as asked needs no change.
  const bool as_asked = outcome == CopyOutcome::kCopied && src_exists &&
                        (static_cast<std::uint32_t>(attrs) & platform::target::kFileReadOnly) ==
                            (src_entry.attributes & platform::target::kFileReadOnly);
  const auto set = as_asked ? platform::target::Status::Ok()
                            : files.SetAttributes(dest, static_cast<std::uint32_t>(attrs));
  install.run.log.Add("ATTRIB", {dest, std::to_string(attrs), set.ok() ? "ok" : set.ToString()});
  if (shared) CountSharedFile(install, dest);
  bar.Advance();
  return true;
}

}  // namespace

namespace {

// The copies are not flushed one by one; what the step wrote reaches the
// disk here, once, so that a power loss after the step loses no file.
void FlushCopies(InstallRun& install) {
  if (const auto flushed = install.system().files().FlushWrites(); !flushed.ok()) {
    install.run.log.Add("FLUSH", {flushed.ToString()});
  }
}

}  // namespace

EngineResult InstallFiles(InstallRun& install) {
  StepProgress bar(install.run.progress, kFilesStep);
  const ScriptSection list = ScriptSection::Load(install.script, "File");
  const std::int32_t count = list.ReadCount();
  MadeFolders made_folders;
  for (std::int64_t n = 1; n <= count; ++n) {
    if (!InstallFile(install, list, n, bar, made_folders)) {
      FlushCopies(install);
      install.run.log.Add("ABORT", {"install", "file", std::to_string(n)});
      return EngineResult::kAborted;
    }
  }
  FlushCopies(install);
  return EngineResult::kCompleted;
}

}  // namespace setup::wizard
