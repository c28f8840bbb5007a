#include "platform/target_system/registry.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include "platform/atomic_file.h"
#include "platform/testing/temp_dir.h"

namespace platform::target {
namespace {

using platform::testing::TempDir;
constexpr RegistryRoot kHklm = RegistryRoot::kLocalMachine;
constexpr RegistryRoot kHkcr = RegistryRoot::kClassesRoot;
constexpr RegistryRoot kHkcu = RegistryRoot::kCurrentUser;

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Registry::OpenOrCreate(dir_ / "reg.sqlite", &reg_).ok()); }

  std::string ReadString(RegistryRoot root, std::string_view key, std::string_view name) {
    RegistryValue value;
    Status s = reg_->GetValue(root, key, name, &value);
    return s.ok() && value.AsString() ? *value.AsString() : "<missing>";
  }

  TempDir dir_;
  std::unique_ptr<Registry> reg_;
};

TEST_F(RegistryTest, NamesMatchWithoutCaseAndKeepTheirFirstSpelling) {
  bool existed = true;
  ASSERT_TRUE(reg_->CreateKey(kHklm, "Software\\Maker\\App", &existed).ok());
  EXPECT_FALSE(existed);
  ASSERT_TRUE(reg_->CreateKey(kHklm, "SOFTWARE\\maker\\APP", &existed).ok());
  EXPECT_TRUE(existed);

  ASSERT_TRUE(reg_->SetValue(kHklm, "software\\MAKER\\app", RegistryValue::String("Path", "C:\\A")).ok());
  ASSERT_TRUE(reg_->SetValue(kHklm, "Software\\Maker\\App", RegistryValue::String("PATH", "C:\\B")).ok());
  std::vector<RegistryValue> values;
  ASSERT_TRUE(reg_->ListValues(kHklm, "Software\\Maker\\App", &values).ok());
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].name, "Path");
  EXPECT_EQ(values[0].data, "C:\\B");

  std::vector<std::string> subkeys;
  ASSERT_TRUE(reg_->ListSubkeys(kHklm, "software", &subkeys).ok());
  EXPECT_NE(std::find(subkeys.begin(), subkeys.end(), "Maker"), subkeys.end());
}

TEST_F(RegistryTest, OpenNeverCreatesAndMissingThingsAreNotFound) {
  EXPECT_TRUE(reg_->OpenKey(kHkcu, "Software\\Nothing").IsNotFound());
  EXPECT_TRUE(reg_->OpenKey(kHkcu, "Software\\Nothing").IsNotFound());  // still not there
  RegistryValue value;
  EXPECT_TRUE(reg_->GetValue(kHkcu, "Software\\Nothing", "x", &value).IsNotFound());
  EXPECT_TRUE(reg_->SetValue(kHkcu, "Software\\Nothing", RegistryValue::Dword("x", 1), false).IsNotFound());
  EXPECT_TRUE(reg_->OpenKey(kHkcu, "Software\\Nothing").IsNotFound());
  ASSERT_TRUE(reg_->CreateKey(kHkcu, "Software\\Here").ok());
  EXPECT_TRUE(reg_->GetValue(kHkcu, "Software\\Here", "x", &value).IsNotFound());
  EXPECT_TRUE(reg_->DeleteValue(kHkcu, "Software\\Here", "x").IsNotFound());
}

TEST_F(RegistryTest, MalformedKeyPathsAreRefused) {
  EXPECT_TRUE(reg_->CreateKey(kHkcu, "A\\\\B").IsInvalidArgument());
  EXPECT_TRUE(reg_->CreateKey(kHkcu, "\\A").IsInvalidArgument());
  EXPECT_TRUE(reg_->CreateKey(kHkcu, std::string(256, 'k')).IsInvalidArgument());
  EXPECT_TRUE(reg_->CreateKey(kHkcu, "A\\B\\").ok());  // one trailing backslash is fine
  EXPECT_TRUE(reg_->OpenKey(kHkcu, "a\\b").ok());
}

