#include "platform/target_system/sqlite_registry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <set>

#include "platform/target_system/name_folding.h"
#include "platform/target_system/registry_key_path.h"
#include "platform/target_system/sqlite_connection.h"

namespace platform::target {
namespace {

constexpr std::int64_t kNoKey = 0;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS keys("
    "  id INTEGER PRIMARY KEY, parent INTEGER NOT NULL, name TEXT NOT NULL, fold TEXT NOT NULL,"
    "  UNIQUE(parent, fold));"
    "CREATE TABLE IF NOT EXISTS vals("
    "  id INTEGER PRIMARY KEY, key INTEGER NOT NULL, name TEXT NOT NULL, fold TEXT NOT NULL,"
    "  type INTEGER NOT NULL, data BLOB NOT NULL, UNIQUE(key, fold));"
    "INSERT OR IGNORE INTO keys(id, parent, name, fold) VALUES"
    "  (1, 0, 'HKEY_CURRENT_USER', 'HKEY_CURRENT_USER'),"
    "  (2, 0, 'HKEY_LOCAL_MACHINE', 'HKEY_LOCAL_MACHINE'),"
    "  (3, 0, 'HKEY_USERS', 'HKEY_USERS'),"
    "  (4, 0, 'HKEY_CURRENT_CONFIG', 'HKEY_CURRENT_CONFIG'),"
    "  (5, 0, 'HKEY_DYN_DATA', 'HKEY_DYN_DATA');";

constexpr std::int64_t kLocalMachineId = 2;

std::int64_t RootRowId(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kCurrentUser: return 1;
    case RegistryRoot::kLocalMachine: return 2;
    case RegistryRoot::kUsers: return 3;
    case RegistryRoot::kCurrentConfig: return 4;
    case RegistryRoot::kDynData: return 5;
    case RegistryRoot::kClassesRoot: break;
  }
  return kNoKey;
}

bool HostFileIsReadOnly(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  return (info.st_mode & S_IWUSR) == 0 || ::access(path.c_str(), W_OK) != 0;
}

}  // namespace

class SqliteRegistry::Impl {
 public:
  explicit Impl(std::unique_ptr<SqliteConnection> db) : db_(std::move(db)) {}

  SqliteConnection& db() { return *db_; }

  // Makes the tables and the roots of a new (or half-made) database.
  Status Initialise() {
    Transaction txn(*db_, true);
    Status s = txn.status();
    if (s.ok()) s = db_->Exec(kSchema);
    std::int64_t software = kNoKey;
    if (s.ok()) s = EnsureChild(kLocalMachineId, "Software", &software, nullptr);
    if (s.ok()) s = EnsureChild(software, "Classes", &classes_id_, nullptr);
    s = txn.Finish(s);
    if (s.ok()) protected_ids_ = {1, 2, 3, 4, 5, software, classes_id_};
    return s;
  }

  // Finds the roots of an existing database without changing anything.
  Status Attach() {
    Transaction txn(*db_, false);
    Status s = txn.status();
    if (s.ok()) {
      auto q = db_->Prepare(
          "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('keys', 'vals')");
      if (!q) return db_->Error(SQLITE_ERROR, "reading the database's tables");
      const int rc = q->Step();
      if (rc != SQLITE_ROW) return db_->Error(rc, "reading the database's tables");
      if (q->Int(0) != 2) s = Status::Corruption("the registry database is empty or not a registry");
    }
    std::int64_t software = kNoKey;
    if (s.ok()) s = FindChild(kLocalMachineId, "Software", &software);
    if (s.ok()) s = FindChild(software, "Classes", &classes_id_);
    if (s.IsNotFound())
      s = Status::Corruption("the registry database lacks HKEY_LOCAL_MACHINE\\Software\\Classes");
    s = txn.Finish(s);
    if (s.ok()) protected_ids_ = {1, 2, 3, 4, 5, software, classes_id_};
    return s;
  }

  bool read_only = false;

  // --- Key lookup (inside a transaction) ---

