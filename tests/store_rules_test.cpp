// The store's decisions as tables: each row what the files hold, and what
// the store must decide.
#include <gtest/gtest.h>

#include "store/store_rules.h"

#include <cstring>

namespace {

constexpr int64_t R = 1960;  // one record
const SettingsSeen kNoSettings{};
SettingsSeen Counting(int32_t count, int32_t launches = 7) { return {true, true, true, count, launches}; }
const SettingsSeen kUnreadable{true, false, false, 0, 0};
const SettingsSeen kTooShort{true, true, false, 0, 0};
FileSeen Quotes(int64_t size) { return {true, size}; }
const FileSeen kNoFile{false, 0};

TEST(StoreRules, SavesGoOnlyOverTheQuotesTheFilesHold) {
  using S = SaveRefusal;
  struct Row {
    bool append;
    int32_t number;
    SettingsSeen settings;
    FileSeen quotes;
    bool go;
    SaveRefusal why;
    int32_t decided;  // the new quote's number, or the quotes a correction copies
  } rows[] = {
      // Appends go after every whole quote, whichever copy stored it (over a
      // partial one at most); corrections need config.cfg to count exactly
      // the whole records. The refusals through the files are in
      // quote_file_test.
      {true, 0, Counting(3), Quotes(3 * R + 700), true, S::None, 4},
      {true, 0, kNoSettings, kNoFile, true, S::None, 1},
      {true, 0, kTooShort, Quotes(3 * R), true, S::None, 4},
      {true, 0, Counting(3), Quotes(5 * R), true, S::None, 6},  // stored, not yet counted
      {true, 0, Counting(4), Quotes(3 * R), false, S::QuotesMissing, 0},
      {true, 0, Counting(3), Quotes(2 * R + 5), false, S::QuotesMissing, 0},
      {true, 0, kUnreadable, Quotes(3 * R), false, S::None, 0},
      {true, 0, Counting(3), Quotes(-1), false, S::None, 0},
      {true, 0, Counting(INT32_MAX), Quotes(int64_t{INT32_MAX} * R), false, S::NoNumberLeft, 0},
      {false, 3, kNoSettings, Quotes(3 * R + 9), true, S::None, 3},
      {false, 5, Counting(5), Quotes(5 * R), true, S::None, 5},
      {false, 4, Counting(3), Quotes(3 * R), false, S::None, 3},
      {false, 2, kTooShort, Quotes(3 * R), false, S::FilesChanged, 0},
      {false, 2, Counting(3), Quotes(4 * R), false, S::FilesChanged, 0},
      {false, 2, Counting(4), Quotes(3 * R), false, S::QuotesMissing, 0},
      {false, 2, Counting(3), kNoFile, false, S::QuotesMissing, 0},
      {false, 2, Counting(3), Quotes(-1), false, S::None, 0},
  };
  int line = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(++line);
    SaveRefusal why = SaveRefusal::ChangedSinceShown;
    int32_t decided = 0;
    bool go = row.append ? PlanAppend(row.settings, row.quotes, &decided, &why)
                         : MayCorrect(row.number, row.settings, row.quotes, &decided, &why);
    EXPECT_EQ(go, row.go);
    EXPECT_EQ(why, row.why);
    EXPECT_EQ(decided, row.decided);
  }
}

