#include <signal.h>
#include <sqlite3.h>

#include <chrono>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "RegistryFixture.h"
#include "childprocs/RegistryPattern.h"
#include "support/ChildProcess.h"

namespace RegistryTests {
namespace {

using RegistryDurability = RegistryTest;
using TestSupport::ChildProcess;

constexpr uint64_t kValues = 6;

std::string IntegrityCheck(const std::string& path) {
  sqlite3* db = nullptr;
  std::string result = "cannot open";
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
      result = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
  }
  sqlite3_close(db);
  return result;
}

// Generation stored for each value (0 when absent); -1 marks data that is no pattern at all.
std::map<uint64_t, int64_t> StoredGenerations(const char16_t* keyPath, uint64_t first,
                                              uint64_t count) {
  std::map<uint64_t, int64_t> out;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
  for (uint64_t v = first; v < first + count; ++v) {
    std::string digits = std::to_string(v);
    std::u16string name = u"v" + std::u16string(digits.begin(), digits.end());
    std::optional<std::string> data = Bytes(key, name.c_str());
    out[v] = data ? TestSupport::RegistryPatternGeneration(*data, v) : 0;
  }
  RegCloseKey(key);
  return out;
}

// Confirmed generation per value from the writer's "<g> <v>" lines.
void Confirm(const std::vector<std::string>& lines, std::map<uint64_t, int64_t>* confirmed) {
  for (const std::string& line : lines) {
    std::istringstream in(line);
    int64_t g;
    uint64_t v;
    if (in >> g >> v) (*confirmed)[v] = g;
  }
}

TEST_F(RegistryDurability, WritesKilledAtRandomMomentsLeaveOldOrNewBytes) {
  std::mt19937 rng(20240611);
  std::map<uint64_t, int64_t> known;
  for (uint64_t v = 0; v < kValues; ++v) known[v] = 0;
  int64_t nextGeneration = 1;
  int interruptedWrites = 0;
  for (int round = 0; round < 50; ++round) {
    const int64_t runStart = nextGeneration;
    ChildProcess writer(TestSupport::ChildProgram("RegistryWriter"),
                        {"Software\\Crash", "0", std::to_string(kValues),
                         std::to_string(nextGeneration), "100000"});
    ASSERT_TRUE(writer.Started());
    ASSERT_TRUE(writer.WaitForLine(20000)) << "the writer did not start writing";
    std::this_thread::sleep_for(std::chrono::microseconds(rng() % 30000));
    writer.Kill(SIGKILL);
    ASSERT_EQ(writer.Wait(), 128 + SIGKILL) << "the writer ended on its own";
    std::map<uint64_t, int64_t> confirmed = known;
    Confirm(writer.TakeLines(), &confirmed);

    ASSERT_EQ(IntegrityCheck(Database()), "ok") << "round " << round;
    std::map<uint64_t, int64_t> stored = StoredGenerations(u"Software\\Crash", 0, kValues);
    int ahead = 0;
    for (uint64_t v = 0; v < kValues; ++v) {
      // Old bytes: the last confirmed write. New bytes: the one write under way at the kill,
      // which is the next generation of exactly one value.
      int64_t s = stored[v];
      int64_t c = confirmed[v];
      int64_t next = c >= runStart ? c + 1 : runStart;
      bool inFlight = s == next;
      EXPECT_TRUE(s == c || inFlight)
          << "round " << round << " value " << v << ": stored " << s << ", confirmed " << c;
      if (s != c) ++ahead;
      known[v] = s;
      nextGeneration = std::max(nextGeneration, s + 1);
      nextGeneration = std::max(nextGeneration, c + 1);
    }
    EXPECT_LE(ahead, 1) << "round " << round;
    interruptedWrites += ahead;
  }
  // The kills must really have landed among the writes.
  EXPECT_GT(nextGeneration, 50);
  RecordProperty("interrupted_writes", interruptedWrites);
}

TEST_F(RegistryDurability, TwoProcessesWritingAtOnceBothSucceed) {
  const uint64_t generations = 40;
  ChildProcess a(TestSupport::ChildProgram("RegistryWriter"),
                 {"Software\\Shared", "0", "4", "1", std::to_string(generations)});
  ChildProcess b(TestSupport::ChildProgram("RegistryWriter"),
                 {"Software\\Shared", "4", "4", "1", std::to_string(generations)});
  ASSERT_TRUE(a.Started() && b.Started());
  EXPECT_EQ(a.Wait(), 0);
  EXPECT_EQ(b.Wait(), 0);
  std::vector<std::string> linesA = a.TakeLines(), linesB = b.TakeLines();
  EXPECT_EQ(linesA.size(), generations * 4) << (linesA.empty() ? "" : linesA.back());
  EXPECT_EQ(linesB.size(), generations * 4) << (linesB.empty() ? "" : linesB.back());
  std::map<uint64_t, int64_t> stored = StoredGenerations(u"Software\\Shared", 0, 8);
  for (uint64_t v = 0; v < 8; ++v) EXPECT_EQ(stored[v], static_cast<int64_t>(generations)) << v;
  EXPECT_EQ(IntegrityCheck(Database()), "ok");
}

TEST_F(RegistryDurability, ThreadsOfOneProcessShareTheStore) {
  HKEY key = Create(u"Software\\Threads");
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([key, t] {
      for (int i = 0; i < 50; ++i) {
        std::string data =
            TestSupport::RegistryPattern(static_cast<uint64_t>(i + 1), static_cast<uint64_t>(t));
        std::u16string name = u"v" + std::u16string(1, static_cast<char16_t>(u'0' + t));
        EXPECT_EQ(ERROR_SUCCESS, SetBytes(key, name.c_str(), REG_BINARY, data));
      }
    });
  }
  for (std::thread& th : threads) th.join();
  RegCloseKey(key);
  std::map<uint64_t, int64_t> stored = StoredGenerations(u"Software\\Threads", 0, 4);
  for (uint64_t v = 0; v < 4; ++v) EXPECT_EQ(stored[v], 50) << v;
}

}  // namespace
}  // namespace RegistryTests
