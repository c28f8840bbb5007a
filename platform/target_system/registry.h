#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/target_system/registry_batch.h"
#include "platform/target_system/registry_value.h"
#include "platform/target_system/status.h"

namespace platform::target {

// Limits the platform's registry has: a key name holds at most 255
// characters (not bytes: a name of Japanese characters counts one per
// character) and a key lies at most 512 levels below its root.
inline constexpr std::size_t kMaxKeyNameChars = 255;
inline constexpr std::size_t kMaxKeyDepth = 512;

// Ok for a key path the registry accepts below root (one trailing backslash
// tolerated); InvalidArgument naming what is wrong otherwise: an empty
// component, a name longer than kMaxKeyNameChars, a key deeper than
// kMaxKeyDepth (HKEY_CLASSES_ROOT itself lies two levels deep).
Status CheckKeyPath(RegistryRoot root, std::string_view path);

// The registry the installer works on: the target system's own (kept in an
// SQLite database, SqliteRegistry) or the real one of a Windows machine.
//
// Key paths are backslash-separated and relative to the root ("Software\X");
// the empty path is the root itself; one trailing backslash is tolerated; an
// empty component ("A\\B", "\A") is an invalid argument. Key and value names
// compare without regard to case and keep the case they were created with.
//
// Order of enumeration: subkeys in case-insensitive name order (as the
// registry editor shows them); values in the order they were first written
// (rewriting a value keeps its place) where the back end keeps that order.
//
// An object is not safe to share between threads.
class Registry {
 public:
  // Opens the target system's database at path, creating it (with the six
  // roots and the Software\Classes key behind HKEY_CLASSES_ROOT) when it does
  // not exist.
  static Status OpenOrCreate(const std::filesystem::path& path, std::unique_ptr<Registry>* registry);
  // Opens an existing database and never creates one: NotFound when the
  // file is missing, Corruption when it is empty or lacks the registry's
  // tables or roots. A database whose file is read-only (no owner write
  // permission, or not writable by this process) is opened for reading:
  // reads work, every change fails with AccessDenied.
  static Status Open(const std::filesystem::path& path, std::unique_ptr<Registry>* registry);
  virtual ~Registry() = default;
  Registry() = default;
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // Ok when the key exists, NotFound otherwise. Never creates anything.
  virtual Status OpenKey(RegistryRoot root, std::string_view key) = 0;
  // Creates the key and its missing parents; existed (when given) tells
  // whether the key was there already.
  virtual Status CreateKey(RegistryRoot root, std::string_view key, bool* existed = nullptr) = 0;

  // NotFound when the key or the value does not exist.
  virtual Status GetValue(RegistryRoot root, std::string_view key, std::string_view name,
                          RegistryValue* value) = 0;
  // Writes the value under the key. With create_key the key and its missing
  // parents are created first; without, a missing key gives NotFound.
  // A kRegDword value must hold exactly four bytes.
  virtual Status SetValue(RegistryRoot root, std::string_view key, const RegistryValue& value,
                          bool create_key = true) = 0;
  // NotFound when the key or the value does not exist (the caller decides
  // whether that matters).
  virtual Status DeleteValue(RegistryRoot root, std::string_view key, std::string_view name) = 0;

  virtual Status ListSubkeys(RegistryRoot root, std::string_view key, std::vector<std::string>* names) = 0;
  virtual Status ListValues(RegistryRoot root, std::string_view key, std::vector<RegistryValue>* values) = 0;

  // Calls visit for the key and every key below it, each parent before its
  // subkeys and subkeys in enumeration order, with the key's path relative
  // to the root and its values. A visit that fails ends the walk with its
  // status.
  using TreeVisitor =
      std::function<Status(const std::string& path, const std::vector<RegistryValue>& values)>;
  virtual Status VisitTree(RegistryRoot root, std::string_view key, const TreeVisitor& visit) = 0;

  // Deletes a key without subkeys (its values go with it). NotEmpty when it
  // has subkeys, NotFound when missing, AccessDenied for a root and for the
  // key behind HKEY_CLASSES_ROOT.
  virtual Status DeleteKey(RegistryRoot root, std::string_view key) = 0;
  // Deletes the key with all its subkeys and values.
  virtual Status DeleteTree(RegistryRoot root, std::string_view key) = 0;

  // Copies every value and subkey of from into to (created when missing;
  // existing values of the same name are overwritten, others kept). Types and
  // bytes are kept exactly. InvalidArgument when to lies inside from or the
  // copy would reach deeper than kMaxKeyDepth.
  virtual Status CopyTree(RegistryRoot from_root, std::string_view from, RegistryRoot to_root,
                          std::string_view to) = 0;
  // Moves the key with everything below it to the new path, merging into an
  // existing key there. Moving a key onto itself under another letter case
  // renames it. InvalidArgument when to lies inside from or the moved tree
  // would reach deeper than kMaxKeyDepth.
  virtual Status MoveTree(RegistryRoot from_root, std::string_view from, RegistryRoot to_root,
                          std::string_view to) = 0;

  // Applies every operation of the batch; on the first failure nothing of it
  // is applied.
  virtual Status Apply(const RegistryBatch& batch) = 0;
  // Applies every part that write hands to its sink as one change, as Apply
  // does with one batch: a failing part, or write returning a failure, leaves
  // none of them applied. write may read the registry meanwhile. A back end
  // that keeps the change open itself (the target system's) applies each
  // part as it comes, so the parts never lie in memory together; this one
  // gathers them and applies them at the end.
  virtual Status ApplyInParts(const RegistryPartWriter& write);

  // Runs the back end's own consistency check; Ok when it finds nothing.
  virtual Status CheckIntegrity() = 0;

  // True when the registry was opened for reading only.
  virtual bool read_only() const = 0;
};

}  // namespace platform::target