TEST_F(RegistryTest, ClassesRootIsTheClassesKeyOfTheMachine) {
  ASSERT_TRUE(reg_->SetValue(kHkcr, ".pkc", RegistryValue::String("", "Plakato.ConfigFile")).ok());
  EXPECT_EQ(ReadString(kHklm, "SOFTWARE\\Classes\\.pkc", ""), "Plakato.ConfigFile");
  ASSERT_TRUE(reg_->SetValue(kHklm, "Software\\Classes\\kestro-pkc\\shell\\open\\command",
                             RegistryValue::String("", "\"x.exe\" \"%1\""))
                  .ok());
  EXPECT_EQ(ReadString(kHkcr, "KESTRO-PKC\\Shell\\Open\\Command", ""), "\"x.exe\" \"%1\"");
  ASSERT_TRUE(reg_->DeleteTree(kHkcr, "kestro-pkc").ok());
  EXPECT_TRUE(reg_->OpenKey(kHklm, "Software\\Classes\\kestro-pkc").IsNotFound());
  // The key behind the view and its parent cannot go.
  EXPECT_TRUE(reg_->DeleteTree(kHklm, "Software\\Classes").IsAccessDenied());
  EXPECT_TRUE(reg_->DeleteTree(kHklm, "Software").IsAccessDenied());
  EXPECT_TRUE(reg_->DeleteKey(kHklm, "").IsAccessDenied());
  EXPECT_TRUE(reg_->OpenKey(kHkcr, "").ok());
}

TEST_F(RegistryTest, DefaultValueHasTheEmptyName) {
  ASSERT_TRUE(reg_->SetValue(kHkcu, "K", RegistryValue::String("", "default")).ok());
  ASSERT_TRUE(reg_->SetValue(kHkcu, "K", RegistryValue::String("@", "named at")).ok());
  EXPECT_EQ(ReadString(kHkcu, "K", ""), "default");
  EXPECT_EQ(ReadString(kHkcu, "K", "@"), "named at");
  ASSERT_TRUE(reg_->DeleteValue(kHkcu, "K", "").ok());
  EXPECT_EQ(ReadString(kHkcu, "K", ""), "<missing>");
  EXPECT_EQ(ReadString(kHkcu, "K", "@"), "named at");
}

TEST_F(RegistryTest, TypesAreKeptAndReadOnlyAsTheirOwnType) {
  const std::string multi("a\0b\0\0", 5);
  ASSERT_TRUE(reg_->SetValue(kHkcu, "T", RegistryValue::Dword("count", 0xFFFFFFFEu)).ok());
  ASSERT_TRUE(reg_->SetValue(kHkcu, "T", RegistryValue::Raw("multi", kRegMultiSz, multi)).ok());
  ASSERT_TRUE(reg_->SetValue(kHkcu, "T", RegistryValue::Raw("empty", kRegBinary, "")).ok());
  RegistryValue v;
  ASSERT_TRUE(reg_->GetValue(kHkcu, "T", "COUNT", &v).ok());
  EXPECT_EQ(v.AsDword(), 0xFFFFFFFEu);
  EXPECT_FALSE(v.AsString());
  ASSERT_TRUE(reg_->GetValue(kHkcu, "T", "multi", &v).ok());
  EXPECT_EQ(v.type, kRegMultiSz);
  EXPECT_EQ(v.data, multi);
  EXPECT_FALSE(v.AsString());
  ASSERT_TRUE(reg_->GetValue(kHkcu, "T", "empty", &v).ok());
  EXPECT_EQ(v.type, kRegBinary);
  EXPECT_EQ(v.data, "");
  EXPECT_TRUE(reg_->SetValue(kHkcu, "T", RegistryValue::Raw("bad", kRegDword, "12")).IsInvalidArgument());
}

TEST_F(RegistryTest, ValuesListInWritingOrderAndSubkeysByName) {
  for (const char* name : {"zeta", "Alpha", "mid"}) {
    ASSERT_TRUE(reg_->SetValue(kHkcu, "O", RegistryValue::String(name, name)).ok());
    ASSERT_TRUE(reg_->CreateKey(kHkcu, std::string("O\\") + name).ok());
  }
  ASSERT_TRUE(reg_->SetValue(kHkcu, "O", RegistryValue::String("ZETA", "rewritten")).ok());
  std::vector<RegistryValue> values;
  ASSERT_TRUE(reg_->ListValues(kHkcu, "O", &values).ok());
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[0].name, "zeta");
  EXPECT_EQ(values[0].data, "rewritten");
  EXPECT_EQ(values[1].name, "Alpha");
  std::vector<std::string> subkeys;
  ASSERT_TRUE(reg_->ListSubkeys(kHkcu, "O", &subkeys).ok());
  EXPECT_EQ(subkeys, (std::vector<std::string>{"Alpha", "mid", "zeta"}));
}

