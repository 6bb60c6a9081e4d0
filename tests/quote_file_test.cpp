// The quote file: records built by hand and compared byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

#include "store/disk.h"
#include "store/quote_file.h"
#include "store/quote_record.h"
#include "tests/disk_faults.h"
#include "tests/store_fixture.h"
#include "tests/test_folder.h"

namespace {

// Makes the n-th disk operation of one kind (counted from 1) fail.
DiskOp FaultOp;
int FaultAt = 0;
DiskFault FaultKind = DiskFault::Error;
int Seen = 0;
DiskFault FailNth(DiskOp op) {
  if (op != FaultOp) return DiskFault::None;
  return ++Seen == FaultAt ? FaultKind : DiskFault::None;
}
void InjectFault(DiskOp op, int nth, DiskFault kind = DiskFault::Error) {
  FaultOp = op;
  FaultAt = nth;
  FaultKind = kind;
  Seen = 0;
  DiskHook = FailNth;
}

std::string Quote(int n) {
  std::string tag = std::to_string(n);
  return RecordBytes("Linea " + tag + "\r\notra", "Cliente " + tag, tag + "/12/2026",
                     "Calle " + tag, tag + ",00");
}

// datos.dat with quotes 1..count and config.cfg counting them.
std::string StoreQuotes(int count) {
  std::string file;
  for (int n = 1; n <= count; ++n) file += Quote(n);
  WriteBytes("datos.dat", file);
  WriteBytes("config.cfg", SettingsBytes(count, 3));
  RecordCount = count;
  return file;
}

class QuoteFile : public StoreTest {};

}  // namespace

TEST_F(QuoteFile, AppendWritesOneRecordAndCountsIt) {
  WriteBytes("config.cfg", SettingsBytes(0, 1));
  RecordCount = 0;
  SetCurrentQuote("Reparacion\r\nMano de obra", "Pe\xF1" "a e hijos", "6/12/2026", "C/ Mayor 1",
                  "1.234,56");
  ASSERT_TRUE(SaveQuote(1, 0));
  EXPECT_EQ(ReadBytes("datos.dat"), RecordBytes("Reparacion\r\nMano de obra", "Pe\xF1" "a e hijos",
                                                "6/12/2026", "C/ Mayor 1", "1.234,56"));
  EXPECT_EQ(RecordCount, 1);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(1, 1));

  // With config.cfg gone, the launch counter starts again from 0.
  std::remove("config.cfg");
  SetCurrentQuote("", "", "", "", "");
  ASSERT_TRUE(SaveQuote(1, 99));
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(2, 0));
  EXPECT_EQ(ReadBytes("datos.dat").size(), 2 * kRecordSize);
  EXPECT_EQ(ReadBytes("datos.dat").substr(kRecordSize), RecordBytes("", "", "", "", ""));
}

TEST_F(QuoteFile, AppendGoesOverAPartialTailButNeverAWholeRecord) {
  std::string stored = StoreQuotes(2);
  // A crash left half a record after the counted quotes.
  WriteBytes("datos.dat", stored + Quote(9).substr(0, 700));
  SetCurrentQuote("tercero", "C", "D", "A", "T");
  ASSERT_TRUE(SaveQuote(1, 0));
  stored += RecordBytes("tercero", "C", "D", "A", "T");
  EXPECT_EQ(ReadBytes("datos.dat"), stored);
  EXPECT_EQ(RecordCount, 3);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, 3));

  // Whole records past this copy's count (another copy's quotes, counted
  // or not yet): stored after them. Fewer records than counted: refused,
  // changing nothing, and said why.
  struct Case {
    std::string quotes, settings;
    int32_t storedAs;  // 0: refused
    SaveRefusal why;
  } cases[] = {
      {stored + Quote(8), SettingsBytes(4, 3), 5, SaveRefusal::None},
      {stored + Quote(8), SettingsBytes(3, 3), 5, SaveRefusal::None},
      {stored, SettingsBytes(4, 3), 0, SaveRefusal::QuotesMissing},
      {stored.substr(0, 2 * kRecordSize + 5), SettingsBytes(3, 3), 0, SaveRefusal::QuotesMissing},
  };
  for (const Case& c : cases) {
    WriteBytes("datos.dat", c.quotes);
    WriteBytes("config.cfg", c.settings);
    RecordCount = 3;
    SaveRefusal why = SaveRefusal::ChangedSinceShown;
    EXPECT_EQ(SaveQuote(1, 0, &why), c.storedAs != 0);
    EXPECT_EQ(why, c.why);
    if (c.storedAs != 0) {
      EXPECT_TRUE(ReadBytes("datos.dat") == c.quotes + RecordBytes("tercero", "C", "D", "A", "T"));
      EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(c.storedAs, 3));
      EXPECT_EQ(RecordCount, c.storedAs);
    } else {
      EXPECT_TRUE(ReadBytes("datos.dat") == c.quotes);
      EXPECT_EQ(ReadBytes("config.cfg"), c.settings);
      EXPECT_EQ(RecordCount, 3);
    }
  }
  // No quote file for a count above 0: none is made.
  std::remove("datos.dat");
  EXPECT_FALSE(SaveQuote(1, 0));
  EXPECT_FALSE(Exists("datos.dat"));
}

