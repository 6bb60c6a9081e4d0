// Refusals that pass: each open and each rename of an append, a correction
// and a start-up with its backup is refused k times, as a sharing violation
// or a denied access, then works. Up to about two seconds of retries the
// operation must end exactly as on a healthy disk; past them it fails,
// naming the cause and the file, and changes nothing. The waits are
// counted, not slept.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>

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

int Waited = 0;
void CountWait(int milliseconds) { Waited += milliseconds; }

// Attempts at opens and renames, the first refused one, how many in a row
// are refused, and how.
int Attempts = 0;
int RefuseFrom = 0;
int Refusals = 0;
DiskFault Refusal = DiskFault::InUse;

DiskFault RefuseThenWork(DiskOp op) {
  if (op != DiskOp::Open && op != DiskOp::Replace) return DiskFault::None;
  ++Attempts;
  return Attempts >= RefuseFrom && Attempts < RefuseFrom + Refusals ? Refusal : DiskFault::None;
}

std::string Files() {
  std::string all;
  for (const char* name : {"datos.dat", "config.cfg", "trasvase.dat", "6-12-2026/datos.dat",
                           "6-12-2026/config.cfg"}) {
    all += std::string(name) + (Exists(name) ? ":" + ReadBytes(name) : " none") + "\n";
  }
  return all;
}

struct Operation {
  std::string name;
  std::function<void()> layDown;
  std::function<bool(DiskFailure*)> run;
};

// Sweeps the refused attempt over every open and rename of `op`; gives the
// number of points tried.
int RefusalSweep(const Operation& op) {
  op.layDown();
  std::string before = Files();
  DiskHook = RefuseThenWork;
  Attempts = 0;
  Refusals = 0;
  EXPECT_TRUE(op.run(nullptr));
  int attempts = Attempts;
  std::string healthy = Files();
  std::string healthyQuotes = ReadBytes("datos.dat");
  int points = 0;
  for (int at = 1; at <= attempts; ++at) {
    for (DiskFault refusal : {DiskFault::InUse, DiskFault::Denied}) {
      // Refused 1, 20 and 21 times in a row: 100 ms waited for each, up to
      // 2 s; past 20 refusals the operation gives up.
      for (auto [times, waits] : {std::pair<int, int>{1, 100}, {20, 2000}, {21, 2000}}) {
        SCOPED_TRACE(op.name + ": attempt " + std::to_string(at) + " refused " +
                     std::to_string(times) + " times" +
                     (refusal == DiskFault::InUse ? " (in use)" : " (denied)"));
        op.layDown();
        Attempts = 0;
        RefuseFrom = at;
        Refusals = times;
        Refusal = refusal;
        Waited = 0;
        DiskFailure failure;
        bool done = op.run(&failure);
        ++points;
        EXPECT_EQ(Waited, waits);
        if (times <= 20) {
          EXPECT_TRUE(done);
          EXPECT_TRUE(Files() == healthy);
          continue;
        }
        // Past the retries: a save fails and changes nothing, but for the
        // rename of trasvase.dat.tmp after the correction's own (which
        // stands, its copy beside); a start-up may go on without what it
        // could not open (config.cfg read: the launch goes uncounted), and
        // loses no quote.
        if (op.name == "correction" && done) {
          EXPECT_TRUE(ReadBytes("datos.dat") == healthyQuotes);
          EXPECT_TRUE(ReadBytes("trasvase.dat.tmp") == healthyQuotes);
        } else if (op.name != "start-up") {
          EXPECT_FALSE(done);
          EXPECT_TRUE(Files() == before);
        } else {
          EXPECT_TRUE(ReadBytes("datos.dat") == store_checks::MakeStore(3, 4).QuoteFileBytes());
        }
        if (!done) {
          EXPECT_EQ(failure.cause,
                    refusal == DiskFault::InUse ? DiskCause::InUse : DiskCause::NoPermission);
          EXPECT_FALSE(failure.file.empty());
        }
        if (::testing::Test::HasFailure()) return points;
      }
    }
  }
  DiskHook = nullptr;
  return points;
}

class TransientFaults : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    DiskWait = CountWait;
  }
  void TearDown() override {
    DiskWait = saved_;
    StoreTest::TearDown();
  }
  DiskWaitFn saved_ = DiskWait;
};

}  // namespace

TEST_F(TransientFaults, RefusalsThatPassAreWaitedOutForTwoSeconds) {
  const Store store = MakeStore(3, 4);
  const Operation operations[] = {
      {"append", [&] { LayDown(store); NewQuote(); },
       [](DiskFailure* failure) { return SaveQuote(1, 0, nullptr, failure); }},
      {"correction", [&] { LayDown(store); NewQuote(); },
       [](DiskFailure* failure) { return SaveQuote(0, 2, nullptr, failure); }},
      // Launch 5: the backup is due. A start-up that cannot write
      // config.cfg for a denied access takes the folder for read-only and
      // makes no backup; that is what it reports then.
      {"start-up", [&] { LayDown(store); RecordCount = -1; },
       [](DiskFailure* failure) {
         StartUpReport report;
         bool made = LoadSettings(&report);
         if (failure) *failure = report.backupFailure;
         if (report.folderReadOnly && failure) *failure = {DiskCause::NoPermission, "config.cfg"};
         return made && !report.folderReadOnly;
       }},
  };
  int points = 0;
  for (const Operation& op : operations) points += RefusalSweep(op);
  std::cout << "[ measured ] refusal points (in use and denied; 1, 20 and 21 times), append, "
               "correction and start-up: "
            << points << "\n";
}