TEST(StoreRules, StartUpCountsAndFindsTheMissingQuotes) {
  struct Row {
    SettingsSeen settings;
    int64_t whole;
    int32_t recordCount;
    bool write;
    int32_t launches, firstMissing, lastMissing;
  } rows[] = {
      {Counting(3, 4), 3, 3, true, 5, 1, 0},
      {Counting(5, 4), 3, 5, true, 5, 4, 5},                   // datos.dat brought back alone
      {Counting(0x41414141, 1), 3, 0x41414141, true, 2, 4, 0x41414141},  // damaged count
      {Counting(1, 6), 3, 3, true, 7, 1, 0},                   // an old config.cfg
      {Counting(-1, 6), 3, 3, true, 7, 1, 0},
      {kTooShort, 3, 3, true, 1, 1, 0},
      {Counting(3, INT32_MAX), 3, 3, true, INT32_MIN, 1, 0},   // the counter wraps
      {Counting(5, 4), -1, 5, true, 5, 1, 0},                  // datos.dat not measurable
      {kTooShort, -1, 0, false, 1, 1, 0},
      {kNoSettings, 3, 3, true, 1, 1, 0},
      {kNoSettings, -1, 0, false, 1, 1, 0},
      {kUnreadable, 3, 3, false, 1, 1, 0},                     // never rewritten with guesses
  };
  int line = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(++line);
    CountPlan plan = PlanCount(row.settings, row.whole);
    EXPECT_EQ(plan.recordCount, row.recordCount);
    EXPECT_EQ(plan.write, row.write);
    if (row.write) {
      EXPECT_EQ(plan.launches, row.launches);
    }
    EXPECT_EQ(plan.firstMissing, row.firstMissing);
    EXPECT_EQ(plan.lastMissing, row.lastMissing);
  }
}

TEST(StoreRules, HalfDoneCorrectionsRollForwardOnlyWhenWholeAndAgreeing) {
  struct Row {
    int32_t count;
    FileSeen file, newFile;
    bool rolls;
  } rows[] = {
      {3, kNoFile, Quotes(3 * R), true},           // replaced by delete and rename, cut between
      {3, Quotes(2 * R + 100), Quotes(3 * R), true},
      {3, Quotes(3 * R), Quotes(3 * R), false},    // the correction never took place
      {3, kNoFile, Quotes(3 * R - 1), false},      // a temporary cut short
      {3, kNoFile, Quotes(4 * R), false},
      {3, kNoFile, kNoFile, false},
      {0, kNoFile, Quotes(0), false},
      {3, Quotes(-1), Quotes(3 * R), false},
  };
  int line = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(++line);
    EXPECT_EQ(RollsForward(row.count, row.file, row.newFile), row.rolls);
  }
  // A copy left beside trasvase.dat: whole, within datos.dat, never shorter.
  EXPECT_TRUE(CopyCatchesUp(Quotes(4 * R), 5, 3));
  EXPECT_TRUE(CopyCatchesUp(Quotes(4 * R), 4, 4));
  EXPECT_FALSE(CopyCatchesUp(Quotes(4 * R), 3, 3));  // more than datos.dat holds
  EXPECT_FALSE(CopyCatchesUp(Quotes(4 * R), 5, 5));  // cut short while built
  EXPECT_FALSE(CopyCatchesUp(Quotes(4 * R + 9), 5, 3));
  EXPECT_FALSE(CopyCatchesUp(kNoFile, 5, 0));
  // What a record read is: a field without its zero byte makes it none.
  QuoteRecord record{};
  EXPECT_EQ(StateOf(record), RecordState::Blank);
  record.date[0] = '6';
  EXPECT_EQ(StateOf(record), RecordState::Quote);
  std::memset(record.total, 'x', sizeof record.total);
  EXPECT_EQ(StateOf(record), RecordState::Unsound);
  EXPECT_TRUE(WrittenWhole({RecordState::Quote, RecordState::Blank}));
  EXPECT_FALSE(WrittenWhole({RecordState::Blank, RecordState::Blank}));
  EXPECT_FALSE(WrittenWhole({RecordState::Quote, RecordState::Unsound}));

  // The records both hold differ in the corrected one at most.
  EXPECT_TRUE(RollForwardAgrees(0));
  EXPECT_TRUE(RollForwardAgrees(1));
  EXPECT_FALSE(RollForwardAgrees(2));
  EXPECT_FALSE(RollForwardAgrees(-1));
}

