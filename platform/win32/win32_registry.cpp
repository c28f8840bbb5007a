#include "platform/win32/win32_registry.h"

#include "platform/win32/windows_api.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/target_system/registry_key_path.h"
#include "platform/win32/wide_text.h"

namespace platform::win32 {
namespace {

using platform::target::MaxDepthBelow;
using platform::target::SplitKeyPath;

// Every key in the 32-bit view of HKEY_LOCAL_MACHINE\Software (see the header).
constexpr REGSAM kView = KEY_WOW64_32KEY;

HKEY RootHandle(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::kCurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::kLocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::kUsers: return HKEY_USERS;
    case RegistryRoot::kCurrentConfig: return HKEY_CURRENT_CONFIG;
    case RegistryRoot::kDynData: break;  // gone since the NT family
  }
  return nullptr;
}

Status FromError(LONG error, std::string_view what) {
  const std::string subject(what);
  switch (error) {
    case ERROR_SUCCESS: return Status::Ok();
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return Status::NotFound(subject + " does not exist");
    case ERROR_ACCESS_DENIED: return Status::AccessDenied(subject + ": access denied");
    default: return Status::IoError(subject + ": Windows error " + std::to_string(error));
  }
}

bool SameName(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                              TRUE) == CSTR_EQUAL;
}

class Key {
 public:
  Key() = default;
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (handle_) RegCloseKey(handle_);
  }
  HKEY* out() { return &handle_; }
  HKEY get() const { return handle_; }

 private:
  HKEY handle_ = nullptr;
};

// A checked key path: its names and the wide path Windows gets.
struct KeyPath {
  RegistryRoot root;
  std::vector<std::string> parts;
  std::wstring wide;
  std::string text;  // names joined, no trailing backslash
};

Status Parse(RegistryRoot root, std::string_view key, KeyPath* path) {
  path->root = root;
  if (!RootHandle(root)) return Status::NotFound("HKEY_DYN_DATA does not exist on this Windows");
  Status s = SplitKeyPath(key, &path->parts, MaxDepthBelow(root));
  if (!s.ok()) return s;
  path->text.clear();
  for (const std::string& part : path->parts) {
    if (!path->text.empty()) path->text += '\\';
    path->text += part;
  }
  path->wide = Utf8ToWide(path->text);
  return Status::Ok();
}

Status OpenPath(const KeyPath& path, REGSAM access, Key* key) {
  return FromError(RegOpenKeyExW(RootHandle(path.root), path.wide.c_str(), 0, access | kView, key->out()),
                   path.text);
}

// The roots and the keys HKEY_CLASSES_ROOT stands on are never deleted or moved.
bool IsProtected(const KeyPath& path) {
  if (path.parts.empty()) return true;
  if (path.root != RegistryRoot::kLocalMachine || path.parts.size() > 2) return false;
  if (!SameName(Utf8ToWide(path.parts[0]), L"Software")) return false;
  return path.parts.size() == 1 || SameName(Utf8ToWide(path.parts[1]), L"Classes");
}

// Whether inner is outer or lies below it.
bool IsWithin(const KeyPath& inner, const KeyPath& outer) {
  if (inner.root != outer.root || inner.parts.size() < outer.parts.size()) return false;
  for (std::size_t i = 0; i < outer.parts.size(); ++i) {
    if (!SameName(Utf8ToWide(inner.parts[i]), Utf8ToWide(outer.parts[i]))) return false;
  }
  return true;
}

void DecodeValue(std::wstring_view name, DWORD type, const std::string& bytes, RegistryValue* value) {
  value->name = WideToUtf8(name);
  value->type = type;
  if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
    std::wstring wide(bytes.size() / sizeof(wchar_t), L'\0');
    std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(wide.size() * sizeof(wchar_t)),
              reinterpret_cast<char*>(wide.data()));
    // A string keeps no terminating NUL; a list keeps exactly two at its end.
    while (!wide.empty() && wide.back() == L'\0') wide.pop_back();
    if (type == REG_MULTI_SZ && !wide.empty()) wide += std::wstring(2, L'\0');
    if (type == REG_MULTI_SZ && wide.empty()) wide = std::wstring(1, L'\0');
    value->data = WideToUtf8(wide);
  } else {
    value->data = bytes;
  }
}

