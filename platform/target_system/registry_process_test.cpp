// The registry shared by several processes: concurrent writers and a writer
// killed in the middle of a change.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/target_system/registry.h"
#include "platform/testing/temp_dir.h"

namespace platform::target {
namespace {

using platform::testing::TempDir;
constexpr RegistryRoot kHklm = RegistryRoot::kLocalMachine;

// Runs body in a child process; the child never returns into the test.
pid_t Spawn(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  return pid;
}

int ExitCode(pid_t pid) {
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(RegistryProcessTest, ConcurrentWriterProcessesLoseNothing) {
  TempDir dir;
  const auto path = dir / "reg.sqlite";
  constexpr int kWriters = 4;
  constexpr int kWrites = 500;
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    children.push_back(Spawn([&, w] {
      std::unique_ptr<Registry> reg;
      if (Status s = Registry::OpenOrCreate(path, &reg); !s.ok()) {
        std::fprintf(stderr, "writer %d: %s\n", w, s.ToString().c_str());
        return 2;
      }
      for (int i = 0; i < kWrites; ++i) {
        // All writers share one key as well as having keys of their own.
        const std::string name = "w" + std::to_string(w) + "_" + std::to_string(i);
        if (!reg->SetValue(kHklm, "Software\\Shared", RegistryValue::Dword(name, i)).ok()) return 3;
        if (!reg->SetValue(kHklm, "Software\\Writer" + std::to_string(w) + "\\K" + std::to_string(i % 7),
                           RegistryValue::String(name, name))
                 .ok()) {
          return 4;
        }
      }
      return 0;
    }));
  }
  for (pid_t pid : children) EXPECT_EQ(ExitCode(pid), 0);

  std::unique_ptr<Registry> reg;
  ASSERT_TRUE(Registry::OpenOrCreate(path, &reg).ok());
  std::vector<RegistryValue> shared;
  ASSERT_TRUE(reg->ListValues(kHklm, "Software\\Shared", &shared).ok());
  EXPECT_EQ(shared.size(), static_cast<std::size_t>(kWriters * kWrites));
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kWrites; i += 37) {
      const std::string name = "w" + std::to_string(w) + "_" + std::to_string(i);
      RegistryValue v;
      ASSERT_TRUE(reg->GetValue(kHklm, "Software\\Writer" + std::to_string(w) + "\\K" + std::to_string(i % 7),
                                name, &v)
                      .ok())
          << name;
      EXPECT_EQ(v.data, name);
    }
  }
  EXPECT_TRUE(reg->CheckIntegrity().ok());
}

TEST(RegistryProcessTest, WriterKilledInTheMiddleLeavesAConsistentRegistry) {
  TempDir dir;
  const auto path = dir / "reg.sqlite";
  constexpr int kCommitted = 100;
  constexpr int kBatchSize = 20000;
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = Spawn([&] {
    std::unique_ptr<Registry> reg;
    if (!Registry::OpenOrCreate(path, &reg).ok()) return 2;
    for (int i = 0; i < kCommitted; ++i) {
      if (!reg->SetValue(kHklm, "Software\\Committed", RegistryValue::Dword("v" + std::to_string(i), i))
               .ok()) {
        return 3;
      }
    }
    const char byte = 1;
    if (::write(ready[1], &byte, 1) != 1) return 4;
    // Large batches, one after another, until killed: each either lands
    // whole or not at all.
    for (int round = 0;; ++round) {
      RegistryBatch batch;
      for (int i = 0; i < kBatchSize; ++i) {
        batch.SetValue(kHklm, "Software\\Batch\\" + std::to_string(round),
                       RegistryValue::Dword("v" + std::to_string(i), i));
      }
      batch.DeleteTree(kHklm, "Software\\Committed\\Nothing");
      if (!reg->Apply(batch).ok()) return 5;
    }
  });
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_EQ(::kill(child, SIGKILL), 0);
  EXPECT_EQ(ExitCode(child), 128 + SIGKILL);
  ::close(ready[0]);
  ::close(ready[1]);

  std::unique_ptr<Registry> reg;
  ASSERT_TRUE(Registry::OpenOrCreate(path, &reg).ok());
  EXPECT_TRUE(reg->CheckIntegrity().ok());
  std::vector<RegistryValue> committed;
  ASSERT_TRUE(reg->ListValues(kHklm, "Software\\Committed", &committed).ok());
  EXPECT_EQ(committed.size(), static_cast<std::size_t>(kCommitted));
  std::vector<std::string> rounds;
  Status s = reg->ListSubkeys(kHklm, "Software\\Batch", &rounds);
  ASSERT_TRUE(s.ok() || s.IsNotFound());
  for (const std::string& round : rounds) {
    std::vector<RegistryValue> values;
    ASSERT_TRUE(reg->ListValues(kHklm, "Software\\Batch\\" + round, &values).ok());
    EXPECT_EQ(values.size(), static_cast<std::size_t>(kBatchSize)) << "round " << round;
  }
  // The registry takes new writes after the crash.
  EXPECT_TRUE(reg->SetValue(kHklm, "Software\\After", RegistryValue::Dword("v", 1)).ok());
}

}  // namespace
}  // namespace platform::target
