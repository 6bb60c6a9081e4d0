// Fault injection: every disk operation of an append, an overwrite and a
// start-up is made to fail in turn, and what is left must have lost nothing.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <string>

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

// How the k-th disk operation fails: alone, with an error or (a write) put
// down only in part; or the disk fills up, or goes away, from then on.
enum class Fault { Error, ShortWrite, FullDisk, DiskGone };
constexpr Fault kFaults[] = {Fault::Error, Fault::ShortWrite, Fault::FullDisk, Fault::DiskGone};

const char* FaultName(Fault fault) {
  switch (fault) {
    case Fault::Error: return "error";
    case Fault::ShortWrite: return "short write";
    case Fault::FullDisk: return "full disk";
    case Fault::DiskGone: return "disk gone";
  }
  return "";
}

int OpsSeen = 0;
int FaultAt = 0;
Fault Planned = Fault::Error;
// Where set, only the operations on paths that start with it are counted.
std::string Only;

DiskFault FailAsPlanned(DiskOp op) {
  if (std::string(DiskHookPath).compare(0, Only.size(), Only) != 0) return DiskFault::None;
  int n = ++OpsSeen;
  if (n < FaultAt) return DiskFault::None;
  switch (Planned) {
    case Fault::Error:
      return n == FaultAt ? DiskFault::Error : DiskFault::None;
    case Fault::ShortWrite:
      if (n != FaultAt) return DiskFault::None;
      return op == DiskOp::Write ? DiskFault::ShortWrite : DiskFault::Error;
    case Fault::FullDisk:
      if (op == DiskOp::Write) return DiskFault::ShortWrite;
      return op == DiskOp::Sync ? DiskFault::Error : DiskFault::None;
    case Fault::DiskGone:
      return DiskFault::Error;
  }
  return DiskFault::None;
}

// Runs `operation` over freshly laid files with the k-th disk operation
// failing, k = 1, 2, ... until the operation no longer reaches k; `check`
// judges each outcome. Gives the number of fault points tried.
int Sweep(Fault fault, const std::function<void()>& layDown, const std::function<bool()>& operation,
          const std::function<void(bool)>& check) {
  for (int k = 1; k <= 10000; ++k) {
    SCOPED_TRACE(std::string(FaultName(fault)) + " at disk operation " + std::to_string(k));
    layDown();
    OpsSeen = 0;
    FaultAt = k;
    Planned = fault;
    DiskHook = FailAsPlanned;
    bool result = operation();
    DiskHook = nullptr;
    bool reached = OpsSeen >= k;
    if (!reached) {
      EXPECT_TRUE(result) << "failed with no fault";
    }
    check(result);
    if (::testing::Test::HasFailure() || !reached) return k;
  }
  ADD_FAILURE() << "the operation never ends";
  return 0;
}

void Report(const std::string& what, int points) {
  std::cout << "[ measured ] fault points, " << what << ": " << points << "\n";
}

class FaultInjection : public StoreTest {};

}  // namespace

TEST_F(FaultInjection, AppendStoresTheQuoteOrTellsItFailed) {
  const Store stores[] = {
      MakeStore(3, 7),                                    // the usual case
      MakeStore(0, 1),                                    // first quote, no datos.dat yet
      MakeStore(2, 4, true, SampleQuote(9).substr(0, 700)),  // a crash's half record after them
      MakeStore(2, 4, false),                             // config.cfg lost
  };
  int points = 0;
  for (const Store& store : stores) {
    for (Fault fault : kFaults) {
      std::string added;
      points += Sweep(
          fault, [&] { LayDown(store); added = NewQuote(); }, [] { return SaveQuote(1, 0); },
          [&](bool saved) {
            int32_t n = store.Count();
            OnDisk disk = ReadBack();
            if (!disk.settingsThere) {
              // Only when there was none before.
              EXPECT_FALSE(store.settingsThere) << "config.cfg lost";
              EXPECT_FALSE(saved);
              disk.count = n;
              std::string file = ReadBytes("datos.dat");
              for (int32_t i = 0; i < n; ++i) {
                disk.quotes.push_back(file.substr(i * kRecordSize, kRecordSize));
              }
            }
            ASSERT_TRUE(disk.count == n || disk.count == n + 1) << disk.count;
            ASSERT_EQ(disk.quotes.size(), static_cast<std::size_t>(disk.count));
            bool stored = disk.count == n + 1;
            for (int32_t i = 0; i < n; ++i) {
              EXPECT_EQ(Show(disk.quotes[i]), Show(store.quotes[i])) << "quote " << i + 1;
            }
            if (stored) {
              EXPECT_EQ(Show(disk.quotes[n]), Show(added));
            }
            EXPECT_EQ(saved, stored) << "the caller was told wrong";
            EXPECT_EQ(RecordCount, disk.count) << "the count in memory is not the one on disk";
            if (disk.settingsThere) {
              EXPECT_EQ(disk.launchCount, store.settingsThere ? store.launchCount : 0);
            }
            // A quote reported unsaved is cut off the file again, unless the
            // disk went before the cut. Then it stays whole, and the next
            // save, as the next start-up, counts it: no number is given twice.
            std::string file = ReadBytes("datos.dat");
            if (file.size() / kRecordSize > static_cast<std::size_t>(disk.count)) {
              EXPECT_EQ(fault, Fault::DiskGone) << "an untold quote would be counted";
              ASSERT_EQ(file.size(), (n + 1) * kRecordSize);
              EXPECT_EQ(Show(file.substr(n * kRecordSize)), Show(added));
              LoadSettings();
              disk = ReadBack();
              ASSERT_EQ(disk.count, n + 1);
            }
            // The user saves again once the disk is healthy.
            ExpectAppendKeepsAll(disk);
          });
    }
  }
  Report("append (4 kinds of fault, 4 starting stores)", points);
}

