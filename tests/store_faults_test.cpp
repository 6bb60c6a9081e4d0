// Faults the fault-injection sweep found in the store, each pinned down by
// the shortest way to bring it about.
#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

#include "common/number_text.h"
#include "store/disk.h"
#include "store/file_names.h"
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

// Fails the n-th operation of one kind with an error; with `from`, that one
// and every later one of the kind.
DiskOp FailingOp;
int FailingFrom = 0;
bool FailingOn = false;
int Seen = 0;
DiskFault FailOp(DiskOp op) {
  if (op != FailingOp) return DiskFault::None;
  ++Seen;
  return Seen == FailingFrom || (FailingOn && Seen > FailingFrom) ? DiskFault::Error
                                                                   : DiskFault::None;
}
void Fail(DiskOp op, int nth, bool from = false) {
  FailingOp = op;
  FailingFrom = nth;
  FailingOn = from;
  Seen = 0;
  DiskHook = FailOp;
}

// Fails every operation of one kind on one file, as `FileFault`.
DiskOp FileOp;
const char* FaultFile = "";
DiskFault FileFault = DiskFault::InUse;
DiskFault FailOnFile(DiskOp op) {
  return op == FileOp && std::strcmp(DiskHookPath, FaultFile) == 0 ? FileFault : DiskFault::None;
}
void FailFile(DiskOp op, const char* file, DiskFault fault) {
  FileOp = op;
  FaultFile = file;
  FileFault = fault;
  DiskHook = FailOnFile;
}

class StoreFaults : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    DiskWait = [](int) {};
  }
  void TearDown() override {
    DiskWait = saved_;
    StoreTest::TearDown();
  }
  DiskWaitFn saved_ = DiskWait;
};

}  // namespace

TEST_F(StoreFaults, UnreadableSettingsAreNotTakenForNoQuotes) {
  // A read error on config.cfg used to count 0 quotes and write that down,
  // so the next append went over quote 1.
  Store store = MakeStore(3, 7);
  LayDown(store);
  Fail(DiskOp::Read, 1);
  LoadSettings();
  DiskHook = nullptr;
  EXPECT_EQ(RecordCount, 3);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, 7));

  // Neither file readable: nothing is counted and nothing written.
  LayDown(store);
  DiskHook = [](DiskOp) { return DiskFault::Error; };
  LoadSettings();
  DiskHook = nullptr;
  EXPECT_EQ(RecordCount, 0);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, 7));

  // config.cfg lost and datos.dat not measurable: config.cfg is not made up
  // with a count of 0.
  LayDown(MakeStore(3, 0, false));
  Fail(DiskOp::Seek, 1);
  LoadSettings();
  DiskHook = nullptr;
  EXPECT_FALSE(Exists("config.cfg"));
  LoadSettings();
  EXPECT_EQ(RecordCount, 3);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, 1));
}

TEST_F(StoreFaults, AppendKeepsTheLaunchCountAndTheQuotesItCannotSee) {
  // config.cfg there but unreadable: the append used to write it anew with a
  // launch count of 0.
  Store store = MakeStore(3, 7);
  LayDown(store);
  NewQuote();
  Fail(DiskOp::Read, 1);
  EXPECT_FALSE(SaveQuote(1, 0));
  DiskHook = nullptr;
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, 7));
  EXPECT_TRUE(ReadBytes("datos.dat") == store.QuoteFileBytes());

  // A start-up that could count nothing leaves RecordCount at 0; appending
  // quote 1 then went over the stored quote 1. The append goes after every
  // quote the files hold, config.cfg lost or not.
  LayDown(store);
  RecordCount = 0;
  EXPECT_TRUE(SaveQuote(1, 0));
  EXPECT_EQ(ReadBytes("datos.dat").compare(0, 3 * kRecordSize, store.QuoteFileBytes()), 0);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(4, 7));
  std::remove("config.cfg");
  EXPECT_TRUE(SaveQuote(1, 0));
  EXPECT_EQ(ReadBytes("datos.dat").compare(0, 3 * kRecordSize, store.QuoteFileBytes()), 0);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(5, 0));

  // With config.cfg lost, a record whose save failed and could not be
  // taken back was counted by the next start-up, though the user was told
  // it had not been saved. Start-up now counts every whole record, so such
  // a record is a quote from then on, never written over.
  LayDown(MakeStore(3, 0, false));
  std::string added = NewQuote();
  Fail(DiskOp::Replace, 1);  // the count after the record
  DiskFault (*replaceThenTruncate)(DiskOp) = [](DiskOp op) {
    if (op == DiskOp::Truncate) return DiskFault::Error;
    return FailOp(op);
  };
  DiskHook = replaceThenTruncate;
  EXPECT_FALSE(SaveQuote(1, 0));
  DiskHook = nullptr;
  EXPECT_EQ(ReadBytes("datos.dat").size(), 4 * kRecordSize);  // left behind
  LoadSettings();
  EXPECT_EQ(RecordCount, 4);
  ASSERT_TRUE(SaveQuote(1, 0));
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(5, 1));
  EXPECT_TRUE(ReadBytes("datos.dat") == MakeStore(3, 0).QuoteFileBytes() + added + added);
}