Status EncodeValue(const RegistryValue& value, std::string* bytes) {
  if (value.type == REG_DWORD && value.data.size() != 4) {
    return Status::InvalidArgument("a DWORD value holds four bytes");
  }
  if (value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ) {
    std::wstring wide = Utf8ToWide(value.data);
    if (value.type != REG_MULTI_SZ || wide.empty()) wide += L'\0';
    bytes->assign(reinterpret_cast<const char*>(wide.data()), (wide.size()) * sizeof(wchar_t));
  } else {
    *bytes = value.data;
  }
  return Status::Ok();
}

Status ReadInfo(HKEY key, DWORD* subkeys, DWORD* max_subkey, DWORD* values, DWORD* max_name,
                DWORD* max_data) {
  return FromError(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, subkeys, max_subkey, nullptr, values,
                                    max_name, max_data, nullptr, nullptr),
                   "the key");
}

std::string ChildPath(const std::string& parent, const std::string& name) {
  return parent.empty() ? name : parent + "\\" + name;
}

// How many of the path's keys, from the top, exist (a key we may not read
// exists too).
std::size_t ExistingDepth(const KeyPath& path) {
  std::wstring prefix;
  for (std::size_t depth = 0; depth < path.parts.size(); ++depth) {
    if (depth > 0) prefix += L'\\';
    prefix += Utf8ToWide(path.parts[depth]);
    Key handle;
    const LONG error =
        RegOpenKeyExW(RootHandle(path.root), prefix.c_str(), 0, KEY_QUERY_VALUE | kView, handle.out());
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return depth;
  }
  return path.parts.size();
}

// Deletes the path's keys below the first `keep` ones, deepest first. Each
// was just made and holds only the next, so DELETE access is all it takes
// (a key made below a locked one may refuse its values to us as well).
void RemoveKeysBelow(const KeyPath& path, std::size_t keep) {
  for (std::size_t depth = path.parts.size(); depth > keep; --depth) {
    std::wstring prefix;
    for (std::size_t i = 0; i < depth; ++i) prefix += (i > 0 ? L"\\" : L"") + Utf8ToWide(path.parts[i]);
    if (RegDeleteKeyExW(RootHandle(path.root), prefix.c_str(), kView, 0) != ERROR_SUCCESS) return;
  }
}

}  // namespace

Status Win32Registry::OpenKey(RegistryRoot root, std::string_view key) {
  KeyPath path;
  Key handle;
  Status s = Parse(root, key, &path);
  return s.ok() ? OpenPath(path, KEY_READ, &handle) : s;
}

Status Win32Registry::CreateKey(RegistryRoot root, std::string_view key, bool* existed) {
  KeyPath path;
  Status s = Parse(root, key, &path);
  if (!s.ok()) return s;
  Key handle;
  DWORD disposition = 0;
  // Whatever access the key grants, as RegCreateKey asks: a key whose values
  // we may not set can still be made or opened.
  s = FromError(RegCreateKeyExW(RootHandle(root), path.wide.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                MAXIMUM_ALLOWED | kView, nullptr, handle.out(), &disposition),
                path.text);
  if (s.ok() && existed) *existed = disposition == REG_OPENED_EXISTING_KEY;
  return s;
}

Status Win32Registry::GetValue(RegistryRoot root, std::string_view key, std::string_view name,
                               RegistryValue* value) {
  KeyPath path;
  Key handle;
  Status s = Parse(root, key, &path);
  if (s.ok()) s = OpenPath(path, KEY_QUERY_VALUE, &handle);
  if (!s.ok()) return s;
  const std::wstring wide_name = Utf8ToWide(name);
  std::string bytes(256, '\0');
  while (true) {
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(bytes.size());
    const LONG error = RegQueryValueExW(handle.get(), wide_name.c_str(), nullptr, &type,
                                        reinterpret_cast<BYTE*>(bytes.data()), &size);
    if (error == ERROR_MORE_DATA) {
      bytes.resize(size);
      continue;
    }
    if (error != ERROR_SUCCESS) return FromError(error, path.text + " value " + std::string(name));
    bytes.resize(size);
    DecodeValue(wide_name, type, bytes, value);
    return Status::Ok();
  }
}