  Status FindChild(std::int64_t parent, std::string_view name, std::int64_t* id) {
    auto q = db_->Prepare("SELECT id FROM keys WHERE parent = ?1 AND fold = ?2");
    if (!q) return db_->Error(SQLITE_ERROR, "preparing key lookup");
    q->Bind(1, parent).BindText(2, FoldName(name));
    const int rc = q->Step();
    if (rc == SQLITE_ROW) {
      *id = q->Int(0);
      return Status::Ok();
    }
    if (rc == SQLITE_DONE) return Status::NotFound("no key " + std::string(name));
    return db_->Error(rc, "looking up a key");
  }

  Status EnsureChild(std::int64_t parent, std::string_view name, std::int64_t* id, bool* existed) {
    Status s = FindChild(parent, name, id);
    if (existed) *existed = s.ok();
    if (!s.IsNotFound()) return s;
    auto q = db_->Prepare("INSERT INTO keys(parent, name, fold) VALUES (?1, ?2, ?3) RETURNING id");
    if (!q) return db_->Error(SQLITE_ERROR, "preparing key creation");
    q->Bind(1, parent).BindText(2, name).BindText(3, FoldName(name));
    const int rc = q->Step();
    if (rc != SQLITE_ROW) return db_->Error(rc, "creating a key");
    *id = q->Int(0);
    return Status::Ok();
  }

  std::int64_t RootId(RegistryRoot root) const {
    return root == RegistryRoot::kClassesRoot ? classes_id_ : RootRowId(root);
  }

  Status Find(RegistryRoot root, std::string_view path, std::int64_t* id) {
    std::vector<std::string> parts;
    Status s = SplitKeyPath(path, &parts, MaxDepthBelow(root));
    if (!s.ok()) return s;
    std::int64_t current = RootId(root);
    for (const std::string& part : parts) {
      s = FindChild(current, part, &current);
      if (!s.ok()) return s.IsNotFound() ? Status::NotFound("no key " + std::string(path)) : s;
    }
    *id = current;
    return Status::Ok();
  }

  Status Ensure(RegistryRoot root, std::string_view path, std::int64_t* id, bool* existed) {
    std::vector<std::string> parts;
    Status s = SplitKeyPath(path, &parts, MaxDepthBelow(root));
    if (!s.ok()) return s;
    std::int64_t current = RootId(root);
    bool all_existed = true;
    for (const std::string& part : parts) {
      bool was = false;
      s = EnsureChild(current, part, &current, &was);
      if (!s.ok()) return s;
      all_existed = all_existed && was;
    }
    if (existed) *existed = all_existed;
    *id = current;
    return Status::Ok();
  }

  bool IsProtected(std::int64_t id) const { return protected_ids_.count(id) > 0; }

  Status ParentOf(std::int64_t id, std::int64_t* parent) {
    auto q = db_->Prepare("SELECT parent FROM keys WHERE id = ?1");
    if (!q) return db_->Error(SQLITE_ERROR, "preparing parent lookup");
    q->Bind(1, id);
    const int rc = q->Step();
    if (rc == SQLITE_ROW) {
      *parent = q->Int(0);
      return Status::Ok();
    }
    return rc == SQLITE_DONE ? Status::NotFound("key vanished") : db_->Error(rc, "reading a key");
  }

  // True when key is ancestor or the same key as other.
  Status Contains(std::int64_t key, std::int64_t other, bool* contains) {
    std::int64_t current = other;
    while (current != kNoKey) {
      if (current == key) {
        *contains = true;
        return Status::Ok();
      }
      Status s = ParentOf(current, &current);
      if (!s.ok()) return s;
    }
    *contains = false;
    return Status::Ok();
  }

  Status HasSubkeys(std::int64_t id, bool* has) {
    auto q = db_->Prepare("SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1");
    if (!q) return db_->Error(SQLITE_ERROR, "preparing subkey check");
    q->Bind(1, id);
    const int rc = q->Step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) return db_->Error(rc, "checking subkeys");
    *has = rc == SQLITE_ROW;
    return Status::Ok();
  }

  // --- Values ---

