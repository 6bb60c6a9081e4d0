// The whole print job as it reaches LPT1, and the printer stream under it.
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "print/letterhead.h"
#include "print/print_job.h"
#include "print/printer_stream.h"
#include "print/quote_sheet.h"
#include "resources/resource.h"
#include "tests/test_folder.h"
#include "winstub/stand_in.h"

namespace {
// Everything a job sends before the sheet: two line ends, the letterhead
// with CR LF line ends, three line ends.
const std::string kBeforeSheet = std::string(
    "\r\n\r\n"
    "\x1BW\x01\x1Bw\x01\x1Bw\x01\x1Bk\x04\x1BP\x1B" "E\x1B" "4\x1Bl\x05"
    "\r\n\r\n\r\n\r\nNombre empresa.\r\n\r\n"
    "\x1B" "5\x1BW\x00"
    "                     Datos\r\n\r\n\r\n"
    "\x1Bw\x00\x1Bq\x03"
    "         Direccion\r\n"
    "               Telefono\r\n"
    "                       Datos\r\n\r\n\r\n"
    "\x1Bq\x00\x1B" "F\x1Bq\x00\x1Bk\x07\x1Bl\x00"
    "\r\n\r\n\r\n",
    194);

// The quote to print, in CurrentQuote, with a fresh stand-in.
void SetQuote(const std::string& body, const std::string& date, const std::string& name,
              const std::string& address, const std::string& total) {
  StandInReset();
  SetCurrentQuote(body, name, date, address, total);
}

const CompanyData kPlaceholders;

std::string SheetBytes(int32_t number, const CompanyData& company = kPlaceholders) {
  std::ostringstream out;
  PrinterStream stream{out};
  WriteQuoteSheet(stream, CurrentQuote, number, company);
  return out.str();
}

// The quote in CurrentQuote printed under `number` from the stand-in's dialog.
PrintResult Print(int32_t number, const CompanyData& company = kPlaceholders, bool choose = false) {
  return PrintQuote(CurrentQuote, number, company, choose, StandInDialog());
}

CompanyData Business() {
  CompanyData company;
  company.name = "Reformas Pe\xF1" "a S.L.";
  company.activity = "Fontaner\xED" "a, alba\xF1iler\xED" "a y reformas en general";
  company.address = "C/ Mayor 1, 28013 Madrid";
  company.phone = "Tel. 912 345 678";
  // Longer than its room of 52 characters: cut at the page's edge.
  company.other = "NIF B-12345678 - info@reformaspena.es - www.reformaspena.es";
  company.vatRate = "21";
  // Under the boxes: the empty line prints nothing, the long one is cut.
  company.footer = {"Validez del presupuesto: 30 d\xED" "as", "",
                    "Transferencia a ES12 3456 7890 1234 5678 9012 (Banco Pe\xF1" "a), "
                    "a la aceptaci\xF3n del presupuesto"};
  return company;
}

// The cells a drawn text's characters fall in: column and row of each
// character's left edge on the grid of `columnWidth` x `rowHeight` from
// `left`, in device units.
std::vector<std::pair<int, int>> Cells(const StandInText& text, double left, double top,
                                       double columnWidth, double rowHeight) {
  std::vector<std::pair<int, int>> cells;
  double x = text.x;
  int row = static_cast<int>((text.y - top) / rowHeight);
  for (std::size_t i = 0; i < text.text.size(); ++i) {
    cells.emplace_back(static_cast<int>((x - left) / columnWidth + 0.5), row);
    x += text.advances.at(i);
  }
  return cells;
}
}  // namespace