TEST_F(QuoteFile, FailedAppendChangesNothing) {
  std::string stored = StoreQuotes(2);
  SetCurrentQuote("nuevo", "C", "D", "A", "T");
  struct Case {
    DiskOp op;
    int nth;
    DiskFault kind;
  } cases[] = {
      {DiskOp::Open, 1, DiskFault::Error},       // config.cfg, read first
      {DiskOp::Open, 2, DiskFault::Error},       // datos.dat
      {DiskOp::Write, 1, DiskFault::Error},      // the record
      {DiskOp::Write, 1, DiskFault::ShortWrite}, // full disk in the middle of it
      {DiskOp::Sync, 1, DiskFault::Error},
      {DiskOp::Close, 2, DiskFault::Error},
      {DiskOp::Write, 2, DiskFault::ShortWrite}, // config.cfg
      {DiskOp::Replace, 1, DiskFault::Error},    // config.cfg put in place
  };
  for (const Case& c : cases) {
    InjectFault(c.op, c.nth, c.kind);
    EXPECT_FALSE(SaveQuote(1, 0)) << static_cast<int>(c.op) << " " << c.nth;
    DiskHook = nullptr;
    EXPECT_EQ(ReadBytes("datos.dat"), stored) << static_cast<int>(c.op) << " " << c.nth;
    EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(2, 3));
    EXPECT_EQ(RecordCount, 2);
  }
}

TEST_F(QuoteFile, OverwriteChangesOnlyItsRecord) {
  for (int number : {1, 3, 5}) {
    std::string stored = StoreQuotes(5);
    SetCurrentQuote("corregido", "Otro", "7/12/2026", "Plaza", "9,99");
    ASSERT_TRUE(SaveQuote(0, number));
    std::string expected = stored;
    expected.replace((number - 1) * kRecordSize, kRecordSize,
                     RecordBytes("corregido", "Otro", "7/12/2026", "Plaza", "9,99"));
    EXPECT_EQ(ReadBytes("datos.dat"), expected) << number;
    EXPECT_EQ(ReadBytes("trasvase.dat"), expected) << number;
    EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(5, 3));
    EXPECT_EQ(RecordCount, 5);
    EXPECT_FALSE(Exists("datos.dat.tmp"));
  }
  // Part of a record after the counted quotes is dropped.
  std::string stored = StoreQuotes(2);
  WriteBytes("datos.dat", stored + "cola");
  SetCurrentQuote("x", "", "", "", "");
  ASSERT_TRUE(SaveQuote(0, 2));
  EXPECT_EQ(ReadBytes("datos.dat"), Quote(1) + RecordBytes("x", "", "", "", ""));
  EXPECT_EQ(ReadBytes("trasvase.dat"), Quote(1) + RecordBytes("x", "", "", "", ""));
}

