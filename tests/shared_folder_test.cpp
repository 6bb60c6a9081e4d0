// Several copies of the program on one working folder: two processes saving
// and correcting at once, and saving the business's data, a lock held past a
// save's wait, the quotes and corrections of another copy seen.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "dialogs/failure_message.h"
#include "dialogs/quote_search.h"
#include "dialogs/quote_dialogs.h"
#include "dialogs/search_dialog.h"
#include "store/company_file.h"
#include "store/folder_lock.h"
#include "store/logo_file.h"
#include "store/quote_file.h"
#include "store/start_up.h"
#include "tests/dialog_driver.h"

namespace {

constexpr int kSavesEach = 200;

// One copy's run: new quotes, each read back under the number it was told,
// and every tenth save a correction of quote 1 from what it read before,
// which stands or is refused as changed since shown; before each, the
// business's data read, whole as one copy saved it, and saved. Ends 0 when
// all went so.
void RunCopy(int copy) {
  LoadSettings();
  CompanyData company;
  company.name = company.footer[2] = "Empresa " + std::to_string(copy);
  for (int i = 1; i <= kSavesEach; ++i) {
    CompanyData read = ReadCompanyData();
    if (!WriteCompanyData(company) || read.name != read.footer[2]) ::_exit(4);
    std::string name = "Copia " + std::to_string(copy) + " n " + std::to_string(i);
    SetCurrentQuote("Cuerpo de " + name, name, "8/12/2026", "Calle", "1,00");
    QuoteRecord record;
    if (!SaveQuote(1, 0) || !LoadQuote(RecordCount, record) || name != record.name) ::_exit(2);
    if (i % 10 != 0 || !LoadQuote(1, record)) continue;
    QuoteRecord corrected = record;
    CopyField(corrected.total, kFieldWidth, name.c_str());
    SaveRefusal why = SaveRefusal::None;
    if (!SaveCorrection(1, record, corrected, &why) && why != SaveRefusal::ChangedSinceShown) {
      ::_exit(3);
    }
  }
  ::_exit(0);
}

class SharedFolder : public DialogTest {};

TEST_F(SharedFolder, TwoCopiesSavingAndCorrectingAtOnceGiveEveryNumberOnce) {
  SetCurrentQuote("primero", "Primero", "1/12/2026", "", "");
  ASSERT_TRUE(SaveQuote(1, 0));
  CompanyData company;
  company.name = company.footer[2] = "Empresa";
  ASSERT_TRUE(WriteCompanyData(company));
  pid_t copies[2];
  for (pid_t& copy : copies) {
    std::fflush(nullptr);
    copy = ::fork();
    if (copy == 0) RunCopy(static_cast<int>(&copy - copies));
  }
  for (pid_t copy : copies) {
    int status = 0;
    ASSERT_EQ(::waitpid(copy, &status, 0), copy);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  const int total = 1 + 2 * kSavesEach;
  EXPECT_EQ(ReadBytes("config.cfg").substr(0, 4), SettingsBytes(total, 0).substr(0, 4));
  ASSERT_EQ(ReadBytes("datos.dat").size(), static_cast<std::size_t>(total) * kRecordSize);
  std::set<std::string> names;
  for (int n = 1; n <= total; ++n) {
    QuoteRecord record;
    ASSERT_TRUE(LoadQuote(n, record));
    EXPECT_EQ(StateOf(record), RecordState::Quote);
    EXPECT_TRUE(names.insert(record.name).second) << record.name;
    if (n > 1) {
      EXPECT_EQ(std::string(record.body), "Cuerpo de " + std::string(record.name));
    }
  }
  // Quote 1 holds a correction that stood, and trasvase.dat the same.
  QuoteRecord first;
  ASSERT_TRUE(LoadQuote(1, first));
  EXPECT_EQ(std::string(first.total).rfind("Copia ", 0), 0u) << first.total;
  EXPECT_EQ(ReadBytes("trasvase.dat").substr(0, kRecordSize),
            ReadBytes("datos.dat").substr(0, kRecordSize));
  for (const char* left : {"datos.dat.tmp", "trasvase.dat.tmp", "config.cfg.tmp"}) {
    EXPECT_FALSE(Exists(left)) << left;
  }
}

// The other copy's lock, let go of after FreeAfter ms of waiting (0: never).
int Waited = 0;
int FreeAfter = 0;
DiskFile* Other = nullptr;
void CountWait(int milliseconds) {
  Waited += milliseconds;
  if (Waited == FreeAfter) DiskClose(Other);
}

TEST_F(SharedFolder, ASaveWaitsFiveSecondsForTheLockThenSaysSo) {
  std::string stored = StoreQuotes(2);
  DiskWaitFn savedWait = DiskWait;
  DiskWait = CountWait;
  const std::string busy =
      "\nOtro equipo lleva m\xE1s de 5 segundos guardando en la carpeta de los datos. Vuelva a "
      "intentarlo dentro de un momento.";
  // A new quote, a correction, the business's data, its logo: each says why
  // it failed.
  for (int freeAfter : {0, 1200}) {
    for (int change : {1, 0, 2, 3}) {
      Other = DiskOpen("presupuestos.lck", DiskMode::Shared);
      ASSERT_EQ(DiskTryLock(Other, 0, 1), DiskLock::Taken);
      Waited = 0;
      FreeAfter = freeAfter;
      DiskClearFailure();
      bool saved = change == 3   ? StoreLogo("BM logo")
                   : change == 2 ? WriteCompanyData(CompanyData())
                                 : SaveQuote(static_cast<unsigned char>(change), 2);
      EXPECT_EQ(saved, freeAfter != 0);
      EXPECT_EQ(Waited, freeAfter != 0 ? freeAfter : 5000);
      if (freeAfter != 0) continue;
      EXPECT_EQ(CauseSentence(DiskLastFailure()), busy);
      EXPECT_TRUE(ReadBytes("datos.dat") == stored);
      DiskClose(Other);
    }
  }
  // presupuestos.lck deleted while copies hold it: where the file server
  // keeps its name until the last copy lets go, it can neither be opened
  // nor seen. No save goes on without the lock.
  ASSERT_EQ(JoinWorkingFolder(), FolderShare::Shared);
  std::remove("presupuestos.lck");
  stored = ReadBytes("datos.dat");
  DiskHook = [](DiskOp op) {
    return op == DiskOp::Lock && std::string(DiskHookPath) == "presupuestos.lck" ? DiskFault::Denied
                                                                                 : DiskFault::None;
  };
  DiskFailure failure;
  EXPECT_FALSE(SaveQuote(1, 0, nullptr, &failure));
  EXPECT_EQ(failure.file, "presupuestos.lck");
  EXPECT_TRUE(ReadBytes("datos.dat") == stored);
  DiskHook = nullptr;
  LeaveWorkingFolder();
  DiskWait = savedWait;
}

TEST_F(SharedFolder, TheDialogsSeeQuotesAnotherCopyStored) {
  // Past the newest quote known, ">>" counts again, as each search does.
  for (DLGPROC proc : {ListQuoteDialogProc, ModifyQuoteDialogProc, SearchDialogProc}) {
    StandInReset();
    StoreQuotes(2);
    bool browsing = proc != SearchDialogProc;
    Open(proc);
    WriteBytes("datos.dat", StoreQuotes(3));  // by another copy
    RecordCount = 2;
    Press(proc, browsing ? IDC_NEXT : IDC_SEARCH_TEXT, browsing ? 0 : EN_CHANGE);
    EXPECT_EQ(RecordCount, 3);
    if (browsing) ExpectShown(Stored(3), "3");
  }
  SearchDialogProc(StandInDialog(), WM_DESTROY, 0, 0);
  // A count another copy has not finished (the record written, config.cfg
  // not yet) is not taken, and none is ever lowered.
  WriteBytes("datos.dat", StoreQuotes(3) + Bytes(Stored(4)));
  EXPECT_EQ(CatchUpCount(), 3);
  WriteBytes("config.cfg", SettingsBytes(1, 3));
  EXPECT_EQ(CatchUpCount(), 3);
}

// Another copy's correction of quote 2, renamed over datos.dat while the
// search reads the file it replaces.
bool Corrected = false;
DiskFault CorrectDuringTheRead(DiskOp op) {
  if (op != DiskOp::Read || Corrected || std::string(DiskHookPath) != "datos.dat") {
    return DiskFault::None;
  }
  Corrected = true;
  QuoteTexts two = Stored(2);
  two.name = "Cambiado";
  WriteBytes("nuevo.dat", Bytes(Stored(1)) + Bytes(two) + Bytes(Stored(3)));
  std::rename("nuevo.dat", "datos.dat");
  return DiskFault::None;
}

TEST_F(SharedFolder, ASearchOverAFileReplacedMeanwhileReadsItAgain) {
  StoreQuotes(3);
  Corrected = false;
  DiskHook = CorrectDuringTheRead;
  EXPECT_EQ(FindQuotes("cambiado", 3), std::vector<int32_t>{2});
  EXPECT_TRUE(Corrected);
}

}  // namespace