TEST_F(RegistryTest, DeleteKeyRefusesSubkeysDeleteTreeTakesAll) {
  ASSERT_TRUE(reg_->SetValue(kHkcu, "P\\C\\G", RegistryValue::Dword("v", 1)).ok());
  ASSERT_TRUE(reg_->SetValue(kHkcu, "P", RegistryValue::Dword("v", 1)).ok());
  EXPECT_TRUE(reg_->DeleteKey(kHkcu, "P").IsNotEmpty());
  EXPECT_TRUE(reg_->OpenKey(kHkcu, "P\\C\\G").ok());
  EXPECT_TRUE(reg_->DeleteKey(kHkcu, "P\\C\\G").ok());
  EXPECT_TRUE(reg_->DeleteKey(kHkcu, "P\\C\\G").IsNotFound());
  ASSERT_TRUE(reg_->SetValue(kHkcu, "P\\C\\G", RegistryValue::Dword("v", 1)).ok());
  EXPECT_TRUE(reg_->DeleteTree(kHkcu, "p").ok());
  EXPECT_TRUE(reg_->OpenKey(kHkcu, "P").IsNotFound());
  // A new key of the same name starts empty: nothing of the old tree survives.
  ASSERT_TRUE(reg_->CreateKey(kHkcu, "P\\C").ok());
  RegistryValue v;
  EXPECT_TRUE(reg_->GetValue(kHkcu, "P", "v", &v).IsNotFound());
  std::vector<std::string> subkeys;
  ASSERT_TRUE(reg_->ListSubkeys(kHkcu, "P\\C", &subkeys).ok());
  EXPECT_TRUE(subkeys.empty());
}

TEST_F(RegistryTest, CopyAndMoveKeepTypesBytesAndStructure) {
  const std::string expand("%\0W\0%\0\0\0", 8);
  ASSERT_TRUE(reg_->SetValue(kHkcr, ".pkc", RegistryValue::String("", "Old.File")).ok());
  ASSERT_TRUE(reg_->SetValue(kHkcr, ".pkc", RegistryValue::Raw("x", kRegExpandSz, expand)).ok());
  ASSERT_TRUE(reg_->SetValue(kHkcr, ".pkc\\ShellNew", RegistryValue::Dword("n", 7)).ok());

  ASSERT_TRUE(reg_->CopyTree(kHkcr, ".pkc", kHkcu, "Backup\\copy").ok());
  ASSERT_TRUE(reg_->MoveTree(kHkcr, ".pkc", kHkcr, "kestroBackup-pkc").ok());
  EXPECT_TRUE(reg_->OpenKey(kHkcr, ".pkc").IsNotFound());

  for (auto [root, key] : {std::pair{kHkcu, "Backup\\copy"}, std::pair{kHkcr, "kestroBackup-pkc"}}) {
    RegistryValue v;
    ASSERT_TRUE(reg_->GetValue(root, key, "x", &v).ok()) << key;
    EXPECT_EQ(v.type, kRegExpandSz);
    EXPECT_EQ(v.data, expand);
    ASSERT_TRUE(reg_->GetValue(root, std::string(key) + "\\shellnew", "N", &v).ok()) << key;
    EXPECT_EQ(v.AsDword(), 7u);
    EXPECT_EQ(ReadString(root, key, ""), "Old.File");
  }
  // Moving back merges into an existing key and removes the source.
  ASSERT_TRUE(reg_->SetValue(kHkcr, ".pkc", RegistryValue::String("Owner", "keep")).ok());
  ASSERT_TRUE(reg_->MoveTree(kHkcr, "kestroBackup-pkc", kHkcr, ".pkc").ok());
  EXPECT_EQ(ReadString(kHkcr, ".pkc", ""), "Old.File");
  EXPECT_EQ(ReadString(kHkcr, ".pkc", "Owner"), "keep");
  EXPECT_TRUE(reg_->OpenKey(kHkcr, "kestroBackup-pkc").IsNotFound());
}

