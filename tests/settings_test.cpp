// config.cfg, the launch counter and the dated backup of every fifth launch.
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>
#include <utility>
#include <vector>

#include "common/number_text.h"
#include "store/dated_backup.h"
#include "store/disk.h"
#include "store/quote_file.h"
#include "store/quote_record.h"
#include "store/settings.h"
#include "store/start_up.h"
#include "tests/disk_faults.h"
#include "tests/store_fixture.h"
#include "tests/test_folder.h"

namespace {

std::string Records(int count) {
  std::string file;
  for (int n = 1; n <= count; ++n) file += RecordBytes("q" + std::to_string(n), "", "", "", "");
  return file;
}

DiskOp Failing;
DiskFault FailOneKind(DiskOp op) { return op == Failing ? DiskFault::Error : DiskFault::None; }

class Settings : public StoreTest {};

}  // namespace

TEST_F(Settings, LaunchesAreCountedAndEveryFifthIsBackedUp) {
  for (int launch = 1; launch <= 4; ++launch) {
    LoadSettings();
    EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(0, launch));
    EXPECT_EQ(RecordCount, 0);
    EXPECT_FALSE(Exists("6-12-2026"));
  }
  // Three quotes stored, and part of a fourth beyond the count.
  WriteBytes("datos.dat", Records(3) + "medio registro");
  WriteBytes("config.cfg", SettingsBytes(3, 4));
  LoadSettings();
  EXPECT_EQ(RecordCount, 3);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, 5));
  EXPECT_EQ(ReadBytes("6-12-2026/datos.dat"), Records(3));
  EXPECT_EQ(ReadBytes("6-12-2026/config.cfg"), SettingsBytes(3, 5));

  // The tenth launch on the same date leaves the day's backup alone.
  WriteBytes("datos.dat", Records(4));
  WriteBytes("config.cfg", SettingsBytes(4, 9));
  LoadSettings();
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(4, 10));
  EXPECT_EQ(ReadBytes("6-12-2026/datos.dat"), Records(3));
  EXPECT_EQ(ReadBytes("6-12-2026/config.cfg"), SettingsBytes(3, 5));

  // A file or an empty folder with the day's name is no backup: told.
  for (bool folder : {false, true}) {
    TodayText = "7/12/2026";
    if (folder) {
      ASSERT_EQ(mkdir("7-12-2026", 0777), 0);
    } else {
      WriteBytes("7-12-2026", "no es una copia");
    }
    WriteBytes("config.cfg", SettingsBytes(4, 19));
    StartUpReport report;
    EXPECT_FALSE(LoadSettings(&report));
    EXPECT_EQ(report.backupFailure.file, "7-12-2026");
    std::remove("7-12-2026");
  }

  // On another date the fifteenth launch takes a new one.
  TodayText = "16/01/2027";
  WriteBytes("config.cfg", SettingsBytes(4, 14));
  LoadSettings();
  EXPECT_EQ(ReadBytes("16-01-2027/datos.dat"), Records(4));
  EXPECT_EQ(ReadBytes("16-01-2027/config.cfg"), SettingsBytes(4, 15));
}

TEST_F(Settings, BackupTakesWhatIsThere) {
  // No quote file: only the settings copy. A plain file under the working
  // folder's name, whatever left it, makes way.
  WriteBytes("config.cfg", SettingsBytes(0, 4));
  WriteBytes("copia.tmp", "otra cosa");
  EXPECT_TRUE(LoadSettings());
  EXPECT_FALSE(Exists("copia.tmp"));
  EXPECT_FALSE(Exists("6-12-2026/datos.dat"));
  EXPECT_EQ(ReadBytes("6-12-2026/config.cfg"), SettingsBytes(0, 5));

  // A count of 0 beside a quote file with no whole record gives an empty
  // copy; a huge count beside a short file copies only the whole records
  // there are (the cut one after them completed first).
  TodayText = "7/12/2026";
  WriteBytes("datos.dat", "medio registro");
  WriteBytes("config.cfg", SettingsBytes(0, 9));
  LoadSettings();
  EXPECT_TRUE(Exists("7-12-2026/datos.dat"));
  EXPECT_EQ(ReadBytes("7-12-2026/datos.dat"), "");

  TodayText = "8/12/2026";
  WriteBytes("datos.dat", Records(2) + "medio registro");
  WriteBytes("config.cfg", SettingsBytes(2147483647, 14));
  LoadSettings();
  EXPECT_EQ(ReadBytes("8-12-2026/datos.dat"),
            Records(2) + "medio registro" + std::string(kRecordSize - 14, '\0'));

  // A long quote file is copied whole, across the reader's buffer fills.
  TodayText = "9/12/2026";
  WriteBytes("datos.dat", Records(150) + "cola");
  WriteBytes("config.cfg", SettingsBytes(150, 19));
  LoadSettings();
  EXPECT_TRUE(ReadBytes("9-12-2026/datos.dat") == Records(150));
}