// A source as its records from the first missing quote on read: Q a quote,
// B a blank record, x no quote; "-" a source that cannot be read.
SourceSeen Source(int32_t first, const std::string& records) {
  SourceSeen source;
  if (records == "-") return {-1, {}};
  for (char c : records) {
    source.states.push_back(c == 'Q' ? RecordState::Quote
                            : c == 'B' ? RecordState::Blank
                                       : RecordState::Unsound);
  }
  source.whole = first - 1 + static_cast<int64_t>(records.size());
  return source;
}

TEST(StoreRules, MissingQuotesComeFromTheNewestSourceHoldingThemAsQuotes) {
  struct Row {
    int32_t first, last;
    std::vector<std::string> sources;  // trasvase.dat.tmp, trasvase.dat, backups newest first
    std::vector<Taken> plan;
  } rows[] = {
      {4, 5, {"QQ"}, {{0, 4, 5}}},
      {4, 7, {"Q", "QQQ", "QQQQ"}, {{0, 4, 4}, {1, 5, 6}, {2, 7, 7}}},
      {4, 7, {"", "QQ", ""}, {{1, 4, 5}}},            // 6 nowhere: 7 cannot follow
      {4, 5, {"", ""}, {}},
      {4, 0x41414141, {"QQQ", "QQ"}, {{0, 4, 6}}},    // a damaged count, a few found
      {INT32_MAX - 1, INT32_MAX, {"QQ"}, {{0, INT32_MAX - 1, INT32_MAX}}},
      // A source that cannot be read may hold any quote, and newer than a
      // later source: nothing is taken past it.
      {4, 5, {"-", "QQQQQQ"}, {}},
      {4, 7, {"QQ", "-", "QQQQ"}, {{0, 4, 5}}},
      {4, 5, {"QQ", "-"}, {{0, 4, 5}}},
      {4, 7, {"", "Q", "-", "QQQQ"}, {{1, 4, 4}}},
      // Garbage and zeros give way to the quotes of an older source.
      {4, 6, {"xxx", "QQQ"}, {{1, 4, 6}}},
      {4, 6, {"BBB", "xQx", "QQQ"}, {{2, 4, 4}, {1, 5, 5}, {2, 6, 6}}},
      {4, 6, {"QxQ", "BBB"}, {{0, 4, 4}, {1, 5, 5}, {0, 6, 6}}},  // a blank quote where none holds more
      {4, 6, {"QBQ", "-"}, {{0, 4, 4}}},             // the unreadable one may hold 5
      {4, 5, {"Qx"}, {{0, 4, 4}}},
  };
  int line = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(++line);
    std::vector<SourceSeen> sources;
    for (const std::string& records : row.sources) sources.push_back(Source(row.first, records));
    std::vector<Taken> plan = PlanRecovery(row.first, row.last, sources);
    ASSERT_EQ(plan.size(), row.plan.size());
    for (std::size_t i = 0; i < plan.size(); ++i) {
      EXPECT_EQ(plan[i].source, row.plan[i].source);
      EXPECT_EQ(plan[i].first, row.plan[i].first);
      EXPECT_EQ(plan[i].last, row.plan[i].last);
    }
  }
  EXPECT_EQ(BackupFoldersNewestFirst({"6-12-2026", "copia.tmp", "16-01-2027", "1-12-2026",
                                      "30-11-2026", "datos.dat", "6-13-2026", "6-12-26"}),
            (std::vector<std::string>{"16-01-2027", "6-12-2026", "1-12-2026", "30-11-2026"}));
}

