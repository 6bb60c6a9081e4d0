// The measured cases. Appends grow datos.dat by one record a run and
// overwrites rebuild it unchanged in size, so a case only puts the folder
// back once it has finished; a start-up needs its launch count and a
// missing backup folder before every run. Cases that write start each run
// with everything earlier on disk, so that no run pays for another's
// unsynced writes (the transfer file, a backup copy) reaching the disk.
#include "bench/cases.h"

#include "bench/floors.h"
#include "bench/scratch_store.h"
#include "bench/search_cases.h"
#include "print/page_pdf.h"
#include "print/print_job.h"
#include "resources/resource.h"
#include "store/folder_lock.h"
#include "store/quote_file.h"
#include "store/quote_record.h"
#include "store/pdf_folder.h"
#include "store/settings.h"
#include "store/start_up.h"
#include "winstub/stand_in.h"

namespace {

void FifthLaunchAhead(int32_t quotes) {
  RemoveBackupFolder();
  PutSettings(quotes, 4);
}

// The dialog's controls as a filled-in quote leaves them; the stand-in's call
// log is emptied so that it does not grow with the runs.
void FillQuote(int32_t) {
  StandInReset();
  std::string body;
  for (int line = 1; line <= 20; ++line) {
    body += "Linea " + std::to_string(line) + ": material y mano de obra, " +
            std::to_string(line * 3) + " unidades\r\n";
  }
  ClearQuote(CurrentQuote);
  CopyField(CurrentQuote.body, kBodyWidth, body.c_str());
  CopyField(CurrentQuote.date, kFieldWidth, "6/12/2026");
  CopyField(CurrentQuote.name, kFieldWidth, "Pe\xF1" "a e hijos");
  CopyField(CurrentQuote.address, kFieldWidth, "C/ Mayor 1, 2\xBA");
  CopyField(CurrentQuote.total, kFieldWidth, "1.234,56");
}

}  // namespace

std::vector<BenchCase> BenchCases(const std::vector<int32_t>& sizes) {
  std::vector<BenchCase> cases;
  for (int32_t quotes : sizes) {
    cases.push_back({"LoadQuote newest", quotes, [](int32_t n) { LoadQuote(n, CurrentQuote); },
                     [](int32_t n) { ReadOneFloor(n); }, nullptr, false, false});
    cases.push_back({"LoadQuote first", quotes, [](int32_t) { LoadQuote(1, CurrentQuote); },
                     [](int32_t) { ReadOneFloor(1); }, nullptr, false, false});
    cases.push_back({"SaveQuote append", quotes, [](int32_t) { SaveQuote(1, RecordCount); },
                     [](int32_t) { AppendFloor(RecordCount++); }, nullptr, true, false});
    cases.push_back({"SaveQuote overwrite 1", quotes, [](int32_t) { SaveQuote(0, 1); },
                     [](int32_t) { OverwriteFloor(); }, nullptr, true, false});
    cases.push_back({"SaveQuote overwrite last", quotes, [](int32_t n) { SaveQuote(0, n); },
                     [](int32_t) { OverwriteFloor(); }, nullptr, true, false});
    cases.push_back({"LoadSettings 5th launch", quotes, [](int32_t) { LoadSettings(); },
                     [](int32_t n) { StartupFloor(n); }, FifthLaunchAhead, true, false});
  }
  AddSearchCases(cases, sizes);
  // What every save adds for the other copies on the folder: the lock file
  // opened, byte 0 locked and let go of, the file closed.
  cases.push_back({"Store lock for one save", 0, [](int32_t) { StoreLock lock; }, nullptr, nullptr,
                   false, false});
  cases.push_back({"PrintQuote to a file", 0,
                   [](int32_t) {
                     PrintQuote(CurrentQuote, 1234, CompanyData(), false, StandInDialog());
                   },
                   nullptr, FillQuote, false, true});
  // "Guardar PDF" without its message: the page, the PDF's bytes, the file
  // in the folder PDF written and synced.
  cases.push_back({"Guardar PDF into PDF/", 0,
                   [](int32_t) {
                     SaveInPdfFolder(PdfFileName(1234, CurrentQuote.name),
                                     QuotePdf(CurrentQuote, 1234, CompanyData()));
                   },
                   nullptr, FillQuote, false, true});
  return cases;
}