TEST_F(RegistryTest, MovingOntoItselfRenamesAndIntoItselfIsRefused) {
  ASSERT_TRUE(reg_->SetValue(kHkcu, "Foo\\Sub", RegistryValue::String("v", "kept")).ok());
  // Copy-then-delete would lose everything here; a case change is a rename.
  ASSERT_TRUE(reg_->MoveTree(kHkcu, "Foo", kHkcu, "FOO").ok());
  EXPECT_EQ(ReadString(kHkcu, "foo\\sub", "v"), "kept");
  std::vector<std::string> subkeys;
  ASSERT_TRUE(reg_->ListSubkeys(kHkcu, "", &subkeys).ok());
  EXPECT_NE(std::find(subkeys.begin(), subkeys.end(), "FOO"), subkeys.end());

  EXPECT_TRUE(reg_->MoveTree(kHkcu, "FOO", kHkcu, "foo\\sub\\deeper").IsInvalidArgument());
  EXPECT_TRUE(reg_->CopyTree(kHkcu, "FOO", kHkcu, "foo\\Sub\\deeper").IsInvalidArgument());
  EXPECT_TRUE(reg_->OpenKey(kHkcu, "foo\\sub\\deeper").IsNotFound());  // nothing half done
  EXPECT_EQ(ReadString(kHkcu, "foo\\sub", "v"), "kept");
  EXPECT_TRUE(reg_->MoveTree(kHkcu, "FOO", kHkcu, "").IsInvalidArgument());
}

TEST_F(RegistryTest, BatchIsAllOrNothing) {
  RegistryBatch batch;
  batch.SetValue(kHkcu, "B\\One", RegistryValue::String("a", "1"));
  batch.SetValue(kHkcu, "B\\Two", RegistryValue::Raw("bad", kRegDword, "x"));
  EXPECT_FALSE(reg_->Apply(batch).ok());
  EXPECT_TRUE(reg_->OpenKey(kHkcu, "B").IsNotFound());

  RegistryBatch good;
  good.SetValue(kHkcu, "B\\One", RegistryValue::String("a", "1"));
  good.DeleteValue(kHkcu, "B\\Missing", "nothing");
  good.DeleteTree(kHkcu, "B\\AlsoMissing");
  EXPECT_TRUE(reg_->Apply(good).ok());
  EXPECT_EQ(ReadString(kHkcu, "B\\One", "a"), "1");

  // Values of one key around the deletion of its tree land in the new key.
  RegistryBatch again;
  again.SetValue(kHkcu, "B\\One", RegistryValue::String("a", "2"));
  again.DeleteTree(kHkcu, "B");
  again.SetValue(kHkcu, "B\\One", RegistryValue::String("b", "3"));
  again.SetValue(kHkcu, "B\\One", RegistryValue::String("c", "4"));
  ASSERT_TRUE(reg_->Apply(again).ok());
  EXPECT_EQ(ReadString(kHkcu, "B\\One", "a"), "<missing>");
  EXPECT_EQ(ReadString(kHkcu, "B\\One", "c"), "4");
}

TEST_F(RegistryTest, ChangeInPartsIsOneChangeThatItsWriterCanRead) {
  std::unique_ptr<Registry> other;
  ASSERT_TRUE(Registry::Open(dir_ / "reg.sqlite", &other).ok());
  int parts = 0;
  const Status written = reg_->ApplyInParts([&](const RegistryPartSink& sink) {
    StreamedBatch streamed(sink, 2);
    for (int n = 1; n <= 5; ++n)
      streamed.SetValue(kHkcu, "P\\List", RegistryValue::Dword("Item" + std::to_string(n), n));
    // The writer reads and writes through the registry meanwhile, and sees
    // the parts handed over so far; another connection sees none of them.
    EXPECT_EQ(ReadString(kHkcu, "P\\List", "Item4"), "<missing>");  // a dword
    RegistryValue value;
    EXPECT_TRUE(reg_->GetValue(kHkcu, "P\\List", "Item4", &value).ok());
    EXPECT_TRUE(other->OpenKey(kHkcu, "P").IsNotFound());
    EXPECT_TRUE(reg_->SetValue(kHkcu, "P", RegistryValue::String("beside", "yes")).ok());
    return streamed.Finish();
  });
  ASSERT_TRUE(written.ok()) << written.ToString();
  RegistryValue fifth;
  ASSERT_TRUE(other->GetValue(kHkcu, "P\\List", "Item5", &fifth).ok());
  EXPECT_EQ(fifth.AsDword(), 5u);
  EXPECT_EQ(ReadString(kHkcu, "P", "beside"), "yes");

  // A bad part undoes the parts before it and what the writer wrote beside.
  const Status failed = reg_->ApplyInParts([&](const RegistryPartSink& sink) {
    const RegistryPartSink counted = [&](const RegistryBatch& part) {
      ++parts;
      return sink(part);
    };
    StreamedBatch streamed(counted, 2);
    streamed.DeleteTree(kHkcu, "P");
    streamed.SetValue(kHkcu, "Q", RegistryValue::String("a", "1"));
    EXPECT_TRUE(reg_->SetValue(kHkcu, "R", RegistryValue::String("beside", "no")).ok());
    streamed.SetValue(kHkcu, "Q", RegistryValue::Raw("bad", kRegDword, "x"));
    streamed.SetValue(kHkcu, "Q", RegistryValue::String("after", "dropped"));
    streamed.SetValue(kHkcu, "Q", RegistryValue::String("later", "dropped"));
    return streamed.Finish();
  });
  EXPECT_FALSE(failed.ok());
  EXPECT_EQ(parts, 2);  // nothing more is handed over after the failure
  EXPECT_EQ(ReadString(kHkcu, "P", "beside"), "yes");
  EXPECT_TRUE(reg_->OpenKey(kHkcu, "Q").IsNotFound());
  EXPECT_TRUE(reg_->OpenKey(kHkcu, "R").IsNotFound());

  // So does a writer that fails after handing every part over.
  EXPECT_TRUE(reg_->ApplyInParts([](const RegistryPartSink& sink) {
                    RegistryBatch part;
                    part.DeleteTree(kHkcu, "P");
                    const Status handed = sink(part);
                    return handed.ok() ? Status::IoError("the writer gave up") : handed;
                  })
                  .code() == Status::Code::kIoError);
  EXPECT_EQ(ReadString(kHkcu, "P", "beside"), "yes");
}