TEST_F(Settings, OddSettingsFilesAreReadSafely) {
  // Words the file does not cover count as 0; a count that the file cannot
  // hold, or below 0, gives way to the quotes in datos.dat (here none).
  WriteBytes("config.cfg", std::string("\x02\x00\x00\x00\x09", 5));
  LoadSettings();
  EXPECT_EQ(RecordCount, 2);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(2, 10));
  WriteBytes("config.cfg", std::string("\x02\x00\x00", 3));
  LoadSettings();
  EXPECT_EQ(RecordCount, 0);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(0, 1));
  WriteBytes("config.cfg", SettingsBytes(-7, 2) + "extra");
  LoadSettings();
  EXPECT_EQ(RecordCount, 0);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(0, 3));
  WriteBytes("config.cfg", "");
  LoadSettings();
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(0, 1));
  // A launch counter of 0 (config.cfg rewritten by an append) counts launch 1.
  WriteBytes("config.cfg", SettingsBytes(3, 0));
  LoadSettings();
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, 1));
}

TEST_F(Settings, LostDamagedOrOldCountsDoNotRenumberStoredQuotes) {
  // Beside three quotes (and part of a fourth): config.cfg lost, empty, too
  // short for the count, negative, or counting fewer (an old one brought
  // back). Start-up counts the whole records and writes that count down;
  // the next new quote is quote 4, and quotes 1 to 3 stay as they were.
  struct Case {
    bool there;
    std::string bytes;
    int32_t launch;  // as written back
  } cases[] = {{false, "", 1},
               {true, "", 1},
               {true, "\x07", 1},
               {true, std::string("\x01\x00\x00", 3), 1},
               {true, SettingsBytes(-1, 6), 7},
               {true, SettingsBytes(0, 6), 7},
               {true, SettingsBytes(1, 6), 7}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.size());
    WriteBytes("datos.dat", Records(3) + "cola");
    std::remove("config.cfg");
    if (c.there) WriteBytes("config.cfg", c.bytes);
    LoadSettings();
    EXPECT_EQ(RecordCount, 3);
    EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, c.launch));
    SetCurrentQuote("cuarto", "", "", "", "");
    ASSERT_TRUE(SaveQuote(1, 0));
    EXPECT_TRUE(ReadBytes("datos.dat") == Records(3) + RecordBytes("cuarto", "", "", "", ""));
    EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(4, c.launch));
  }
  // With the count unusable and datos.dat not measurable, nothing is
  // written down.
  WriteBytes("config.cfg", "\x01");
  Failing = DiskOp::Seek;
  DiskHook = FailOneKind;
  LoadSettings();
  DiskHook = nullptr;
  EXPECT_EQ(RecordCount, 0);
  EXPECT_EQ(ReadBytes("config.cfg"), "\x01");
}

TEST_F(Settings, SettingsAreNeverLeftHalfWritten) {
  WriteBytes("config.cfg", SettingsBytes(3, 7));
  DiskHook = [](DiskOp op) { return op == DiskOp::Write ? DiskFault::ShortWrite : DiskFault::None; };
  LoadSettings();
  DiskHook = nullptr;
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, 7));
  EXPECT_FALSE(Exists("config.cfg.tmp"));
  EXPECT_EQ(RecordCount, 3);
}