TEST(PrintJob, WholeJobReachesTheDevice) {
  TestFolder folder;
  WriteBytes("LPT1", std::string(5000, 'x'));  // an earlier job's file is emptied
  SetQuote("Reparacion de tejado\r\n\r\nMano de obra", "6/12/2026", "Pe\xF1" "a e hijos",
           "C/ Mayor 1", "1.234,56");
  ASSERT_EQ(Print(7), PrintResult::Printed);
  EXPECT_TRUE(StandIn().calls.empty());

  std::string job = ReadBytes("LPT1");
  ASSERT_GT(job.size(), 195u);
  EXPECT_EQ(job.substr(0, 194), kBeforeSheet);
  EXPECT_EQ(job.substr(194, job.size() - 195), SheetBytes(7));
  EXPECT_EQ(job.back(), '\x0C');

  // The business's own lines in place of the placeholders, with the same
  // codes around them, in the printer's table, each cut at the page's edge:
  // the name at 37 double-width columns, the address at 66 after its indent.
  CompanyData company = Business();
  company.name += " y Construcciones del Norte";
  company.address += ", esquina a la calle de Alcal\xE1 n\xBA 20, portal B";
  ASSERT_EQ(Print(7, company), PrintResult::Printed);
  job = ReadBytes("LPT1");
  const char kHead[] =
      "\r\n\r\n"
      "\x1BW\x01\x1Bw\x01\x1Bw\x01\x1Bk\x04\x1BP\x1B" "E\x1B" "4\x1Bl\x05"
      "\r\n\r\n\r\n\r\nReformas Pe\xA4" "a S.L. y Construcciones d\r\n\r\n"
      "\x1B" "5\x1BW\x00"
      "                     Fontaner\xA1" "a, alba\xA4iler\xA1" "a y reformas en general\r\n\r\n\r\n"
      "\x1Bw\x00\x1Bq\x03"
      "         C/ Mayor 1, 28013 Madrid, esquina a la calle de Alcal\xA0 n\xA7 20, port\r\n"
      "               Tel. 912 345 678\r\n"
      "                       NIF B-12345678 - info@reformaspena.es - www.reformas\r\n\r\n\r\n"
      "\x1Bq\x00\x1B" "F\x1Bq\x00\x1Bk\x07\x1Bl\x00"
      "\r\n\r\n\r\n";
  std::string head(kHead, sizeof kHead - 1);
  EXPECT_EQ(job.substr(0, head.size()), head);
  EXPECT_EQ(job.substr(head.size(), job.size() - head.size() - 1), SheetBytes(7, company));
  // The lines under the boxes, after the last box's bottom and an empty line.
  const std::string tail =
      "\xC0" + std::string(12, '\xC4') + "\xD9\r\n\r\n"
      "  Validez del presupuesto: 30 d\xA1" "as\r\n"
      "  Transferencia a ES12 3456 7890 1234 5678 9012 (Banco Pe\xA4" "a), a la aceptaci\xA2n \r\n\f";
  EXPECT_EQ(job.substr(job.size() - tail.size()), tail);
}

