// Faults the fault-injection sweep found in the store, each pinned down by
// the shortest way to bring it about.
#include <gtest/gtest.h>

#include "common/number_text.h"
#include "store/disk.h"
#include "store/quote_file.h"
#include "store/quote_record.h"
#include "store/settings.h"
#include "tests/store_checks.h"
#include "tests/test_folder.h"
#include "tests/store_fixture.h"

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

class StoreFaults : public StoreTest {};

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
  // quote 1 then went over the stored quote 1.
  LayDown(store);
  RecordCount = 0;
  EXPECT_FALSE(SaveQuote(1, 0));
  EXPECT_TRUE(ReadBytes("datos.dat") == store.QuoteFileBytes());
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, 7));
  std::remove("config.cfg");
  EXPECT_FALSE(SaveQuote(1, 0));
  EXPECT_TRUE(ReadBytes("datos.dat") == store.QuoteFileBytes());
  EXPECT_FALSE(Exists("config.cfg"));

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