TEST_F(RegistryTest, SecondConnectionSeesCommittedChanges) {
  std::unique_ptr<Registry> other;
  ASSERT_TRUE(Registry::OpenOrCreate(dir_ / "reg.sqlite", &other).ok());
  ASSERT_TRUE(reg_->SetValue(kHklm, "Software\\X", RegistryValue::String("v", "1")).ok());
  RegistryValue v;
  ASSERT_TRUE(other->GetValue(kHklm, "software\\x", "V", &v).ok());
  EXPECT_EQ(v.data, "1");
  EXPECT_TRUE(other->CheckIntegrity().ok());
}

TEST_F(RegistryTest, ANonDatabaseFileIsRefused) {
  ASSERT_TRUE(WriteFileAtomically(dir_ / "junk.sqlite", std::string(4096, 'x')).ok());
  std::unique_ptr<Registry> junk;
  Status s = Registry::OpenOrCreate(dir_ / "junk.sqlite", &junk);
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(junk, nullptr);
}

TEST_F(RegistryTest, KeyNamesAreLimitedInCharactersNotBytes) {
  std::string japanese;
  for (int i = 0; i < 100; ++i) japanese += "鍵";  // 300 bytes, 100 characters
  ASSERT_TRUE(reg_->CreateKey(kHkcu, "Software\\" + japanese).ok());
  EXPECT_TRUE(reg_->OpenKey(kHkcu, "Software\\" + japanese).ok());
  EXPECT_TRUE(reg_->CreateKey(kHkcu, "Software\\" + std::string(255, 'a')).ok());
  EXPECT_TRUE(reg_->CreateKey(kHkcu, "Software\\" + std::string(256, 'a')).IsInvalidArgument());
  std::string too_long;
  for (int i = 0; i < 256; ++i) too_long += "鍵";
  EXPECT_TRUE(reg_->CreateKey(kHkcu, too_long).IsInvalidArgument());
}

std::string Chain(std::size_t levels) {
  std::string path;
  for (std::size_t i = 0; i < levels; ++i) path += (i ? "\\k" : "k") + std::to_string(i % 10);
  return path;
}