Status Win32Registry::SetValue(RegistryRoot root, std::string_view key, const RegistryValue& value,
                               bool create_key) {
  std::string bytes;
  Status s = EncodeValue(value, &bytes);
  KeyPath path;
  if (s.ok()) s = Parse(root, key, &path);
  if (!s.ok()) return s;
  // A value that cannot be written takes the keys made for it along: one
  // registry item is there whole or not at all (a key may let us make a
  // subkey whose values we may not set).
  const std::size_t existing = create_key ? ExistingDepth(path) : path.parts.size();
  if (create_key) s = CreateKey(root, path.text);
  Key handle;
  if (s.ok()) s = OpenPath(path, KEY_SET_VALUE, &handle);
  const std::wstring wide_name = Utf8ToWide(value.name);
  if (s.ok()) {
    s = FromError(
        RegSetValueExW(handle.get(), wide_name.c_str(), 0, value.type,
                       reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())),
        path.text + " value " + value.name);
  }
  if (!s.ok()) RemoveKeysBelow(path, existing);
  return s;
}

Status Win32Registry::DeleteValue(RegistryRoot root, std::string_view key, std::string_view name) {
  KeyPath path;
  Key handle;
  Status s = Parse(root, key, &path);
  if (s.ok()) s = OpenPath(path, KEY_SET_VALUE, &handle);
  if (!s.ok()) return s;
  return FromError(RegDeleteValueW(handle.get(), Utf8ToWide(name).c_str()),
                   path.text + " value " + std::string(name));
}

Status Win32Registry::ListSubkeys(RegistryRoot root, std::string_view key, std::vector<std::string>* names) {
  names->clear();
  KeyPath path;
  Key handle;
  Status s = Parse(root, key, &path);
  if (s.ok()) s = OpenPath(path, KEY_READ, &handle);
  DWORD count = 0, longest = 0;
  if (s.ok()) s = ReadInfo(handle.get(), &count, &longest, nullptr, nullptr, nullptr);
  if (!s.ok()) return s;
  std::vector<std::wstring> wide;
  std::wstring buffer(longest + 1, L'\0');
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(buffer.size());
    const LONG error =
        RegEnumKeyExW(handle.get(), i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (error == ERROR_NO_MORE_ITEMS) break;
    if (error == ERROR_MORE_DATA) {
      buffer.resize(buffer.size() * 2);
      --i;
      continue;
    }
    if (error != ERROR_SUCCESS) return FromError(error, path.text);
    wide.emplace_back(buffer.data(), length);
  }
  std::sort(wide.begin(), wide.end(), [](const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_LESS_THAN;
  });
  for (const std::wstring& name : wide) names->push_back(WideToUtf8(name));
  return Status::Ok();
}

Status Win32Registry::ListValues(RegistryRoot root, std::string_view key,
                                 std::vector<RegistryValue>* values) {
  values->clear();
  KeyPath path;
  Key handle;
  Status s = Parse(root, key, &path);
  if (s.ok()) s = OpenPath(path, KEY_READ, &handle);
  DWORD count = 0, longest_name = 0, largest = 0;
  if (s.ok()) s = ReadInfo(handle.get(), nullptr, nullptr, &count, &longest_name, &largest);
  if (!s.ok()) return s;
  std::wstring name(longest_name + 1, L'\0');
  std::string bytes(largest + sizeof(wchar_t), '\0');
  for (DWORD i = 0;; ++i) {
    DWORD name_length = static_cast<DWORD>(name.size());
    DWORD size = static_cast<DWORD>(bytes.size());
    DWORD type = 0;
    const LONG error = RegEnumValueW(handle.get(), i, name.data(), &name_length, nullptr, &type,
                                     reinterpret_cast<BYTE*>(bytes.data()), &size);
    if (error == ERROR_NO_MORE_ITEMS) break;
    if (error == ERROR_MORE_DATA) {  // a value grew since the key was asked
      name.resize(name.size() * 2);
      bytes.resize(bytes.size() * 2);
      --i;
      continue;
    }
    if (error != ERROR_SUCCESS) return FromError(error, path.text);
    RegistryValue value;
    DecodeValue(std::wstring_view(name.data(), name_length), type, bytes.substr(0, size), &value);
    values->push_back(std::move(value));
  }
  return Status::Ok();
}

Status Win32Registry::VisitTree(RegistryRoot root, std::string_view key, const TreeVisitor& visit) {
  KeyPath path;
  Status s = Parse(root, key, &path);
  if (!s.ok()) return s;
  std::vector<RegistryValue> values;
  s = ListValues(root, path.text, &values);
  if (s.ok()) s = visit(path.text, values);
  std::vector<std::string> subkeys;
  if (s.ok()) s = ListSubkeys(root, path.text, &subkeys);
  for (std::size_t i = 0; s.ok() && i < subkeys.size(); ++i) {
    s = VisitTree(root, ChildPath(path.text, subkeys[i]), visit);
  }
  return s;
}

