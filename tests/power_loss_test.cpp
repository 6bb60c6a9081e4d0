// Power loss: an append, a correction and start-ups (with its backup, its
// roll forward and its recovery) are cut at each disk operation in turn, and
// just after they end, by the disk seam's power-loss model; a restart on
// what the disk then holds must find every quote reported saved, whole, and
// every other quote as it was.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>

#include "store/disk.h"
#include "store/file_names.h"
#include "store/quote_file.h"
#include "store/quote_record.h"
#include "store/settings.h"
#include "store/start_up.h"
#include "tests/disk_faults.h"
#include "tests/disk_power_loss.h"
#include "tests/store_checks.h"
#include "tests/store_fixture.h"
#include "tests/test_folder.h"

using namespace store_checks;

namespace {

int OpsSeen = 0;
int CutAt = 0;

DiskFault CutAsPlanned(DiskOp) {
  if (++OpsSeen == CutAt) DiskPowerCut();
  return DiskFault::None;
}

// The program started again on what the cut left.
StartUpReport Restart() {
  StartUpReport report;
  RecordCount = -1;
  LoadSettings(&report);
  return report;
}

// Cuts the power before the k-th disk operation of `operation`, k = 1, 2,
// ..., and once more after its end; `check` judges the files the cut left
// (and restarts on them), told whether the operation had reported success
// before the cut. Gives the number of cut points tried.
int PowerSweep(const std::function<void()>& layDown, const std::function<bool()>& operation,
               const std::function<void(bool)>& check) {
  for (int k = 1; k <= 10000; ++k) {
    SCOPED_TRACE("power cut before disk operation " + std::to_string(k));
    layDown();
    DiskPowerModelOn();
    OpsSeen = 0;
    CutAt = k;
    DiskHook = CutAsPlanned;
    bool result = operation();
    DiskHook = nullptr;
    bool ended = OpsSeen < k;
    if (ended) DiskPowerCut();
    DiskPowerModelOff();
    check(ended && result);
    if (::testing::Test::HasFailure() || ended) return k;
  }
  ADD_FAILURE() << "the operation never ends";
  return 0;
}

void Report(const std::string& what, int points) {
  std::cout << "[ measured ] power-cut points, " << what << ": " << points << "\n";
}

class PowerLoss : public StoreTest {};

}  // namespace

TEST_F(PowerLoss, AReportedAppendSurvives) {
  int points = 0;
  for (const Store& store : {MakeStore(3, 7), MakeStore(0, 1), MakeStore(2, 4, false)}) {
    std::string added;
    points += PowerSweep(
        [&] { LayDown(store); added = NewQuote(); }, [] { return SaveQuote(1, 0); },
        [&](bool reported) {
          int32_t n = store.Count();
          // Whole on its own: nothing to take back from another file.
          EXPECT_TRUE(Restart().recovered.empty());
          OnDisk disk = ReadBack();
          ASSERT_TRUE(disk.count == n || disk.count == n + 1) << disk.count;
          if (reported) {
            ASSERT_EQ(disk.count, n + 1) << "a quote reported saved is lost";
          }
          ASSERT_EQ(disk.quotes.size(), static_cast<std::size_t>(disk.count));
          for (int32_t i = 0; i < n; ++i) EXPECT_EQ(Show(disk.quotes[i]), Show(store.quotes[i]));
          if (disk.count == n + 1) {
            EXPECT_EQ(Show(disk.quotes[n]), Show(added));
          }
          // The launch count is kept (counted once more by the restart).
          int32_t launches = store.settingsThere ? store.launchCount + 1 : 1;
          EXPECT_TRUE(disk.launchCount == launches || disk.launchCount == 1) << disk.launchCount;
          if (store.settingsThere) {
            EXPECT_EQ(disk.launchCount, launches);
          }
          ExpectAppendKeepsAll(disk);
        });
  }
  Report("append (3 starting stores)", points);
}