TEST_F(StoreFaults, UnreadableSourcesAreNotTakenForLackingTheMissingQuotes) {
  // Quotes 4 and 5 counted but not in datos.dat. A trasvase.dat that holds
  // them but cannot be opened (another program holds it) was taken for one
  // without them, and the user was offered to give their numbers again.
  Store store = MakeStore(5, 1);
  std::string first3 = store.QuoteFileBytes().substr(0, 3 * kRecordSize);
  auto layDown = [&] {
    EmptyFolder();
    WriteBytes("datos.dat", first3);
    WriteBytes("config.cfg", SettingsBytes(5, 1));
    WriteBytes("trasvase.dat", store.QuoteFileBytes());
  };
  struct Row {
    const char* what;
    DiskOp op;
    const char* file;
    DiskFault fault;
    bool olderBackup;         // a backup folder holding all five as well
    const char* unread;       // the source told
    DiskCause cause;
    const char* failedFile;   // the file the failure names
  } rows[] = {
      {"trasvase.dat in use", DiskOp::Open, kTransferFile, DiskFault::InUse, false, "trasvase.dat",
       DiskCause::InUse, "trasvase.dat"},
      {"trasvase.dat denied", DiskOp::Open, kTransferFile, DiskFault::Denied, false, "trasvase.dat",
       DiskCause::NoPermission, "trasvase.dat"},
      // Not measurable; a read failing while its quotes are copied.
      {"trasvase.dat not measured", DiskOp::Seek, kTransferFile, DiskFault::Error, false,
       "trasvase.dat", DiskCause::Other, "trasvase.dat"},
      {"trasvase.dat not read", DiskOp::Read, kTransferFile, DiskFault::Error, false, "trasvase.dat",
       DiskCause::Other, "trasvase.dat"},
      // Read, but datos.dat cannot take what it holds.
      {"datos.dat full", DiskOp::Write, kQuoteFile, DiskFault::DiskFull, false, "trasvase.dat",
       DiskCause::DiskFull, "datos.dat"},
      // An older backup holds them too: not taken over the newer copy that
      // cannot be read.
      {"older backup", DiskOp::Open, kTransferFile, DiskFault::InUse, true, "trasvase.dat",
       DiskCause::InUse, "trasvase.dat"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    layDown();
    if (row.olderBackup) {
      ASSERT_EQ(mkdir("1-12-2026", 0777), 0);
      WriteBytes("1-12-2026/datos.dat", MakeStore(5, 1).QuoteFileBytes());
    }
    FailFile(row.op, row.file, row.fault);
    StartUpReport report;
    LoadSettings(&report);
    DiskHook = nullptr;
    EXPECT_TRUE(report.recovered.empty());
    EXPECT_EQ(report.firstMissing, 4);
    EXPECT_EQ(report.lastMissing, 5);
    EXPECT_EQ(report.unreadSource, row.unread);
    EXPECT_EQ(report.unreadFailure.cause, row.cause);
    EXPECT_EQ(report.unreadFailure.file, row.failedFile);
    EXPECT_TRUE(ReadBytes("datos.dat").substr(0, 3 * kRecordSize) == first3);
    // Saves stay refused; the count stands for the quotes that are there.
    EXPECT_EQ(RecordCount, 5);
    NewQuote();
    SaveRefusal why = SaveRefusal::None;
    EXPECT_FALSE(SaveQuote(1, 0, &why));
    EXPECT_EQ(why, SaveRefusal::QuotesMissing);
    EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(5, 2));
    std::remove("1-12-2026/datos.dat");
    ::rmdir("1-12-2026");
  }

  // A backup that cannot be read after trasvase.dat gave what it holds:
  // told, with the quotes that did come back.
  layDown();
  WriteBytes("trasvase.dat", store.QuoteFileBytes().substr(0, 4 * kRecordSize));
  ASSERT_EQ(mkdir("1-12-2026", 0777), 0);
  WriteBytes("1-12-2026/datos.dat", store.QuoteFileBytes());
  FailFile(DiskOp::Open, "1-12-2026/datos.dat", DiskFault::InUse);
  StartUpReport report;
  LoadSettings(&report);
  DiskHook = nullptr;
  ASSERT_EQ(report.recovered.size(), 1u);
  EXPECT_EQ(report.recovered[0].last, 4);
  EXPECT_EQ(report.firstMissing, 5);
  EXPECT_EQ(report.unreadSource, "1-12-2026");
  EXPECT_EQ(report.unreadFailure.file, "1-12-2026/datos.dat");
  std::remove("1-12-2026/datos.dat");
  ::rmdir("1-12-2026");

  // A source that is simply not there hides nothing: the quotes are missing.
  layDown();
  std::remove("trasvase.dat");
  LoadSettings(&report);
  EXPECT_EQ(report.firstMissing, 4);
  EXPECT_TRUE(report.unreadSource.empty());
}