TEST_F(QuoteFile, RefusedOrFailedOverwriteChangesNoFile) {
  std::string stored = StoreQuotes(3);
  const std::string earlier = Quote(7);  // trasvase.dat of an earlier correction
  WriteBytes("trasvase.dat", earlier);
  SetCurrentQuote("corregido", "", "", "", "");
  auto unchanged = [&](const std::string& quotes, const std::string& settings) {
    EXPECT_TRUE(ReadBytes("datos.dat") == quotes);
    EXPECT_EQ(ReadBytes("config.cfg"), settings);
    EXPECT_TRUE(ReadBytes("trasvase.dat") == earlier);
    EXPECT_FALSE(Exists("datos.dat.tmp"));
    EXPECT_FALSE(Exists("trasvase.dat.tmp"));
  };
  for (int number : {0, -1, 4}) {
    EXPECT_FALSE(SaveQuote(0, number));
    unchanged(stored, SettingsBytes(3, 3));
  }
  // config.cfg counting other than datos.dat holds (an old file brought
  // back), whole records that would be cut away, missing quotes.
  struct Case {
    std::string quotes, settings;
    SaveRefusal why;
  } cases[] = {
      {stored, SettingsBytes(4, 3), SaveRefusal::QuotesMissing},
      {stored, SettingsBytes(2, 3), SaveRefusal::FilesChanged},
      {stored, "\x03", SaveRefusal::FilesChanged},
      {stored + Quote(4), SettingsBytes(3, 3), SaveRefusal::FilesChanged},
      {stored.substr(0, 2 * kRecordSize + 100), SettingsBytes(3, 3), SaveRefusal::QuotesMissing},
  };
  for (const Case& c : cases) {
    WriteBytes("datos.dat", c.quotes);
    WriteBytes("config.cfg", c.settings);
    SaveRefusal why = SaveRefusal::None;
    EXPECT_FALSE(SaveQuote(0, 1, &why));
    EXPECT_EQ(why, c.why);
    unchanged(c.quotes, c.settings);
  }
  WriteBytes("config.cfg", SettingsBytes(3, 3));
  std::remove("datos.dat");
  EXPECT_FALSE(SaveQuote(0, 1));
  EXPECT_FALSE(Exists("datos.dat"));

  // A disk fault anywhere: not saved and nothing changed, or saved (what a
  // saved one leaves, the fault injection sweep checks).
  for (DiskOp op : {DiskOp::Open, DiskOp::Read, DiskOp::Write, DiskOp::Sync, DiskOp::Close,
                    DiskOp::Replace}) {
    for (int nth = 1; nth <= 3; ++nth) {
      WriteBytes("datos.dat", stored);
      InjectFault(op, nth, op == DiskOp::Write ? DiskFault::ShortWrite : DiskFault::Error);
      bool saved = SaveQuote(0, 2);
      DiskHook = nullptr;
      if (!saved) unchanged(stored, SettingsBytes(3, 3));
      std::remove("trasvase.dat.tmp");
      WriteBytes("trasvase.dat", earlier);
    }
  }
}

TEST_F(QuoteFile, LoadReadsTheWantedRecordOrNothing) {
  StoreQuotes(3);
  LoadQuote(2, CurrentQuote);
  EXPECT_STREQ(CurrentQuote.name, "Cliente 2");
  EXPECT_STREQ(CurrentQuote.body, "Linea 2\r\notra");
  LoadQuote(0, CurrentQuote);
  EXPECT_STREQ(CurrentQuote.name, "Cliente 1");
  LoadQuote(1, CurrentQuote);
  EXPECT_STREQ(CurrentQuote.total, "1,00");
  EXPECT_STREQ(CurrentQuote.address, "Calle 1");
  EXPECT_STREQ(CurrentQuote.date, "1/12/2026");

  // Past the end, a short last record, or no file: five empty texts, never
  // what was there before.
  QuoteRecord empty;
  ClearQuote(empty);
  for (int number : {4, 2147483647}) {
    LoadQuote(number, CurrentQuote);
    EXPECT_EQ(std::memcmp(&CurrentQuote, &empty, sizeof empty), 0) << number;
  }
  WriteBytes("datos.dat", ReadBytes("datos.dat").substr(0, 3 * kRecordSize - 1));
  LoadQuote(3, CurrentQuote);
  EXPECT_STREQ(CurrentQuote.name, "");
  std::remove("datos.dat");
  LoadQuote(1, CurrentQuote);
  EXPECT_STREQ(CurrentQuote.body, "");

  // A folder of that name is no file: it opens for reading on POSIX, but is
  // refused, as Windows refuses it (access denied, tried again for a while).
  ASSERT_EQ(mkdir("datos.dat", 0777), 0);
  DiskWaitFn wait = DiskWait;
  DiskWait = [](int) {};
  DiskClearFailure();
  LoadQuote(1, CurrentQuote);
  EXPECT_STREQ(CurrentQuote.body, "");
  EXPECT_EQ(DiskLastFailure().cause, DiskCause::NoPermission);
  EXPECT_EQ(DiskLastFailure().file, "datos.dat");
  FileSeen seen = SeeFile("datos.dat");
  EXPECT_TRUE(seen.there);
  EXPECT_EQ(seen.size, -1);
  for (DiskMode mode : {DiskMode::Create, DiskMode::Update}) {
    DiskClearFailure();
    EXPECT_EQ(DiskOpen("datos.dat", mode), nullptr);
    EXPECT_EQ(DiskLastFailure().cause, DiskCause::NoPermission);
  }
  DiskWait = wait;
}

