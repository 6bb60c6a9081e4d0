// Crash consistency: a save or a start-up runs in a child process that is
// killed at each of its disk operations in turn; a fresh start-up on the
// files left behind must find every quote, and the saved one wholly old or
// wholly new.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <iostream>
#include <sys/wait.h>
#include <unistd.h>

#include "common/number_text.h"
#include "store/disk.h"
#include "store/quote_file.h"
#include "store/quote_record.h"
#include "store/settings.h"
#include "store/start_up.h"
#include "tests/disk_faults.h"
#include "tests/store_checks.h"
#include "tests/store_fixture.h"
#include "tests/test_folder.h"

using namespace store_checks;

namespace {

// In the child: killed before its k-th disk operation, or (torn) with that
// operation, if a write, put down only in half and killed at the next one.
int OpsSeen = 0;
int KillAt = 0;
bool Torn = false;

DiskFault KillAsPlanned(DiskOp op) {
  int n = ++OpsSeen;
  if (Torn && n == KillAt && op == DiskOp::Write) return DiskFault::ShortWrite;
  if (n == KillAt || (Torn && n == KillAt + 1)) ::kill(::getpid(), SIGKILL);
  return DiskFault::None;
}

// How the child ended: killed, or done with the operation's result.
enum class Outcome { Killed, Succeeded, Failed };

Outcome RunInChild(int killAt, bool torn, const std::function<bool()>& operation) {
  std::fflush(nullptr);
  pid_t child = ::fork();
  if (child == 0) {
    OpsSeen = 0;
    KillAt = killAt;
    Torn = torn;
    DiskHook = KillAsPlanned;
    bool result = operation();
    ::_exit(result ? 0 : 1);
  }
  int status = 0;
  EXPECT_EQ(::waitpid(child, &status, 0), child);
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) return Outcome::Killed;
  EXPECT_TRUE(WIFEXITED(status)) << "child ended by signal " << WTERMSIG(status);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Outcome::Succeeded : Outcome::Failed;
}

// Kills the operation at k = 1, 2, ... until it runs to its end; after each,
// `check` judges the files after a fresh start-up. Gives the number of
// crash points tried.
int CrashSweep(bool torn, const std::function<void()>& layDown,
               const std::function<bool()>& operation, const std::function<void(Outcome)>& check) {
  for (int k = 1; k <= 10000; ++k) {
    SCOPED_TRACE(std::string(torn ? "torn write" : "killed") + " at disk operation " +
                 std::to_string(k));
    layDown();
    Outcome outcome = RunInChild(k, torn, operation);
    // Start afresh on what the child left.
    RecordCount = -1;
    LoadSettings();
    check(outcome);
    if (::testing::Test::HasFailure() || outcome != Outcome::Killed) return k;
  }
  ADD_FAILURE() << "the operation never ends";
  return 0;
}

void Report(const std::string& what, int points) {
  std::cout << "[ measured ] crash points, " << what << ": " << points << "\n";
}

class Crash : public StoreTest {};

}  // namespace

TEST_F(Crash, AppendIsWhollyThereOrNot) {
  const Store stores[] = {MakeStore(3, 2), MakeStore(0, 2), MakeStore(2, 2, false)};
  int points = 0;
  for (const Store& store : stores) {
    for (bool torn : {false, true}) {
      std::string added;
      points += CrashSweep(
          torn, [&] { LayDown(store); added = NewQuote(); }, [] { return SaveQuote(1, 0); },
          [&](Outcome outcome) {
            // A record put down whole before the kill is a quote for the
            // fresh start-up, which counts every whole record (no one was
            // told it failed); a torn one is not, and is written over.
            int32_t n = store.Count();
            OnDisk disk = ReadBack();
            ASSERT_TRUE(disk.settingsThere);
            ASSERT_TRUE(disk.count == n || disk.count == n + 1) << disk.count;
            EXPECT_EQ(ReadBytes("datos.dat").size() / kRecordSize, static_cast<std::size_t>(disk.count));
            ASSERT_EQ(disk.quotes.size(), static_cast<std::size_t>(disk.count));
            EXPECT_EQ(RecordCount, disk.count);
            for (int32_t i = 0; i < n; ++i) EXPECT_EQ(Show(disk.quotes[i]), Show(store.quotes[i]));
            bool stored = disk.count == n + 1;
            if (stored) {
              EXPECT_EQ(Show(disk.quotes[n]), Show(added));
            }
            if (outcome != Outcome::Killed) {
              EXPECT_EQ(outcome == Outcome::Succeeded, stored);
            }
            ExpectAppendKeepsAll(disk);
          });
    }
  }
  Report("append (killed and torn writes, 3 starting stores)", points);
}

TEST_F(Crash, OverwriteIsWhollyOldOrNew) {
  const Store store = MakeStore(3, 2);
  int points = 0;
  for (int32_t number : {1, 3}) {
    for (bool torn : {false, true}) {
      std::string added;
      points += CrashSweep(
          torn, [&] { LayDown(store); added = NewQuote(); }, [&] { return SaveQuote(0, number); },
          [&](Outcome outcome) {
            OnDisk disk = ReadBack();
            ASSERT_EQ(disk.count, 3);
            ASSERT_EQ(disk.quotes.size(), 3u);
            EXPECT_EQ(RecordCount, 3);
            bool stored = disk.quotes[number - 1] == added;
            for (int32_t i = 0; i < 3; ++i) {
              if (i != number - 1 || !stored) {
                EXPECT_EQ(Show(disk.quotes[i]), Show(store.quotes[i])) << "quote " << i + 1;
              }
            }
            if (outcome != Outcome::Killed) {
              EXPECT_EQ(outcome == Outcome::Succeeded, stored);
            }
            // What a correction that never took place left is gone.
            EXPECT_FALSE(Exists("datos.dat.tmp") || (!stored && Exists("trasvase.dat.tmp")));
            ExpectAppendKeepsAll(disk);
          });
    }
  }
  Report("overwrite (killed and torn writes, first and last quote)", points);
}

TEST_F(Crash, StartUpLosesNothing) {
  const Store stores[] = {MakeStore(3, 4), MakeStore(3, 0, false)};  // backup due; config.cfg lost
  int points = 0;
  for (const Store& store : stores) {
    for (bool torn : {false, true}) {
      points += CrashSweep(
          torn, [&] { LayDown(store); }, [] { LoadSettings(); return true; },
          [&](Outcome) {
            EXPECT_TRUE(ReadBytes("datos.dat") == store.QuoteFileBytes());
            OnDisk disk = ReadBack();
            ASSERT_TRUE(disk.settingsThere);
            EXPECT_EQ(disk.count, 3);
            EXPECT_EQ(RecordCount, 3);
            // Counted by the child, the fresh start-up, or both.
            int32_t first = store.settingsThere ? store.launchCount + 1 : 1;
            EXPECT_TRUE(disk.launchCount == first || disk.launchCount == first + 1)
                << disk.launchCount;
            ExpectBackupWholeOrAbsent(store);
            ExpectAppendKeepsAll(disk);
          });
    }
  }
  Report("start-up (killed and torn writes, backup due, config.cfg lost)", points);
}

TEST_F(Crash, ExportAndCompanyFileAreWhollyOldOrNew) {
  int points = 0;
  for (const WholeFile& file : WholeFiles()) {
    for (bool torn : {false, true}) {
      points += CrashSweep(torn, file.layDown, file.write, [&](Outcome outcome) {
        ExpectOldOrNew(file, outcome == Outcome::Succeeded);
      });
    }
  }
  Report("export and empresa.ini (killed and torn writes)", points);
}