TEST_F(RegistryTest, KeysReachAtMostFiveHundredTwelveLevels) {
  ASSERT_TRUE(reg_->SetValue(kHkcu, Chain(512), RegistryValue::String("v", "deep")).ok());
  EXPECT_EQ(ReadString(kHkcu, Chain(512), "v"), "deep");
  EXPECT_TRUE(reg_->CreateKey(kHkcu, Chain(513)).IsInvalidArgument());
  EXPECT_TRUE(reg_->OpenKey(kHkcu, Chain(513)).IsInvalidArgument());
  // HKEY_CLASSES_ROOT starts two levels down.
  EXPECT_TRUE(reg_->CreateKey(kHkcr, Chain(510)).ok());
  EXPECT_TRUE(reg_->CreateKey(kHkcr, Chain(511)).IsInvalidArgument());
  // Moving or copying a tree below a deep key may not push it deeper.
  ASSERT_TRUE(reg_->CreateKey(kHklm, "Software\\Tall\\" + Chain(100)).ok());
  EXPECT_TRUE(reg_->CopyTree(kHklm, "Software\\Tall", kHkcu, "C\\" + Chain(449)).IsInvalidArgument());
  EXPECT_TRUE(
      reg_->MoveTree(kHklm, "Software\\Tall", kHkcu, "M\\" + Chain(449) + "\\Tall").IsInvalidArgument());
  EXPECT_TRUE(reg_->OpenKey(kHklm, "Software\\Tall").ok());
  EXPECT_TRUE(reg_->OpenKey(kHkcu, "C").IsNotFound());  // nothing half done
  EXPECT_TRUE(reg_->OpenKey(kHkcu, "M").IsNotFound());
  EXPECT_TRUE(reg_->MoveTree(kHklm, "Software\\Tall", kHkcu, "M\\" + Chain(300) + "\\Tall").ok());
}

TEST_F(RegistryTest, VisitTreeGivesParentsFirstInListOrder) {
  ASSERT_TRUE(reg_->SetValue(kHkcu, "T\\b", RegistryValue::String("v", "1")).ok());
  ASSERT_TRUE(reg_->CreateKey(kHkcu, "T\\a\\z").ok());
  ASSERT_TRUE(reg_->CreateKey(kHkcu, "T\\a\\Y").ok());
  std::vector<std::string> order;
  std::size_t values = 0;
  ASSERT_TRUE(reg_->VisitTree(kHkcu, "T\\",
                              [&](const std::string& path, const std::vector<RegistryValue>& v) {
                                order.push_back(path);
                                values += v.size();
                                return Status::Ok();
                              })
                  .ok());
  EXPECT_EQ(order, (std::vector<std::string>{"T", "T\\a", "T\\a\\Y", "T\\a\\z", "T\\b"}));
  EXPECT_EQ(values, 1u);
  EXPECT_TRUE(
      reg_->VisitTree(kHkcu, "Missing",
                      [](const std::string&, const std::vector<RegistryValue>&) { return Status::Ok(); })
          .IsNotFound());
  int calls = 0;
  EXPECT_TRUE(reg_->VisitTree(kHkcu, "T",
                              [&](const std::string&, const std::vector<RegistryValue>&) {
                                ++calls;
                                return Status::Corruption("stop");
                              })
                  .code() == Status::Code::kCorruption);
  EXPECT_EQ(calls, 1);
}

TEST_F(RegistryTest, AnExpandStringReadsAsText) {
  ASSERT_TRUE(
      reg_->SetValue(kHklm, "P", RegistryValue::ExpandString("Dir", "%SystemDrive%\\Documents and Settings"))
          .ok());
  EXPECT_EQ(ReadString(kHklm, "P", "Dir"), "%SystemDrive%\\Documents and Settings");
}

TEST(RegistryOpenTest, OpeningNeverCreatesAndAnEmptyFileIsNoRegistry) {
  TempDir dir;
  std::unique_ptr<Registry> reg;
  EXPECT_TRUE(Registry::Open(dir / "none.sqlite", &reg).IsNotFound());
  EXPECT_FALSE(std::filesystem::exists(dir / "none.sqlite"));
  ASSERT_TRUE(WriteFileAtomically(dir / "empty.sqlite", "").ok());
  EXPECT_EQ(Registry::Open(dir / "empty.sqlite", &reg).code(), Status::Code::kCorruption);
  // An SQLite database of something else is not a registry either, and the
  // message does not quote the statements behind it.
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((dir / "other.sqlite").c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE t(x)", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  const Status s = Registry::Open(dir / "other.sqlite", &reg);
  EXPECT_EQ(s.code(), Status::Code::kCorruption);
  EXPECT_EQ(s.message().find("SELECT"), std::string::npos);
  EXPECT_EQ(reg, nullptr);
  ASSERT_TRUE(Registry::OpenOrCreate(dir / "made.sqlite", &reg).ok());
  reg.reset();
  EXPECT_TRUE(Registry::Open(dir / "made.sqlite", &reg).ok());
  EXPECT_FALSE(reg->read_only());
}

}  // namespace
}  // namespace platform::target