TEST_F(PowerLoss, ACorrectionIsWhollyOldOrNewAndReportedOnesStay) {
  const Store store = MakeStore(3, 2);
  int points = 0;
  for (int32_t number : {1, 3}) {
    std::string added;
    points += PowerSweep(
        [&] { LayDown(store); added = NewQuote(); }, [&] { return SaveQuote(0, number); },
        [&](bool reported) {
          // trasvase.dat is the copy of the quotes as of a correction, whole,
          // or not there yet; it is that of this one once it is reported.
          std::string transfer = ReadBytes("trasvase.dat");
          std::string quotes = ReadBytes("datos.dat");
          EXPECT_TRUE(!Exists("trasvase.dat") || transfer == quotes) << transfer.size();
          if (reported) {
            EXPECT_TRUE(transfer == quotes) << "the copy of a reported correction is lost";
          }
          EXPECT_TRUE(Restart().recovered.empty());
          OnDisk disk = ReadBack();
          ASSERT_EQ(disk.count, 3);
          ASSERT_EQ(disk.quotes.size(), 3u);
          bool stored = disk.quotes[number - 1] == added;
          if (reported) {
            EXPECT_TRUE(stored) << "a correction reported saved is lost";
          }
          for (int32_t i = 0; i < 3; ++i) {
            if (i != number - 1 || !stored) {
              EXPECT_EQ(Show(disk.quotes[i]), Show(store.quotes[i])) << "quote " << i + 1;
            }
          }
          ExpectAppendKeepsAll(disk);
        });
  }
  Report("correction (first and last quote)", points);
}

TEST_F(PowerLoss, StartUpLosesNothingAndItsBackupIsWholeOrAbsent) {
  int points = 0;
  // Launch 5, so the backup is due; then a correction left half-done where
  // the rename is no atomic replace (datos.dat gone, datos.dat.tmp whole);
  // then quotes 4 and 5 to take back from trasvase.dat.
  const Store store = MakeStore(3, 4);
  const Store five = MakeStore(5, 4);
  struct Case {
    std::string name;
    std::function<void()> layDown;
    std::string quotes;  // datos.dat after the restart
  } cases[] = {
      {"backup", [&] { LayDown(store); }, store.QuoteFileBytes()},
      {"roll forward",
       [&] {
         LayDown(store);
         WriteBytes("datos.dat.tmp", store.QuoteFileBytes());
         std::remove("datos.dat");
       },
       store.QuoteFileBytes()},
      {"recovery",
       [&] {
         LayDown(five);
         WriteBytes("trasvase.dat", five.QuoteFileBytes());
         WriteBytes("datos.dat", store.QuoteFileBytes());
       },
       five.QuoteFileBytes()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    points += PowerSweep(c.layDown, [] { return LoadSettings(); }, [&](bool ended) {
      // What start-up finished, or told the user it took back, is on disk
      // by its end; a start-up cut short leaves it to the next one.
      if (ended) {
        EXPECT_TRUE(ReadBytes("datos.dat") == c.quotes);
      }
      Restart();
      EXPECT_TRUE(ReadBytes("datos.dat") == c.quotes);
      OnDisk disk = ReadBack();
      EXPECT_EQ(static_cast<std::size_t>(disk.count) * kRecordSize, c.quotes.size());
      EXPECT_TRUE(disk.launchCount == 5 || disk.launchCount == 6) << disk.launchCount;
      // A dated backup is there only whole: both copies, with the quotes
      // as they were when it was taken.
      if (Exists(kBackupFolder)) {
        std::string copy = ReadBytes(std::string(kBackupFolder) + "/datos.dat");
        EXPECT_TRUE(copy == c.quotes || copy == store.QuoteFileBytes()) << copy.size();
        std::string settings = ReadBytes(std::string(kBackupFolder) + "/config.cfg");
        EXPECT_EQ(settings.size(), 8u);
      }
      ExpectAppendKeepsAll(disk);
    });
  }
  Report("start-up (backup, roll forward, recovery)", points);
}

TEST_F(PowerLoss, ExportAndCompanyFileAreWhollyOldOrNew) {
  int points = 0;
  for (const WholeFile& file : WholeFiles()) {
    points += PowerSweep(file.layDown, file.write, [&](bool reported) { ExpectOldOrNew(file, reported); });
  }
  Report("export and empresa.ini", points);
}