  Status Read(std::int64_t key, std::string_view name, RegistryValue* value) {
    auto q = db_->Prepare("SELECT name, type, data FROM vals WHERE key = ?1 AND fold = ?2");
    if (!q) return db_->Error(SQLITE_ERROR, "preparing value read");
    q->Bind(1, key).BindText(2, FoldName(name));
    const int rc = q->Step();
    if (rc == SQLITE_DONE) return Status::NotFound("no value " + std::string(name));
    if (rc != SQLITE_ROW) return db_->Error(rc, "reading a value");
    value->name = q->Text(0);
    value->type = static_cast<std::uint32_t>(q->Int(1));
    value->data = q->Blob(2);
    return Status::Ok();
  }

  Status Write(std::int64_t key, const RegistryValue& value) {
    if (value.type == kRegDword && value.data.size() != 4) {
      return Status::InvalidArgument("a double word value needs four bytes");
    }
    auto q = db_->Prepare(
        "INSERT INTO vals(key, name, fold, type, data) VALUES (?1, ?2, ?3, ?4, ?5) "
        "ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, data = excluded.data");
    if (!q) return db_->Error(SQLITE_ERROR, "preparing value write");
    q->Bind(1, key).BindText(2, value.name).BindText(3, FoldName(value.name));
    q->Bind(4, value.type).BindBlob(5, value.data);
    const int rc = q->Step();
    return rc == SQLITE_DONE ? Status::Ok() : db_->Error(rc, "writing a value");
  }

  Status Erase(std::int64_t key, std::string_view name) {
    auto q = db_->Prepare("DELETE FROM vals WHERE key = ?1 AND fold = ?2");
    if (!q) return db_->Error(SQLITE_ERROR, "preparing value deletion");
    q->Bind(1, key).BindText(2, FoldName(name));
    const int rc = q->Step();
    if (rc != SQLITE_DONE) return db_->Error(rc, "deleting a value");
    return db_->Changes() > 0 ? Status::Ok() : Status::NotFound("no value " + std::string(name));
  }

  struct Child {
    std::int64_t id;
    std::string name;
  };

  Status Children(std::int64_t key, std::vector<Child>* children) {
    auto q = db_->Prepare("SELECT id, name FROM keys WHERE parent = ?1 ORDER BY fold, name");
    if (!q) return db_->Error(SQLITE_ERROR, "preparing subkey listing");
    q->Bind(1, key);
    int rc;
    while ((rc = q->Step()) == SQLITE_ROW) children->push_back({q->Int(0), q->Text(1)});
    return rc == SQLITE_DONE ? Status::Ok() : db_->Error(rc, "listing subkeys");
  }

  Status Values(std::int64_t key, std::vector<RegistryValue>* values) {
    auto q = db_->Prepare("SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY id");
    if (!q) return db_->Error(SQLITE_ERROR, "preparing value listing");
    q->Bind(1, key);
    int rc;
    while ((rc = q->Step()) == SQLITE_ROW) {
      values->push_back({q->Text(0), static_cast<std::uint32_t>(q->Int(1)), q->Blob(2)});
    }
    return rc == SQLITE_DONE ? Status::Ok() : db_->Error(rc, "listing values");
  }

  // --- Trees ---

  // Levels below key (0 for a key without subkeys), counted up to limit + 1.
  Status Height(std::int64_t key, std::size_t limit, std::size_t* height) {
    auto q = db_->Prepare(
        "WITH RECURSIVE sub(id, depth) AS (SELECT ?1, 0 UNION ALL "
        "SELECT keys.id, sub.depth + 1 FROM keys JOIN sub ON keys.parent = sub.id "
        "WHERE sub.depth <= ?2) SELECT max(depth) FROM sub");
    if (!q) return db_->Error(SQLITE_ERROR, "preparing the depth check");
    q->Bind(1, key).Bind(2, static_cast<std::int64_t>(limit));
    const int rc = q->Step();
    if (rc != SQLITE_ROW) return db_->Error(rc, "measuring a tree");
    *height = static_cast<std::size_t>(q->Int(0));
    return Status::Ok();
  }

  // Levels from the top of the stored tree down to key (a root is 0).
  Status DepthOf(std::int64_t key, std::size_t* depth) {
    *depth = 0;
    std::int64_t current = key;
    while (true) {
      std::int64_t parent = kNoKey;
      Status s = ParentOf(current, &parent);
      if (!s.ok()) return s;
      if (parent == kNoKey) return Status::Ok();
      ++*depth;
      current = parent;
    }
  }