Status Win32Registry::DeleteKey(RegistryRoot root, std::string_view key) {
  KeyPath path;
  Key handle;
  Status s = Parse(root, key, &path);
  if (s.ok() && IsProtected(path)) return Status::AccessDenied("cannot delete " + std::string(key));
  if (s.ok()) s = OpenPath(path, KEY_READ, &handle);
  DWORD subkeys = 0;
  if (s.ok()) s = ReadInfo(handle.get(), &subkeys, nullptr, nullptr, nullptr, nullptr);
  if (!s.ok()) return s;
  if (subkeys > 0) return Status::NotEmpty(path.text + " has subkeys");
  return FromError(RegDeleteKeyExW(RootHandle(root), path.wide.c_str(), kView, 0), path.text);
}

Status Win32Registry::DeleteTree(RegistryRoot root, std::string_view key) {
  KeyPath path;
  Key handle;
  Status s = Parse(root, key, &path);
  if (s.ok() && IsProtected(path)) return Status::AccessDenied("cannot delete " + std::string(key));
  if (s.ok()) s = OpenPath(path, DELETE | KEY_READ | KEY_SET_VALUE, &handle);
  if (s.ok()) s = FromError(RegDeleteTreeW(handle.get(), nullptr), path.text);
  if (!s.ok()) return s;
  return FromError(RegDeleteKeyExW(RootHandle(root), path.wide.c_str(), kView, 0), path.text);
}

Status Win32Registry::CopyTree(RegistryRoot from_root, std::string_view from, RegistryRoot to_root,
                               std::string_view to) {
  KeyPath source, target;
  Status s = Parse(from_root, from, &source);
  if (s.ok()) s = Parse(to_root, to, &target);
  if (!s.ok()) return s;
  if (IsWithin(target, source)) return Status::InvalidArgument(target.text + " lies inside " + source.text);
  // Read the whole tree first: nothing is written when it cannot be read,
  // and the depth of the copy is known before the first key is made.
  std::vector<std::pair<std::string, std::vector<RegistryValue>>> keys;
  std::size_t deepest = 0;
  s = VisitTree(from_root, source.text,
                [&](const std::string& path, const std::vector<RegistryValue>& values) {
                  std::string relative = path.substr(source.text.size());
                  if (!relative.empty() && relative.front() == '\\') relative.erase(0, 1);
                  deepest = std::max<std::size_t>(
                      deepest, relative.empty() ? 0 : 1 + std::count(relative.begin(), relative.end(), '\\'));
                  keys.emplace_back(std::move(relative), values);
                  return Status::Ok();
                });
  if (!s.ok()) return s;
  if (target.parts.size() + deepest > MaxDepthBelow(to_root)) {
    return Status::InvalidArgument("the copy would lie deeper than the registry allows");
  }
  for (const auto& [relative, values] : keys) {
    const std::string key = relative.empty() ? target.text : ChildPath(target.text, relative);
    s = CreateKey(to_root, key);
    for (std::size_t i = 0; s.ok() && i < values.size(); ++i) s = SetValue(to_root, key, values[i], false);
    if (!s.ok()) return s;
  }
  return Status::Ok();
}

Status Win32Registry::MoveTree(RegistryRoot from_root, std::string_view from, RegistryRoot to_root,
                               std::string_view to) {
  KeyPath source, target;
  Status s = Parse(from_root, from, &source);
  if (s.ok()) s = Parse(to_root, to, &target);
  if (!s.ok()) return s;
  if (IsProtected(source)) return Status::AccessDenied("cannot move " + source.text);
  const bool renames = IsWithin(target, source) && target.parts.size() == source.parts.size();
  if (!renames) {
    s = CopyTree(from_root, source.text, to_root, target.text);
    return s.ok() ? DeleteTree(from_root, source.text) : s;
  }
  if (source.text == target.text) return OpenKey(from_root, source.text);
  // Another letter case of the same key: through a sibling under a
  // passing name, since Windows compares key names without case.
  const std::string passing = target.text + "~kestro-move";
  s = CopyTree(from_root, source.text, to_root, passing);
  if (s.ok()) s = DeleteTree(from_root, source.text);
  if (s.ok()) s = CopyTree(to_root, passing, to_root, target.text);
  if (s.ok()) s = DeleteTree(to_root, passing);
  return s;
}

