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

// The target system's registry, kept in an SQLite database so that several
// processes (the installer, its uninstaller copy, a clean-up run) can use it
// at the same time. Every call is one transaction of its own: a change is
// seen whole or not at all, and a process killed during a change leaves the
// database as it was before that change.
//
// Key paths are backslash-separated and relative to the root ("Software\X");
// the empty path is the root itself; one trailing backslash is tolerated; an
// empty component ("A\\B", "\A") is an invalid argument. Key and value names
// compare without regard to case and keep the case they were created with.
//
// Order of enumeration: subkeys in case-insensitive name order (as the
// registry editor shows them); values in the order they were first written
// (rewriting a value keeps its place).
//
// The object keeps one database connection open for its lifetime; it is not
// safe to share between threads. After fork() a child must open its own.
class Registry {
 public:
  // Opens the database at path, creating it (with the six roots and the
  // Software\Classes key behind HKEY_CLASSES_ROOT) when it does not exist.
  static Status OpenOrCreate(const std::filesystem::path& path, std::unique_ptr<Registry>* registry);
  // Opens an existing database and never creates one: NotFound when the
  // file is missing, Corruption when it is empty or lacks the registry's
  // tables or roots. A database whose file is read-only (no owner write
  // permission, or not writable by this process) is opened for reading:
  // reads work, every change fails with AccessDenied.
  static Status Open(const std::filesystem::path& path, std::unique_ptr<Registry>* registry);
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // Ok when the key exists, NotFound otherwise. Never creates anything.
  Status OpenKey(RegistryRoot root, std::string_view key);
  // Creates the key and its missing parents; existed (when given) tells
  // whether the key was there already.
  Status CreateKey(RegistryRoot root, std::string_view key, bool* existed = nullptr);

  // NotFound when the key or the value does not exist.
  Status GetValue(RegistryRoot root, std::string_view key, std::string_view name,
                  RegistryValue* value);
  // Writes the value under the key. With create_key the key and its missing
  // parents are created first; without, a missing key gives NotFound.
  // A kRegDword value must hold exactly four bytes.
  Status SetValue(RegistryRoot root, std::string_view key, const RegistryValue& value,
                  bool create_key = true);
  // NotFound when the key or the value does not exist (the caller decides
  // whether that matters).
  Status DeleteValue(RegistryRoot root, std::string_view key, std::string_view name);

  Status ListSubkeys(RegistryRoot root, std::string_view key, std::vector<std::string>* names);
  Status ListValues(RegistryRoot root, std::string_view key, std::vector<RegistryValue>* values);

  // Calls visit for the key and every key below it, each parent before its
  // subkeys and subkeys in enumeration order, with the key's path relative
  // to the root and its values. One read transaction; every key is read
  // once, so the cost grows with the size of the tree, not with its depth.
  // A visit that fails ends the walk with its status.
  using TreeVisitor =
      std::function<Status(const std::string& path, const std::vector<RegistryValue>& values)>;
  Status VisitTree(RegistryRoot root, std::string_view key, const TreeVisitor& visit);

  // Deletes a key without subkeys (its values go with it). NotEmpty when it
  // has subkeys, NotFound when missing, AccessDenied for a root and for the
  // key behind HKEY_CLASSES_ROOT.
  Status DeleteKey(RegistryRoot root, std::string_view key);
  // Deletes the key with all its subkeys and values.
  Status DeleteTree(RegistryRoot root, std::string_view key);

  // Copies every value and subkey of from into to (created when missing;
  // existing values of the same name are overwritten, others kept). Types and
  // bytes are kept exactly. InvalidArgument when to lies inside from or the
  // copy would reach deeper than kMaxKeyDepth.
  Status CopyTree(RegistryRoot from_root, std::string_view from, RegistryRoot to_root,
                  std::string_view to);
  // Moves the key with everything below it to the new path, merging into an
  // existing key there. Moving a key onto itself under another letter case
  // renames it. InvalidArgument when to lies inside from or the moved tree
  // would reach deeper than kMaxKeyDepth.
  Status MoveTree(RegistryRoot from_root, std::string_view from, RegistryRoot to_root,
                  std::string_view to);

  // Applies every operation of the batch in one transaction; on the first
  // failure nothing of it is applied.
  Status Apply(const RegistryBatch& batch);

  // Runs the database's own consistency check; Ok when it finds nothing.
  Status CheckIntegrity();

  // True when the database was opened for reading only.
  bool read_only() const;

 private:
  class Impl;
  explicit Registry(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform::target