  // InvalidArgument when the tree below source, placed at target_depth,
  // would reach deeper than the registry allows.
  Status CheckFits(std::int64_t source, std::size_t target_depth) {
    if (target_depth > kMaxKeyDepth) return Status::InvalidArgument("the target key is too deep");
    std::size_t height = 0;
    Status s = Height(source, kMaxKeyDepth - target_depth, &height);
    if (!s.ok()) return s;
    if (target_depth + height > kMaxKeyDepth) {
      return Status::InvalidArgument("the tree would reach deeper than " + std::to_string(kMaxKeyDepth) +
                                     " levels");
    }
    return Status::Ok();
  }

  Status RemoveTree(std::int64_t key) {
    auto values = db_->Prepare(
        "WITH RECURSIVE sub(id) AS (SELECT ?1 UNION ALL "
        "SELECT keys.id FROM keys JOIN sub ON keys.parent = sub.id) "
        "DELETE FROM vals WHERE key IN sub");
    auto keys = db_->Prepare(
        "WITH RECURSIVE sub(id) AS (SELECT ?1 UNION ALL "
        "SELECT keys.id FROM keys JOIN sub ON keys.parent = sub.id) "
        "DELETE FROM keys WHERE id IN sub");
    if (!values || !keys) return db_->Error(SQLITE_ERROR, "preparing tree deletion");
    values->Bind(1, key);
    int rc = values->Step();
    if (rc != SQLITE_DONE) return db_->Error(rc, "deleting values of a tree");
    keys->Bind(1, key);
    rc = keys->Step();
    return rc == SQLITE_DONE ? Status::Ok() : db_->Error(rc, "deleting a tree");
  }

  // Copies values and subkeys of from into to (which is not inside from).
  Status CopyInto(std::int64_t from, std::int64_t to) {
    std::vector<RegistryValue> values;
    Status s = Values(from, &values);
    for (std::size_t i = 0; s.ok() && i < values.size(); ++i) s = Write(to, values[i]);
    std::vector<Child> children;
    if (s.ok()) s = Children(from, &children);
    for (std::size_t i = 0; s.ok() && i < children.size(); ++i) {
      std::int64_t target = kNoKey;
      s = EnsureChild(to, children[i].name, &target, nullptr);
      if (s.ok()) s = CopyInto(children[i].id, target);
    }
    return s;
  }

  Status DeleteKeyIn(RegistryRoot root, std::string_view path, bool whole_tree) {
    std::int64_t id = kNoKey;
    Status s = Find(root, path, &id);
    if (!s.ok()) return s;
    if (IsProtected(id)) return Status::AccessDenied("cannot delete " + std::string(path));
    if (!whole_tree) {
      bool has = false;
      s = HasSubkeys(id, &has);
      if (!s.ok()) return s;
      if (has) return Status::NotEmpty(std::string(path) + " has subkeys");
    }
    return RemoveTree(id);
  }

  Status CopyTreeIn(RegistryRoot from_root, std::string_view from, RegistryRoot to_root,
                    std::string_view to) {
    std::int64_t source = kNoKey;
    Status s = Find(from_root, from, &source);
    if (!s.ok()) return s;
    std::int64_t target = kNoKey;
    s = Ensure(to_root, to, &target, nullptr);
    if (!s.ok()) return s;
    if (target == source) return Status::Ok();
    bool inside = false;
    s = Contains(source, target, &inside);
    if (!s.ok()) return s;
    if (inside) return Status::InvalidArgument("cannot copy a key into itself");
    std::size_t depth = 0;
    s = DepthOf(target, &depth);
    if (s.ok()) s = CheckFits(source, depth);
    return s.ok() ? CopyInto(source, target) : s;
  }