TEST(StoreRules, AnExportNeverLandsOnTheProgramsOwnFiles) {
  const std::wstring folder = L"C:\\Datos\\Pe\xF1" L"a";
  struct Row {
    std::wstring path;
    std::string named;  // the program's file it names; empty where it is free
  } rows[] = {
      {folder + L"\\datos.dat", "datos.dat"},
      {L"c:/datos/PE\xD1" L"A/DATOS.DAT", "datos.dat"},
      {folder + L"\\config.cfg", "config.cfg"},
      {folder + L"\\Trasvase.dat", "trasvase.dat"},
      {folder + L"\\empresa.ini", "empresa.ini"},
      {folder + L"\\presupuestos.lck", "presupuestos.lck"},
      {folder + L"\\datos.dat.tmp", "datos.dat.tmp"},
      {folder + L"\\empresa.ini.tmp", "empresa.ini.tmp"},
      {folder + L"\\copia.tmp", "copia.tmp"},
      {folder + L"\\Fondo.bmp", "fondo.bmp"},
      // Its temporary alone would land on one.
      {folder + L"\\COPIA", "copia.tmp"},
      // Names Windows takes for the same file.
      {folder + L"\\datos.dat. . ", "datos.dat"},
      {folder + L"\\datos.dat::$DATA", "datos.dat"},
      {folder + L"\\otra\\..\\.\\datos.dat", "datos.dat"},
      {folder + L"\\\\datos.dat", "datos.dat"},
      {L"\\\\?\\" + folder + L"\\datos.dat", "datos.dat"},
      // The copies of a backup, and those of one being built.
      {folder + L"\\6-12-2026\\datos.dat", "6-12-2026\\datos.dat"},
      {folder + L"\\16-01-2027\\CONFIG.CFG", "16-01-2027\\config.cfg"},
      {folder + L"\\copia.tmp\\datos.dat", "copia.tmp\\datos.dat"},
      // Free: other names, other folders.
      {folder + L"\\presupuestos.csv", ""},
      {folder + L"\\datos.dat.csv", ""},
      {folder + L"\\6-12-2026\\lista.csv", ""},
      {folder + L"\\6-12-2026\\empresa.ini", ""},
      {folder + L"\\otra\\datos.dat", ""},
      {folder + L"\\..\\datos.dat", ""},
      {L"C:\\Datos\\Pena\\datos.dat", ""},
      {L"C:\\Datos\\datos.dat", ""},
      {L"D:\\Datos\\Pe\xF1" L"a\\datos.dat", ""},
  };
  int line = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(++line);
    EXPECT_EQ(ProgramFileAt(row.path, folder), row.named);
  }
  // The working folder as the system may give it: with its last separator,
  // over the network, at the root; and a POSIX path, as in the tests.
  EXPECT_EQ(ProgramFileAt(L"C:\\Datos\\Pe\xF1" L"a\\datos.dat", folder + L"\\"), "datos.dat");
  EXPECT_EQ(ProgramFileAt(L"\\\\?\\UNC\\servidor\\datos\\config.cfg", L"\\\\servidor\\datos"),
            "config.cfg");
  EXPECT_EQ(ProgramFileAt(L"C:\\datos.dat", L"C:\\"), "datos.dat");
  EXPECT_EQ(ProgramFileAt(L"C:\\Datos\\datos.dat", L"C:\\"), "");
  EXPECT_EQ(ProgramFileAt(L"/tmp/prueba/datos.dat", L"/tmp/prueba"), "datos.dat");
  EXPECT_EQ(ProgramFileAt(L"/tmp/prueba/lista.csv", L"/tmp/prueba"), "");

  // Devices, whatever the extension or case: the export would go to them.
  const std::pair<const wchar_t*, const char*> devices[] = {
      {L"C:\\Datos\\LPT1", "lpt1"}, {L"C:\\Datos\\lpt1.csv", "lpt1"}, {L"C:\\prn .txt", "prn"},
      {L"C:\\Datos\\Nul", "nul"},   {L"C:\\com9.csv.", "com9"},         {L"C:\\aux", "aux"},
      {L"C:\\lpt0.csv", ""},          {L"C:\\lpt10", ""},                {L"C:\\lpt1x.csv", ""},
      {L"C:\\LPT1\\lista.csv", ""},  {L"C:\\consola.csv", ""},
  };
  for (const auto& [path, device] : devices) EXPECT_EQ(DeviceAt(path), device) << device;
}

}  // namespace