TEST_F(Settings, AFailedBackupLeavesNoDatedFolderAndIsMadeNextTime) {
  // A working folder left by a crash in an earlier backup, then a copy that
  // cannot be synced (a full disk): the count's own sync goes first.
  ASSERT_EQ(mkdir(kBackupWorkFolder, 0777), 0);
  WriteBytes(std::string(kBackupWorkFolder) + "/datos.dat", "medio");
  WriteBytes("datos.dat", Records(3));
  WriteBytes("config.cfg", SettingsBytes(3, 4));
  static int syncs = 0;
  DiskHook = [](DiskOp op) {
    return op == DiskOp::Sync && ++syncs > 1 ? DiskFault::DiskFull : DiskFault::None;
  };
  StartUpReport report;
  EXPECT_FALSE(LoadSettings(&report));
  EXPECT_TRUE(report.backupFailed);
  EXPECT_EQ(report.backupFailure.cause, DiskCause::DiskFull);
  DiskHook = nullptr;
  EXPECT_FALSE(Exists("6-12-2026"));
  EXPECT_FALSE(Exists(kBackupWorkFolder));
  // Launches 6 to 9 take none and tell nothing; the tenth makes it.
  for (int launch = 6; launch <= 10; ++launch) {
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Exists("6-12-2026"), launch == 10);
  }
  EXPECT_EQ(ReadBytes("6-12-2026/datos.dat"), Records(3));
  EXPECT_EQ(ReadBytes("6-12-2026/config.cfg"), SettingsBytes(3, 10));
  EXPECT_FALSE(Exists(kBackupWorkFolder));
}

TEST_F(Settings, BackupFolderNames) {
  EXPECT_EQ(BackupFolderName("6/12/2026"), "6-12-2026");
  EXPECT_EQ(BackupFolderName("16/01/2027"), "16-01-2027");
  // Launch counts of 0 and negative multiples of 5 are multiples of 5.
  DatedBackup(0);
  EXPECT_TRUE(Exists("6-12-2026"));
  TodayText = "1/01/2030";
  DatedBackup(-5);
  EXPECT_TRUE(Exists("1-01-2030"));
  TodayText = "2/01/2030";
  DatedBackup(-4);
  EXPECT_FALSE(Exists("2-01-2030"));
}

namespace {

// A record that tells which file it was taken back from.
std::string From(const std::string& source, int n) {
  return RecordBytes(source + " " + std::to_string(n), "", "", "", "");
}
std::string RecordsFrom(const std::string& source, int first, int last) {
  std::string bytes;
  for (int n = first; n <= last; ++n) bytes += From(source, n);
  return bytes;
}

}  // namespace

TEST_F(Settings, MissingQuotesAreTakenBackFromTrasvaseThenTheNewestBackups) {
  // datos.dat brought back alone from an older backup: 3 quotes, and part
  // of a fourth, beside a config.cfg counting 8. trasvase.dat holds up to
  // 4, the backup of 7/12 up to 6, that of 1/12 up to 7, that of 30/11 up
  // to 9; quote 8 comes from there, as 7 from 1/12.
  WriteBytes("datos.dat", Records(3) + "medio");
  WriteBytes("config.cfg", SettingsBytes(8, 1));
  WriteBytes("trasvase.dat", RecordsFrom("t", 1, 4));
  for (const auto& [folder, last] :
       std::vector<std::pair<std::string, int>>{{"7-12-2026", 6}, {"1-12-2026", 7}, {"30-11-2026", 9}}) {
    ASSERT_EQ(mkdir(folder.c_str(), 0777), 0);
    WriteBytes(folder + "/datos.dat", RecordsFrom(folder, 1, last));
  }
  StartUpReport report;
  LoadSettings(&report);
  EXPECT_TRUE(ReadBytes("datos.dat") == Records(3) + From("t", 4) + RecordsFrom("7-12-2026", 5, 6) +
                                            From("1-12-2026", 7) + From("30-11-2026", 8));
  ASSERT_EQ(report.recovered.size(), 4u);
  EXPECT_EQ(report.recovered[0].source, "trasvase.dat");
  EXPECT_EQ(report.recovered[1].source, "7-12-2026");
  EXPECT_EQ(report.recovered[1].first, 5);
  EXPECT_EQ(report.recovered[1].last, 6);
  EXPECT_EQ(report.recovered[3].source, "30-11-2026");
  EXPECT_GT(report.firstMissing, report.lastMissing);
  EXPECT_EQ(RecordCount, 8);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(8, 2));

  // A damaged count and nothing more to find: RecordCount stays, saves are
  // refused, until the user chooses to number after the stored quotes.
  WriteBytes("config.cfg", SettingsBytes(0x41414141, 2));
  LoadSettings(&report);
  EXPECT_EQ(report.firstMissing, 10);
  EXPECT_EQ(report.lastMissing, 0x41414141);
  EXPECT_EQ(report.recovered[0].first, 9);
  EXPECT_EQ(RecordCount, 0x41414141);
  SetCurrentQuote("nuevo", "", "", "", "");
  SaveRefusal why = SaveRefusal::None;
  EXPECT_FALSE(SaveQuote(1, 0, &why));
  EXPECT_EQ(why, SaveRefusal::QuotesMissing);
  // Not while another copy saves, whose quote the count would leave out.
  DiskFile* other = DiskOpen("presupuestos.lck", DiskMode::Shared);
  ASSERT_EQ(DiskTryLock(other, 0, 1), DiskLock::Taken);
  DiskWaitFn wait = DiskWait;
  DiskWait = [](int) {};
  EXPECT_FALSE(ContinueAfterStoredQuotes());
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(0x41414141, 3));
  DiskWait = wait;
  DiskClose(other);
  ASSERT_TRUE(ContinueAfterStoredQuotes());
  EXPECT_EQ(RecordCount, 9);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(9, 3));
  ASSERT_TRUE(SaveQuote(1, 0));
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(10, 3));

  // A quote cut short at the end of datos.dat and held by no other source:
  // what is left of it is kept, completed with zeros, not written over by
  // the next new quote. Quote 5 is still missing.
  std::remove("trasvase.dat");
  for (const char* folder : {"7-12-2026", "1-12-2026", "30-11-2026"}) {
    std::remove((std::string(folder) + "/datos.dat").c_str());
    std::remove(folder);
  }
  std::string cut = Records(4).substr(3 * 1960, 1900);
  WriteBytes("datos.dat", Records(3) + cut);
  WriteBytes("config.cfg", SettingsBytes(5, 1));
  LoadSettings(&report);
  EXPECT_TRUE(ReadBytes("datos.dat") == Records(3) + cut + std::string(60, '\0'));
  ASSERT_EQ(report.recovered.size(), 1u);
  EXPECT_EQ(report.recovered[0].source, "datos.dat");
  EXPECT_EQ(report.recovered[0].first, 4);
  EXPECT_EQ(report.firstMissing, 5);
  EXPECT_EQ(report.lastMissing, 5);
}