  Status MoveTreeIn(RegistryRoot from_root, std::string_view from, RegistryRoot to_root,
                    std::string_view to) {
    std::vector<std::string> to_parts;
    Status s = SplitKeyPath(to, &to_parts);
    if (!s.ok()) return s;
    if (to_parts.empty()) return Status::InvalidArgument("cannot move onto a root");
    std::int64_t source = kNoKey;
    s = Find(from_root, from, &source);
    if (!s.ok()) return s;
    if (IsProtected(source)) return Status::AccessDenied("cannot move " + std::string(from));
    // Walk the existing part of the target path; meeting the source there
    // means the target is the source itself or lies inside it.
    std::int64_t current = RootId(to_root);
    std::size_t depth = 0;
    for (; depth < to_parts.size(); ++depth) {
      std::int64_t next = kNoKey;
      Status found = FindChild(current, to_parts[depth], &next);
      if (found.IsNotFound()) break;
      if (!found.ok()) return found;
      current = next;
      if (current == source) {
        if (depth + 1 != to_parts.size()) return Status::InvalidArgument("cannot move a key into itself");
        return Rename(source, to_parts.back());
      }
    }
    bool inside = false;
    s = Contains(source, current, &inside);
    if (!s.ok()) return s;
    if (inside) return Status::InvalidArgument("cannot move a key into itself");
    std::size_t target_depth = 0;
    s = DepthOf(current, &target_depth);
    if (s.ok()) s = CheckFits(source, target_depth + (to_parts.size() - depth));
    if (!s.ok()) return s;
    if (depth == to_parts.size()) {  // the target exists: merge, then drop the source
      s = CopyInto(source, current);
      return s.ok() ? RemoveTree(source) : s;
    }
    for (; depth + 1 < to_parts.size(); ++depth) {
      s = EnsureChild(current, to_parts[depth], &current, nullptr);
      if (!s.ok()) return s;
    }
    auto q = db_->Prepare("UPDATE keys SET parent = ?1, name = ?2, fold = ?3 WHERE id = ?4");
    if (!q) return db_->Error(SQLITE_ERROR, "preparing key move");
    q->Bind(1, current).BindText(2, to_parts.back()).BindText(3, FoldName(to_parts.back())).Bind(4, source);
    const int rc = q->Step();
    return rc == SQLITE_DONE ? Status::Ok() : db_->Error(rc, "moving a key");
  }

  Status Rename(std::int64_t key, std::string_view name) {
    auto q = db_->Prepare("UPDATE keys SET name = ?1 WHERE id = ?2");
    if (!q) return db_->Error(SQLITE_ERROR, "preparing key rename");
    q->BindText(1, name).Bind(2, key);
    const int rc = q->Step();
    return rc == SQLITE_DONE ? Status::Ok() : db_->Error(rc, "renaming a key");
  }

  // Inside a transaction. A list of values under one key resolves the key
  // once: the key last made sure of is remembered until a tree is deleted.
  Status ApplyAll(const RegistryBatch& batch) {
    Status s;
    ensured_ = {};
    for (std::size_t i = 0; s.ok() && i < batch.operations().size(); ++i) {
      const RegistryBatch::Operation& op = batch.operations()[i];
      s = ApplyOne(op);
      if (!s.ok() && op.line > 0) {
        s = s.Prefixed("line " + std::to_string(op.line) + ": ");
      }
    }
    return s;
  }

  Status EnsureForBatch(const RegistryBatch::Operation& op, std::int64_t* id) {
    if (ensured_.id != kNoKey && ensured_.root == op.root && ensured_.key == op.key) {
      *id = ensured_.id;
      return Status::Ok();
    }
    Status s = Ensure(op.root, op.key, id, nullptr);
    ensured_ = s.ok() ? EnsuredKey{op.root, op.key, *id} : EnsuredKey{};
    return s;
  }

  Status ApplyOne(const RegistryBatch::Operation& op) {
    std::int64_t id = kNoKey;
    if (op.kind == RegistryBatch::Kind::kDeleteTree) ensured_ = {};
    switch (op.kind) {
      case RegistryBatch::Kind::kCreateKey: return EnsureForBatch(op, &id);
      case RegistryBatch::Kind::kSetValue: {
        Status s = EnsureForBatch(op, &id);
        return s.ok() ? Write(id, op.value) : s;
      }
      case RegistryBatch::Kind::kDeleteValue: {
        Status s = Find(op.root, op.key, &id);
        if (s.ok()) s = Erase(id, op.value.name);
        return s.IsNotFound() ? Status::Ok() : s;
      }
      case RegistryBatch::Kind::kDeleteTree: {
        Status s = DeleteKeyIn(op.root, op.key, true);
        return s.IsNotFound() ? Status::Ok() : s;
      }
    }
    return Status::InvalidArgument("unknown batch operation");
  }