TEST(PrintJob, WithoutLpt1ThePageGoesToThePrinterChosen) {
  TestFolder folder;
  ASSERT_EQ(mkdir("LPT1", 0755), 0);
  SetQuote("Cuerpo", "1/01/2027", "Luis", "Plaza 3", "10,00");
  // The stand-in's machine has no printer at all: no print dialog either.
  EXPECT_EQ(Print(3), PrintResult::NoPrinter);
  EXPECT_EQ(StandIn().calls.back(), "GetDefaultPrinterW");

  // Printers, but none the default: the dialog starts on the first one.
  StandIn().printers = {"Oficina", "PDF"};
  EXPECT_EQ(Print(3), PrintResult::Cancelled);
  EXPECT_EQ(StandIn().calls.back(), "PrintDlgW");
  EXPECT_EQ(StandIn().printDialogDevice, "Oficina");

  StandIn().defaultPrinter = "PDF";  // and "Cancelar" in the dialog
  EXPECT_EQ(Print(3), PrintResult::Cancelled);
  EXPECT_EQ(StandIn().calls.back(), "PrintDlgW");
  EXPECT_EQ(StandIn().printDialog.hwndOwner, StandInDialog());
  EXPECT_EQ(StandIn().printDialog.Flags & PD_RETURNDC, static_cast<DWORD>(PD_RETURNDC));
  EXPECT_EQ(StandIn().printDialog.nCopies, 1);
  EXPECT_EQ(StandIn().printDialogDevice, "");
  const DWORD noFile = PD_HIDEPRINTTOFILE | PD_DISABLEPRINTTOFILE;
  EXPECT_EQ(StandIn().printDialog.Flags & noFile, noFile);

  // A4 at 300 dpi: the 80 columns, 8 inches, scaled to the 190 mm between
  // margins of 10 mm: a column 28.06 dots, a row 46.76, from 118, 117.6.
  StandIn().calls.clear();
  StandIn().printDialogAnswer = TRUE;
  EXPECT_EQ(Print(3), PrintResult::Printed);
  EXPECT_EQ(StandIn().calls,
            (std::vector<std::string>{"GetDefaultPrinterW", "PrintDlgW",
                                      "StartDocW Presupuesto 3",
                                      "StartPage", "EndPage", "EndDoc", "DeleteDC"}));
  const StandInText& letterhead = StandIn().drawnTexts.at(0);
  EXPECT_EQ(letterhead.text, L"Nombre empresa.");
  // The name half as large again as the sheet's letters, in column 20 after
  // the logo's box, its baseline in row 5 + 0.8 x 1.5.
  EXPECT_EQ(std::make_tuple(letterhead.x, letterhead.y, letterhead.advances.at(14)),
            std::make_tuple(679, 408, 42));
  EXPECT_EQ(std::make_tuple(letterhead.font.lfHeight, letterhead.font.lfWeight,
                            letterhead.font.lfItalic),
            std::make_tuple(-70, FW_BOLD, 0));
  EXPECT_NEAR(letterhead.stretch, 1.0, 0.01);
  EXPECT_STREQ(letterhead.font.lfFaceName, L"Courier New");
  // The next line at the same indent, in the sheet's size.
  const StandInText& datos = StandIn().drawnTexts.at(1);
  EXPECT_EQ(std::make_tuple(datos.x, datos.advances.at(0), datos.font.lfHeight,
                            datos.font.lfItalic),
            std::make_tuple(679, 28, -47, 1));
  EXPECT_NEAR(datos.stretch, 1.0, 0.01);
  const StandInText& number = StandIn().drawnTexts.at(5);
  EXPECT_EQ(number.text, L"Presupuesto N\u00BA 3     Nombre: Luis");
  EXPECT_EQ(std::make_tuple(number.x, number.y, number.font.lfHeight, number.font.lfWeight),
            std::make_tuple(174, 1137, -47, FW_NORMAL));

  // The logo, 2 x 1 pixels, in its box of 1.8 x 1.17 inches from row 5:
  // 1.8 x 0.9 inches halfway down (its pixels as the preview's, read back in
  // company_data_test).
  StandIn().drawnImages.clear();
  CompanyData withLogo;
  withLogo.logoPicture = Picture{2, 1, {255, 0, 0, 0, 0, 255}};
  EXPECT_EQ(Print(3, withLogo), PrintResult::Printed);
  ASSERT_EQ(StandIn().drawnImages.size(), 1u);
  const StandInImage& logo = StandIn().drawnImages[0];
  EXPECT_EQ(std::make_tuple(logo.x, logo.y, logo.width, logo.height, logo.pixelsWide),
            std::make_tuple(118, 389, 505, 253, 2));

  // A printable area narrower than the margins leave (Letter at 600 dpi)
  // scales the page down to it; its top is still 10 mm down the paper.
  StandIn().drawnTexts.clear();
  StandIn().drawnLines.clear();
  StandIn().deviceCaps = {{LOGPIXELSX, 600}, {LOGPIXELSY, 600}, {HORZRES, 3600},
                          {VERTRES, 6000}, {PHYSICALWIDTH, 5100}, {PHYSICALOFFSETX, 750}};
  EXPECT_EQ(Print(3), PrintResult::Printed);
  EXPECT_EQ(std::make_tuple(StandIn().drawnTexts.at(5).x, StandIn().drawnTexts.at(5).y,
                            StandIn().drawnTexts.at(5).font.lfHeight),
            std::make_tuple(90, 1871, -75));
  const StandInLine& top = StandIn().drawnLines.at(0);
  EXPECT_EQ(std::make_tuple(top.x1, top.y1, top.x2, top.y2, top.penWidth),
            std::make_tuple(23, 1699, 3578, 1699, 4));

  StandIn().failingPrintCall = "EndPage";
  EXPECT_EQ(Print(3), PrintResult::SpoolerFailed);
  EXPECT_EQ(StandIn().calls.at(StandIn().calls.size() - 2), "AbortDoc");

  // A PDF printer's own file-name prompt, cancelled, is a cancel; another
  // failure of StartDoc is not.
  StandIn().failingPrintCall = "StartDocW";
  StandIn().failingPrintError = ERROR_CANCELLED;
  EXPECT_EQ(Print(3), PrintResult::Cancelled);
  StandIn().failingPrintError = ERROR_ACCESS_DENIED;
  EXPECT_EQ(Print(3), PrintResult::SpoolerFailed);
}