TEST_F(Settings, AFolderWhereNothingCanBeWrittenIsToldAsSuch) {
  // (A copia.tmp/ left with a foreign file: see the start-up end-to-end test.)
  WriteBytes("datos.dat", Records(3));
  // A folder that takes no new file: the launch cannot be counted, no
  // backup is tried, and that is told as such.
  WriteBytes("config.cfg", SettingsBytes(3, 9));
  DiskHook = [](DiskOp op) { return op == DiskOp::Write ? DiskFault::Denied : DiskFault::None; };
  StartUpReport report;
  EXPECT_TRUE(LoadSettings(&report));
  DiskHook = nullptr;
  EXPECT_TRUE(report.folderReadOnly);
  EXPECT_FALSE(report.backupFailed);
  EXPECT_FALSE(Exists("6-12-2026"));
}

namespace {

// Bytes that no write of the program leaves: no field ends in a zero byte.
std::string Garbage(std::size_t records) {
  std::string bytes;
  for (std::size_t i = 0; i < records * 1960; ++i) bytes += static_cast<char>('A' + (i * 7) % 26);
  return bytes;
}

}  // namespace

TEST_F(Settings, StartUpPutsInPlaceOnlySoundQuotesFromTheNewestSource) {
  // Five quotes counted. Each row lays down what is left, and says what
  // datos.dat holds after the start-up and where its quotes came from.
  const std::string t = RecordsFrom("t", 1, 5), older = RecordsFrom("1-12-2026", 1, 5);
  const std::string twoOfT = t.substr(0, 2 * 1960) + Records(5).substr(2 * 1960);
  struct Row {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files;
    std::string quotes;
    bool finished;                     // datos.dat.tmp put in place
    std::vector<std::string> sources;  // of the quotes taken back, in order
  } rows[] = {
      // Zeros or garbage with nothing beside to disagree with.
      {"zeros in datos.dat.tmp",
       {{"datos.dat.tmp", std::string(5 * 1960, '\0')}, {"1-12-2026/datos.dat", older}},
       older, false, {"1-12-2026"}},
      {"garbage in datos.dat.tmp",
       {{"datos.dat.tmp", Garbage(5)}, {"1-12-2026/datos.dat", older}},
       older, false, {"1-12-2026"}},
      // Agreeing with trasvase.dat, but not with the first two quotes left
      // in datos.dat: no half of a correction of it.
      {"datos.dat.tmp unlike datos.dat",
       {{"datos.dat", Records(3)}, {"datos.dat.tmp", twoOfT}, {"trasvase.dat", twoOfT}},
       Records(5), false, {"trasvase.dat"}},
      // (The copy, whole, first takes the place of the missing trasvase.dat.)
      {"datos.dat.tmp unlike its own copy",
       {{"datos.dat.tmp", Records(5)}, {"trasvase.dat.tmp", t}},
       t, false, {"trasvase.dat"}},
      {"datos.dat.tmp unlike trasvase.dat",
       {{"datos.dat.tmp", Records(5)}, {"trasvase.dat", t}},
       t, false, {"trasvase.dat"}},
      {"a cut correction",
       {{"datos.dat.tmp", Records(5)}, {"trasvase.dat.tmp", Records(5)}, {"trasvase.dat", t}},
       Records(5), true, {}},
      {"garbage in trasvase.dat and the newest backup",
       {{"datos.dat", Records(3)}, {"trasvase.dat", Garbage(5)}, {"7-12-2026/datos.dat", Garbage(5)},
        {"1-12-2026/datos.dat", older}},
       Records(3) + older.substr(3 * 1960), false, {"1-12-2026"}},
      {"one record of garbage",
       {{"datos.dat", Records(3)}, {"trasvase.dat", t.substr(0, 3 * 1960) + Garbage(1) + From("t", 5)},
        {"1-12-2026/datos.dat", older}},
       Records(3) + From("1-12-2026", 4) + From("t", 5), false, {"1-12-2026", "trasvase.dat"}},
      // A correction of quote 5 whose copy could not be renamed, then an
      // older datos.dat brought back: the newer copy wins.
      {"stale trasvase.dat",
       {{"datos.dat", Records(3)}, {"trasvase.dat", Records(5)}, {"trasvase.dat.tmp", t}},
       Records(3) + t.substr(3 * 1960), false, {"trasvase.dat.tmp"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    WriteBytes("config.cfg", SettingsBytes(5, 1));
    for (const auto& [name, bytes] : row.files) {
      std::size_t slash = name.find('/');
      if (slash != std::string::npos) mkdir(name.substr(0, slash).c_str(), 0777);
      WriteBytes(name, bytes);
    }
    StartUpReport report;
    LoadSettings(&report);
    EXPECT_TRUE(ReadBytes("datos.dat") == row.quotes);
    EXPECT_EQ(report.correctionFinished, row.finished);
    std::vector<std::string> sources;
    for (const QuotesTakenBack& taken : report.recovered) sources.push_back(taken.source);
    EXPECT_EQ(sources, row.sources);
    EXPECT_GT(report.firstMissing, report.lastMissing);
    for (const char* name : {"datos.dat", "datos.dat.tmp", "trasvase.dat", "trasvase.dat.tmp",
                             "7-12-2026/datos.dat", "1-12-2026/datos.dat", "7-12-2026", "1-12-2026"}) {
      std::remove(name);
    }
  }

  // The copy of a correction that stood, beside datos.dat as it now is
  // with a quote appended since, takes the place of the older trasvase.dat.
  // One cut short while it was built is left.
  WriteBytes("datos.dat", Records(5));
  WriteBytes("trasvase.dat", t.substr(0, 3 * 1960));
  WriteBytes("trasvase.dat.tmp", Records(4));
  LoadSettings();
  EXPECT_TRUE(ReadBytes("trasvase.dat") == Records(4));
  EXPECT_FALSE(Exists("trasvase.dat.tmp"));
  WriteBytes("trasvase.dat.tmp", Records(3));
  LoadSettings();
  EXPECT_TRUE(ReadBytes("trasvase.dat") == Records(4));
}

TEST_F(Settings, WhatASettingsWriteLeftIsNoFirstStart) {
  LoadSettings();
  LoadSettings();
  // Only the temporary of the last write left: taken back, counting on.
  std::rename("config.cfg", "config.cfg.tmp");
  StartUpReport report;
  LoadSettings(&report);
  EXPECT_FALSE(report.firstStart);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(0, 3));
  // One cut short is no count, but still no first start.
  std::remove("config.cfg");
  WriteBytes("config.cfg.tmp", "\x03");
  LoadSettings(&report);
  EXPECT_FALSE(report.firstStart);
  std::remove("config.cfg");
  std::remove("config.cfg.tmp");
  LoadSettings(&report);
  EXPECT_TRUE(report.firstStart);
}