 private:
  std::unique_ptr<SqliteConnection> db_;
  std::int64_t classes_id_ = kNoKey;
  std::set<std::int64_t> protected_ids_;
  struct EnsuredKey {
    RegistryRoot root = RegistryRoot::kLocalMachine;
    std::string key;
    std::int64_t id = kNoKey;
  };
  EnsuredKey ensured_;
};

SqliteRegistry::SqliteRegistry(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
SqliteRegistry::~SqliteRegistry() = default;

Status Registry::OpenOrCreate(const std::filesystem::path& path, std::unique_ptr<Registry>* registry) {
  std::unique_ptr<SqliteConnection> connection;
  Status s = SqliteConnection::Open(path, SqliteConnection::Mode::kCreate, &connection);
  if (!s.ok()) return s;
  auto impl = std::make_unique<SqliteRegistry::Impl>(std::move(connection));
  s = impl->Initialise();
  if (!s.ok()) return s;
  registry->reset(new SqliteRegistry(std::move(impl)));
  return Status::Ok();
}

Status Registry::Open(const std::filesystem::path& path, std::unique_ptr<Registry>* registry) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    return Status::NotFound("the registry database " + path.string() + " is missing");
  }
  if (std::filesystem::file_size(path, ec) == 0 || ec) {
    return Status::Corruption("the registry database " + path.string() + " is empty");
  }
  const bool read_only = HostFileIsReadOnly(path);
  std::unique_ptr<SqliteConnection> connection;
  Status s = SqliteConnection::Open(
      path, read_only ? SqliteConnection::Mode::kReadOnly : SqliteConnection::Mode::kExisting, &connection);
  if (!s.ok()) return s;
  auto impl = std::make_unique<SqliteRegistry::Impl>(std::move(connection));
  impl->read_only = read_only;
  s = impl->Attach();
  if (!s.ok()) return s;
  registry->reset(new SqliteRegistry(std::move(impl)));
  return Status::Ok();
}

bool SqliteRegistry::read_only() const { return impl_->read_only; }

Status SqliteRegistry::VisitTree(RegistryRoot root, std::string_view key, const TreeVisitor& visit) {
  Transaction txn(impl_->db(), false);
  Status s = txn.status();
  std::int64_t top = kNoKey;
  if (s.ok()) s = impl_->Find(root, key, &top);
  if (!s.ok()) return txn.Finish(s);
  std::string top_path(key);
  if (!top_path.empty() && top_path.back() == '\\') top_path.pop_back();
  // Depth first without recursion: the stack holds keys still to visit, the
  // next one on top, so a deep tree needs no deep call stack.
  std::vector<std::pair<std::int64_t, std::string>> pending = {{top, std::move(top_path)}};
  std::vector<RegistryValue> values;
  std::vector<Impl::Child> children;
  while (s.ok() && !pending.empty()) {
    auto [id, path] = std::move(pending.back());
    pending.pop_back();
    values.clear();
    children.clear();
    s = impl_->Values(id, &values);
    if (s.ok()) s = impl_->Children(id, &children);
    if (s.ok()) s = visit(path, values);
    for (auto child = children.rbegin(); s.ok() && child != children.rend(); ++child) {
      pending.emplace_back(child->id, path.empty() ? child->name : path + "\\" + child->name);
    }
  }
  return txn.Finish(s);
}

Status SqliteRegistry::OpenKey(RegistryRoot root, std::string_view key) {
  Transaction txn(impl_->db(), false);
  std::int64_t id = kNoKey;
  return txn.Finish(txn.status().ok() ? impl_->Find(root, key, &id) : txn.status());
}

Status SqliteRegistry::CreateKey(RegistryRoot root, std::string_view key, bool* existed) {
  Transaction txn(impl_->db(), true);
  std::int64_t id = kNoKey;
  return txn.Finish(txn.status().ok() ? impl_->Ensure(root, key, &id, existed) : txn.status());
}

Status SqliteRegistry::GetValue(RegistryRoot root, std::string_view key, std::string_view name,
                                RegistryValue* value) {
  Transaction txn(impl_->db(), false);
  Status s = txn.status();
  std::int64_t id = kNoKey;
  if (s.ok()) s = impl_->Find(root, key, &id);
  if (s.ok()) s = impl_->Read(id, name, value);
  return txn.Finish(s);
}