TEST_F(QuoteFile, FieldsSurviveAtTheirLimitsAndDamageIsCut) {
  WriteBytes("config.cfg", SettingsBytes(0, 1));
  RecordCount = 0;
  std::string body(1799, 'b'), name(39, 'n');
  SetCurrentQuote(body, name, std::string(39, 'd'), "", std::string(39, 't'));
  ASSERT_TRUE(SaveQuote(1, 0));
  EXPECT_EQ(ReadBytes("datos.dat"),
            RecordBytes(body, name, std::string(39, 'd'), "", std::string(39, 't')));
  ClearQuote(CurrentQuote);
  LoadQuote(1, CurrentQuote);
  EXPECT_EQ(std::string(CurrentQuote.body), body);
  EXPECT_EQ(std::string(CurrentQuote.name), name);
  EXPECT_STREQ(CurrentQuote.address, "");

  // Bytes after a NUL mean nothing; a field with no NUL is cut at width - 1.
  std::string record = RecordBytes("cuerpo", "", "fecha", "", "");
  record.replace(1800, 40, std::string(40, 'N'));
  record.replace(1846, 10, "basura!!!!");
  record.replace(0, 1800, std::string(1800, 'B'));
  WriteBytes("datos.dat", record);
  QuoteRecord stored;
  ASSERT_TRUE(LoadQuote(1, stored));
  CopyQuote(CurrentQuote, stored);
  EXPECT_EQ(std::string(CurrentQuote.name), std::string(39, 'N'));
  EXPECT_STREQ(CurrentQuote.date, "fecha");
  EXPECT_EQ(std::string(CurrentQuote.body), std::string(1799, 'B'));
}

TEST_F(QuoteFile, LongFilesLoadAndRebuildRecordByRecord) {
  // 150 records run past several of the reader's buffer fills, whose edges
  // fall inside records.
  std::string stored = StoreQuotes(150);
  for (int n = 1; n <= 150; ++n) {
    LoadQuote(n, CurrentQuote);
    ASSERT_EQ(std::string(CurrentQuote.name), "Cliente " + std::to_string(n));
    ASSERT_EQ(std::string(CurrentQuote.body), "Linea " + std::to_string(n) + "\r\notra");
    ASSERT_EQ(std::string(CurrentQuote.total), std::to_string(n) + ",00");
  }

  SetCurrentQuote("nuevo", "Otro", "7/12/2026", "", "9,99");
  ASSERT_TRUE(SaveQuote(0, 117));
  std::string expected = stored;
  expected.replace(116 * kRecordSize, kRecordSize, RecordBytes("nuevo", "Otro", "7/12/2026", "", "9,99"));
  EXPECT_TRUE(ReadBytes("datos.dat") == expected);
  EXPECT_TRUE(ReadBytes("trasvase.dat") == expected);

  // A last record one byte short, far into the file, loads as nothing.
  WriteBytes("datos.dat", expected.substr(0, expected.size() - 1));
  LoadQuote(150, CurrentQuote);
  EXPECT_STREQ(CurrentQuote.name, "");
  LoadQuote(149, CurrentQuote);
  EXPECT_STREQ(CurrentQuote.name, "Cliente 149");
}
