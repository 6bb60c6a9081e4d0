// The measured cases. Appends grow datos.dat by one record a run and
// overwrites rebuild it unchanged in size, so a case only puts the folder
// back once it has finished; a start-up needs its launch count and a
// missing backup folder before every run. Cases that write start each run
// with everything earlier on disk, so that no run pays for another's
// unsynced writes (the transfer file, a backup copy) reaching the disk.
#include "bench/cases.h"

#include <unistd.h>

#include <fstream>
#include <string>

#include "bench/floors.h"
#include "bench/scratch_store.h"
#include "bench/search_cases.h"
#include "print/page_pdf.h"
#include "print/print_job.h"
#include "store/company_file.h"
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

// As FillQuote, with a logo of 600 x 300 pixels beside the quote, as a
// business would pick one: a 24-bit BMP of colour ramps (which compress less
// than flat colours), named in empresa.ini as the business's dialog leaves it.
// Written the first time only.
void FillQuoteWithLogo(int32_t quotes) {
  FillQuote(quotes);
  if (access("logo.bmp", F_OK) == 0) return;
  const uint32_t wide = 600, high = 300, stride = wide * 3;  // a multiple of 4: no padding
  std::string bmp = "BM";
  auto add = [&bmp](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp += static_cast<char>(value >> (8 * i) & 0xFF);
  };
  for (uint32_t field : {54 + stride * high, 0u, 54u, 40u, wide, high}) add(field, 4);
  add(1, 2);
  add(24, 2);
  for (uint32_t field : {0u, stride * high, 2835u, 2835u, 0u, 0u}) add(field, 4);
  for (uint32_t y = 0; y < high; ++y) {
    for (uint32_t x = 0; x < wide; ++x) {
      for (uint32_t value : {(x + y) / 4, y * 255 / high, x * 255 / wide}) add(value, 1);  // blue, green, red
    }
  }
  std::ofstream("logo.bmp", std::ios::binary) << bmp;
  CompanyData company;
  company.name = "Reformas Pe\xF1" "a S.L.";
  company.vatRate = "21";
  company.logo = "logo.bmp";
  WriteCompanyData(company);
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
                   nullptr, FillQuote, false, true, 0.001});
  // "Guardar PDF" without its message: the page, the PDF's bytes, the file
  // in the folder PDF written and synced.
  cases.push_back({"Guardar PDF into PDF/", 0,
                   [](int32_t) {
                     SaveInPdfFolder(PdfFileName(1234, CurrentQuote.name),
                                     QuotePdf(CurrentQuote, 1234, CompanyData()));
                   },
                   nullptr, FillQuote, false, true, 0.050});
  // The same with the business's logo: empresa.ini read, the picture decoded
  // and shrunk to the most a logo keeps, then written into the PDF.
  cases.push_back({"Guardar PDF with a 600x300 logo", 0,
                   [](int32_t) {
                     SaveInPdfFolder(PdfFileName(1234, CurrentQuote.name),
                                     QuotePdf(CurrentQuote, 1234, ConvertAndReadCompanyFile().data));
                   },
                   nullptr, FillQuoteWithLogo, false, true, 0.050});
  return cases;
}