Status SqliteRegistry::SetValue(RegistryRoot root, std::string_view key, const RegistryValue& value,
                                bool create_key) {
  Transaction txn(impl_->db(), true);
  Status s = txn.status();
  std::int64_t id = kNoKey;
  if (s.ok()) s = create_key ? impl_->Ensure(root, key, &id, nullptr) : impl_->Find(root, key, &id);
  if (s.ok()) s = impl_->Write(id, value);
  return txn.Finish(s);
}

Status SqliteRegistry::DeleteValue(RegistryRoot root, std::string_view key, std::string_view name) {
  Transaction txn(impl_->db(), true);
  Status s = txn.status();
  std::int64_t id = kNoKey;
  if (s.ok()) s = impl_->Find(root, key, &id);
  if (s.ok()) s = impl_->Erase(id, name);
  return txn.Finish(s);
}

Status SqliteRegistry::ListSubkeys(RegistryRoot root, std::string_view key, std::vector<std::string>* names) {
  names->clear();
  Transaction txn(impl_->db(), false);
  Status s = txn.status();
  std::int64_t id = kNoKey;
  std::vector<Impl::Child> children;
  if (s.ok()) s = impl_->Find(root, key, &id);
  if (s.ok()) s = impl_->Children(id, &children);
  for (Impl::Child& child : children) names->push_back(std::move(child.name));
  return txn.Finish(s);
}

Status SqliteRegistry::ListValues(RegistryRoot root, std::string_view key,
                                  std::vector<RegistryValue>* values) {
  values->clear();
  Transaction txn(impl_->db(), false);
  Status s = txn.status();
  std::int64_t id = kNoKey;
  if (s.ok()) s = impl_->Find(root, key, &id);
  if (s.ok()) s = impl_->Values(id, values);
  return txn.Finish(s);
}

Status SqliteRegistry::DeleteKey(RegistryRoot root, std::string_view key) {
  Transaction txn(impl_->db(), true);
  return txn.Finish(txn.status().ok() ? impl_->DeleteKeyIn(root, key, false) : txn.status());
}

Status SqliteRegistry::DeleteTree(RegistryRoot root, std::string_view key) {
  Transaction txn(impl_->db(), true);
  return txn.Finish(txn.status().ok() ? impl_->DeleteKeyIn(root, key, true) : txn.status());
}

Status SqliteRegistry::CopyTree(RegistryRoot from_root, std::string_view from, RegistryRoot to_root,
                                std::string_view to) {
  Transaction txn(impl_->db(), true);
  return txn.Finish(txn.status().ok() ? impl_->CopyTreeIn(from_root, from, to_root, to) : txn.status());
}

Status SqliteRegistry::MoveTree(RegistryRoot from_root, std::string_view from, RegistryRoot to_root,
                                std::string_view to) {
  Transaction txn(impl_->db(), true);
  return txn.Finish(txn.status().ok() ? impl_->MoveTreeIn(from_root, from, to_root, to) : txn.status());
}

Status SqliteRegistry::Apply(const RegistryBatch& batch) {
  Transaction txn(impl_->db(), true);
  Status s = txn.status();
  if (s.ok()) s = impl_->ApplyAll(batch);
  return txn.Finish(s);
}

Status SqliteRegistry::ApplyInParts(const RegistryPartWriter& write) {
  Transaction txn(impl_->db(), true);
  Status s = txn.status();
  if (s.ok()) s = write([this](const RegistryBatch& part) { return impl_->ApplyAll(part); });
  return txn.Finish(s);
}

Status SqliteRegistry::CheckIntegrity() {
  auto q = impl_->db().Prepare("PRAGMA integrity_check");
  if (!q) return impl_->db().Error(SQLITE_ERROR, "preparing the integrity check");
  const int rc = q->Step();
  if (rc != SQLITE_ROW) return impl_->db().Error(rc, "checking integrity");
  const std::string result = q->Text(0);
  return result == "ok" ? Status::Ok() : Status::Corruption(result);
}

}  // namespace platform::target