TEST(PrintJob, ChoosingThePrinterSkipsLpt1) {
  TestFolder folder;
  WriteBytes("LPT1", "");
  SetQuote("Cuerpo", "1/01/2027", "Luis", "Plaza 3", "10,00");
  StandIn().defaultPrinter = "PDF";
  StandIn().printDialogAnswer = TRUE;
  EXPECT_EQ(Print(3, kPlaceholders, true), PrintResult::Printed);
  EXPECT_EQ(ReadBytes("LPT1"), "");
  EXPECT_EQ(StandIn().calls.at(1), "PrintDlgW");
}

TEST(PrintJob, DrawnCharactersFallInTheSameCellsAtAnyResolution) {
  TestFolder folder;
  SetQuote("Reparaci\xF3n\r\nMano de obra", "6/12/2026", "Pe\xF1" "a", "C/ Mayor 1", "1.234,56");
  StandIn().defaultPrinter = "Matricial";
  StandIn().printDialogAnswer = TRUE;
  // A 24-pin printer's 360 x 180 dpi, where GDI widens the face itself,
  // against a square 600 dpi; both on paper 8.5 inches wide.
  std::vector<std::vector<std::pair<int, int>>> seen[2];
  const int dpi[2][2] = {{360, 180}, {600, 600}};
  for (int device = 0; device < 2; ++device) {
    int x = dpi[device][0], y = dpi[device][1];
    StandIn().drawnTexts.clear();
    StandIn().deviceCaps = {{LOGPIXELSX, x}, {LOGPIXELSY, y}, {HORZRES, x * 17 / 2},
                            {VERTRES, y * 11}, {PHYSICALWIDTH, x * 17 / 2}, {PHYSICALOFFSETX, 0}};
    ASSERT_EQ(Print(3, Business(), true), PrintResult::Printed);
    // The sheet between margins of 10 mm, scaled to the room they leave.
    double scale = (8.5 - 20 / 25.4) / 8.0;
    for (const StandInText& text : StandIn().drawnTexts) {
      seen[device].push_back(Cells(text, x * 10 / 25.4, y * 10 / 25.4, x * scale / 10, y * scale / 6));
      // Each character's shape as wide as its cell (the advances between
      // rounded cell edges, on average), not wider.
      double advances = 0;
      for (int advance : text.advances) advances += advance;
      EXPECT_NEAR(text.glyphWidth, advances / static_cast<double>(text.advances.size()), 1.0)
          << x << "x" << y;
    }
  }
  // The letterhead's name, half as large again, starts in column 20 (its
  // later letters start between two columns, where the two devices may
  // round either way).
  ASSERT_FALSE(seen[0].empty());
  EXPECT_EQ(seen[0][0][0].first, 20);
  EXPECT_EQ(seen[1][0][0].first, 20);
  seen[0].erase(seen[0].begin());
  seen[1].erase(seen[1].begin());
  EXPECT_EQ(seen[0], seen[1]);
}

TEST(PrintJob, DeviceThatRefusesBytesFails) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  TestFolder folder;
  ASSERT_EQ(symlink("/dev/full", "LPT1"), 0);
  SetQuote("", "", "", "", "");
  EXPECT_EQ(Print(1), PrintResult::DeviceFailed);
}

TEST(PrintJob, StreamSendsEveryLfAsCrLfAndRemembersFailure) {
  std::ostringstream out;
  PrinterStream stream{out};
  WriteText(stream, "a\nb");
  PutByte(stream, '\n');
  PutByte(stream, '\r');
  EndLine(stream);
  EXPECT_EQ(out.str(), "a\r\nb\r\n\r\r\n");
  EXPECT_FALSE(stream.failed);

  std::ostream nowhere(nullptr);
  PrinterStream broken{nowhere};
  PutByte(broken, 'x');
  EXPECT_TRUE(broken.failed);
}
