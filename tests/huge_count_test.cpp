// A config.cfg counting 2147483647 quotes beside a quote file of three: every
// load, browse, save and backup stops at the end of the file, within a
// time bound, instead of walking the count.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <unistd.h>

#include "dialogs/browse.h"
#include "dialogs/quote_dialogs.h"
#include "store/quote_file.h"
#include "store/settings.h"
#include "store/start_up.h"
#include "tests/dialog_driver.h"

namespace {

constexpr int32_t kHuge = 2147483647;

class HugeCount : public DialogTest {
 protected:
  // A walk of the count would take hours; the alarm ends the test process
  // long before ctest's own timeout would.
  void SetUp() override {
    DialogTest::SetUp();
    ::alarm(60);
    start_ = std::chrono::steady_clock::now();
  }
  void TearDown() override {
    ::alarm(0);
    EXPECT_LT(std::chrono::steady_clock::now() - start_, std::chrono::seconds(10));
    DialogTest::TearDown();
  }
  std::chrono::steady_clock::time_point start_;
};


}  // namespace

TEST_F(HugeCount, StartUpLoadAndBackupStopAtTheEndOfTheFile) {
  std::string quotes = Bytes(Stored(1)) + Bytes(Stored(2)) + Bytes(Stored(3));
  WriteBytes("datos.dat", quotes + "medio registro");
  // What is left of quote 4 is kept, completed.
  quotes += "medio registro" + std::string(kRecordSize - 14, '\0');
  WriteBytes("config.cfg", SettingsBytes(kHuge, 4));
  LoadSettings();  // launch 5: the backup copies by count
  EXPECT_EQ(RecordCount, kHuge);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(kHuge, 5));
  EXPECT_TRUE(ReadBytes("6-12-2026/datos.dat") == quotes);

  LoadQuote(kHuge, CurrentQuote);
  EXPECT_STREQ(CurrentQuote.name, "");
  LoadQuote(kHuge - 1, CurrentQuote);
  EXPECT_STREQ(CurrentQuote.body, "");
  LoadQuote(3, CurrentQuote);
  EXPECT_STREQ(CurrentQuote.name, "Cliente 3");

  // Neither save walks the count: the append finds the file short of it, the
  // overwrite runs out of records to copy. Nothing changes.
  SetCurrentQuote("x", "y", "z", "w", "v");
  EXPECT_FALSE(SaveQuote(1, 0));
  EXPECT_FALSE(SaveQuote(0, kHuge));
  EXPECT_FALSE(SaveQuote(0, 2));
  EXPECT_TRUE(ReadBytes("datos.dat") == quotes);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(kHuge, 5));
  EXPECT_EQ(RecordCount, kHuge);

  // No quote file at all.
  std::remove("datos.dat");
  LoadQuote(kHuge, CurrentQuote);
  EXPECT_STREQ(CurrentQuote.name, "");
  EXPECT_FALSE(SaveQuote(0, kHuge));
  EXPECT_FALSE(Exists("datos.dat"));
}

TEST_F(HugeCount, BrowsingOpensOnTheLastQuoteThatCanBeRead) {
  std::string quotes = StoreQuotes(3);
  WriteBytes("config.cfg", SettingsBytes(kHuge, 3));
  RecordCount = kHuge;
  for (DLGPROC proc : {ListQuoteDialogProc, ModifyQuoteDialogProc}) {
    StandInReset();
    Open(proc);
    EXPECT_EQ(BrowseIndex, 3);
    ExpectShown(Stored(3), "3");
    Press(proc, IDC_NEXT);
    EXPECT_EQ(BrowseIndex, 3);
    for (int step = 1; step <= 3; ++step) {
      Press(proc, IDC_PREV);
      EXPECT_EQ(BrowseIndex, step < 3 ? 3 - step : 1);
    }
    ExpectShown(Stored(1), "1");
    // datos.dat holds fewer quotes than counted: a correction is refused,
    // a print goes.
    Press(proc, proc == ListQuoteDialogProc ? IDC_PRINT : IDC_SAVE);
    Press(proc, IDCANCEL);
    EXPECT_TRUE(StandIn().ended);
    if (proc == ModifyQuoteDialogProc) {
      ASSERT_EQ(StandIn().boxes.size(), 1u);
      ExpectNotice(StandIn().boxes[0], std::string(kSaveFailed) + "\nFaltan presupuestos en datos.dat.");
    } else {
      EXPECT_TRUE(StandIn().boxes.empty());
    }
  }
  EXPECT_TRUE(ReadBytes("datos.dat") == quotes);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(kHuge, 3));
}

TEST_F(HugeCount, TheNewQuoteNumberDoesNotWrap) {
  std::string quotes = StoreQuotes(3);
  WriteBytes("config.cfg", SettingsBytes(kHuge, 3));
  RecordCount = kHuge;
  Open(NewQuoteDialogProc);
  EXPECT_EQ(Shown(IDC_NUMBER), Label("2147483647"));
  Type(IDC_NAME, "Cliente");
  Press(NewQuoteDialogProc, IDC_SAVE);
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  // The count says quotes datos.dat does not hold: no number is given
  // after them.
  ExpectNotice(StandIn().boxes[0], std::string(kSaveFailed) + "\nFaltan presupuestos en datos.dat.");
  EXPECT_EQ(RecordCount, kHuge);
  EXPECT_TRUE(ReadBytes("datos.dat") == quotes);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(kHuge, 3));
}