namespace {

// What brings one key back as it was before an operation of a batch.
struct Undo {
  RegistryRoot root;
  std::string key;
  bool delete_tree = false;                // the operation made this key
  bool restore_value = false;              // a value operation on an existing key:
  std::optional<RegistryValue> old_value;  //   the value it overwrote or deleted,
  std::string value_name;                  //   or the name of a new value to delete
  std::vector<std::pair<std::string, std::vector<RegistryValue>>> tree;  // a deleted tree
};

// The shallowest key of the path that does not exist yet ("" when all do).
std::string FirstMissing(Win32Registry& registry, RegistryRoot root, const std::string& key) {
  std::vector<std::string> parts;
  if (!SplitKeyPath(key, &parts).ok()) return {};
  std::string path;
  for (const std::string& part : parts) {
    path = ChildPath(path, part);
    if (registry.OpenKey(root, path).IsNotFound()) return path;
  }
  return {};
}

Status Prepare(Win32Registry& registry, const RegistryBatch::Operation& op, Undo* undo) {
  undo->root = op.root;
  const std::string missing = FirstMissing(registry, op.root, op.key);
  undo->key = missing.empty() ? op.key : missing;
  undo->delete_tree = !missing.empty();
  switch (op.kind) {
    case RegistryBatch::Kind::kCreateKey: return Status::Ok();
    case RegistryBatch::Kind::kSetValue:
    case RegistryBatch::Kind::kDeleteValue: {
      if (undo->delete_tree) return Status::Ok();
      RegistryValue old;
      if (registry.GetValue(op.root, op.key, op.value.name, &old).ok()) undo->old_value = old;
      undo->value_name = op.value.name;
      undo->restore_value = true;
      return Status::Ok();
    }
    case RegistryBatch::Kind::kDeleteTree: {
      undo->delete_tree = false;
      Status s = registry.VisitTree(op.root, op.key,
                                    [&](const std::string& path, const std::vector<RegistryValue>& v) {
                                      undo->tree.emplace_back(path, v);
                                      return Status::Ok();
                                    });
      return s.IsNotFound() ? Status::Ok() : s;
    }
  }
  return Status::InvalidArgument("unknown batch operation");
}

Status ApplyOne(Win32Registry& registry, const RegistryBatch::Operation& op) {
  switch (op.kind) {
    case RegistryBatch::Kind::kCreateKey: return registry.CreateKey(op.root, op.key);
    case RegistryBatch::Kind::kSetValue: return registry.SetValue(op.root, op.key, op.value, true);
    case RegistryBatch::Kind::kDeleteValue: {
      Status s = registry.DeleteValue(op.root, op.key, op.value.name);
      return s.IsNotFound() ? Status::Ok() : s;
    }
    case RegistryBatch::Kind::kDeleteTree: {
      Status s = registry.DeleteTree(op.root, op.key);
      return s.IsNotFound() ? Status::Ok() : s;
    }
  }
  return Status::InvalidArgument("unknown batch operation");
}

void Revert(Win32Registry& registry, const Undo& undo) {
  if (undo.delete_tree) {
    (void)registry.DeleteTree(undo.root, undo.key);
    return;
  }
  for (const auto& [path, values] : undo.tree) {
    (void)registry.CreateKey(undo.root, path);
    for (const RegistryValue& value : values) (void)registry.SetValue(undo.root, path, value, false);
  }
  if (!undo.restore_value) return;
  if (undo.old_value) {
    (void)registry.SetValue(undo.root, undo.key, *undo.old_value, false);
  } else {
    (void)registry.DeleteValue(undo.root, undo.key, undo.value_name);
  }
}

}  // namespace

Status Win32Registry::Apply(const RegistryBatch& batch) {
  std::vector<Undo> done;
  const auto& operations = batch.operations();
  for (std::size_t i = 0; i < operations.size(); ++i) {
    Undo undo;
    Status s = Prepare(*this, operations[i], &undo);
    if (s.ok()) {
      s = ApplyOne(*this, operations[i]);
      done.push_back(std::move(undo));  // a failed operation may have done a part
    }
    if (s.ok()) continue;
    for (auto it = done.rbegin(); it != done.rend(); ++it) Revert(*this, *it);
    const std::size_t line = operations[i].line;
    return line > 0 ? s.Prefixed("line " + std::to_string(line) + ": ") : s;
  }
  return Status::Ok();
}

}  // namespace platform::win32