TEST_F(FaultInjection, OverwriteReplacesTheQuoteOrTellsItFailed) {
  const Store store = MakeStore(3, 7);
  const std::string earlier = SampleQuote(9);  // trasvase.dat of an earlier correction
  int points = 0;
  for (int32_t number : {1, 3}) {
    for (Fault fault : kFaults) {
      std::string added;
      points += Sweep(
          fault,
          [&] {
            LayDown(store);
            WriteBytes("trasvase.dat", earlier);
            added = NewQuote();
          },
          [&] { return SaveQuote(0, number); },
          [&](bool saved) {
            EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, 7));
            // A correction not made changes no file; one reported leaves
            // trasvase.dat a copy of datos.dat, or, where only its rename
            // failed, that copy beside it.
            std::string quotes = ReadBytes("datos.dat");
            std::string transfer = ReadBytes("trasvase.dat");
            if (!saved) {
              EXPECT_TRUE(quotes == store.QuoteFileBytes());
              EXPECT_TRUE(transfer == earlier);
            } else if (transfer != quotes) {
              EXPECT_TRUE(transfer == earlier);
              EXPECT_TRUE(ReadBytes("trasvase.dat.tmp") == quotes);
            }
            EXPECT_EQ(Exists("trasvase.dat.tmp"), saved && transfer != quotes);
            EXPECT_FALSE(Exists("datos.dat.tmp"));
            OnDisk disk = ReadBack();
            ASSERT_EQ(disk.quotes.size(), 3u);
            bool stored = disk.quotes[number - 1] == added;
            for (int32_t i = 0; i < 3; ++i) {
              if (i != number - 1 || !stored) {
                EXPECT_EQ(Show(disk.quotes[i]), Show(store.quotes[i])) << "quote " << i + 1;
              }
            }
            EXPECT_EQ(saved, stored) << "the caller was told wrong";
            EXPECT_EQ(RecordCount, 3);
            if (!stored) {
              NewQuote();
              ASSERT_TRUE(SaveQuote(0, number));
              EXPECT_EQ(Show(ReadBack().quotes.at(number - 1)), Show(added));
            }
            ExpectAppendKeepsAll(ReadBack());
          });
    }
  }
  Report("overwrite (4 kinds of fault, first and last quote)", points);
}

TEST_F(FaultInjection, StartUpLosesNoQuoteAndNoCount) {
  const Store stores[] = {
      MakeStore(3, 1),                                       // launch 2: no backup
      MakeStore(3, 4),                                       // launch 5: backup
      MakeStore(3, 0, false, SampleQuote(9).substr(0, 700)), // config.cfg lost
  };
  int points = 0;
  for (const Store& store : stores) {
    for (Fault fault : kFaults) {
      points += Sweep(
          fault, [&] { LayDown(store); RecordCount = -1; }, [] { return LoadSettings(); },
          [&](bool backupFine) {
            int32_t n = store.Count();
            // Start-up never writes the quote file.
            EXPECT_EQ(ReadBytes("datos.dat"), store.QuoteFileBytes());
            OnDisk disk = ReadBack();
            if (store.settingsThere) {
              ASSERT_TRUE(disk.settingsThere) << "config.cfg lost";
              EXPECT_TRUE(disk.launchCount == store.launchCount ||
                          disk.launchCount == store.launchCount + 1) << disk.launchCount;
            } else if (disk.settingsThere) {
              EXPECT_EQ(disk.launchCount, 1);
            }
            if (disk.settingsThere) {
              EXPECT_EQ(disk.count, n);
            }
            ExpectBackupWholeOrAbsent(store);
            // A backup that failed is told, and leaves nothing behind.
            if (!backupFine) {
              EXPECT_FALSE(Exists(kBackupFolder));
            }
            EXPECT_FALSE(Exists(kBackupWorkFolder));
            // A start-up that could read neither file counts nothing; an
            // append still goes after every quote the files hold.
            int32_t after = n;
            if (RecordCount != n) {
              EXPECT_EQ(RecordCount, 0);
              std::string quotes = ReadBytes("datos.dat");
              quotes.resize(quotes.size() / kRecordSize * kRecordSize);
              NewQuote();
              EXPECT_TRUE(SaveQuote(1, 0)) << "append over quotes start-up could not count";
              EXPECT_EQ(RecordCount, ++after);
              EXPECT_TRUE(ReadBytes("datos.dat").compare(0, quotes.size(), quotes) == 0);
            }
            // The next start-up, on a healthy disk, finds them all.
            RecordCount = -1;
            LoadSettings();
            EXPECT_EQ(RecordCount, after);
            ExpectAppendKeepsAll(ReadBack());
          });
    }
  }
  Report("start-up (4 kinds of fault, with and without backup, config.cfg lost)", points);
}

TEST_F(FaultInjection, ExportAndCompanyFileAreWholeOrAsTheyWere) {
  int points = 0;
  // Each file's own operations: a quote that cannot be read is left out of
  // the export and told, as the export's tests show.
  for (const WholeFile& file : WholeFiles()) {
    Only = file.name;
    for (Fault fault : kFaults) {
      points += Sweep(fault, file.layDown, file.write, [&](bool written) {
        EXPECT_TRUE(ReadBytes(file.name) == (written ? file.after : file.before)) << file.name;
        EXPECT_FALSE(Exists(file.temporary));
      });
    }
  }
  Only.clear();
  Report("export and empresa.ini (4 kinds of fault)", points);
}
