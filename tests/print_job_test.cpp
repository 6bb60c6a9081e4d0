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

std::string SheetBytes(int32_t number) {
  std::ostringstream out;
  PrinterStream stream{out};
  WriteQuoteSheet(stream, CurrentQuote, number);
  return out.str();
}
}  // namespace

TEST(PrintJob, WholeJobReachesTheDevice) {
  TestFolder folder;
  WriteBytes("LPT1", std::string(5000, 'x'));  // an earlier job's file is emptied
  SetQuote("Reparacion de tejado\r\n\r\nMano de obra", "6/12/2026", "Pe\xF1" "a e hijos",
           "C/ Mayor 1", "1.234,56");
  ASSERT_EQ(PrintQuote(CurrentQuote, 7, StandInDialog()), PrintResult::Printed);
  EXPECT_TRUE(StandIn().calls.empty());

  std::string job = ReadBytes("LPT1");
  ASSERT_GT(job.size(), 195u);
  EXPECT_EQ(job.substr(0, 194), kBeforeSheet);
  EXPECT_EQ(job.substr(194, job.size() - 195), SheetBytes(7));
  EXPECT_EQ(job.back(), '\x0C');

  // The letterhead alone: 170 bytes written, 14 of them LF.
  std::ostringstream out;
  PrinterStream stream{out};
  WriteLetterhead(stream);
  EXPECT_EQ(out.str(), kBeforeSheet.substr(4, 184));
}

TEST(PrintJob, WithoutLpt1ThePageGoesToThePrinterChosen) {
  TestFolder folder;
  ASSERT_EQ(mkdir("LPT1", 0755), 0);
  SetQuote("Cuerpo", "1/01/2027", "Luis", "Plaza 3", "10,00");
  // The stand-in's machine has no printer at all: no print dialog either.
  EXPECT_EQ(PrintQuote(CurrentQuote, 3, StandInDialog()), PrintResult::NoPrinter);
  EXPECT_EQ(StandIn().calls.back(), "GetDefaultPrinterW");

  StandIn().defaultPrinter = "PDF";  // and "Cancelar" in the dialog
  EXPECT_EQ(PrintQuote(CurrentQuote, 3, StandInDialog()), PrintResult::Cancelled);
  EXPECT_EQ(StandIn().calls.back(), "PrintDlgW");
  EXPECT_EQ(StandIn().printDialog.hwndOwner, StandInDialog());
  EXPECT_EQ(StandIn().printDialog.Flags & PD_RETURNDC, static_cast<DWORD>(PD_RETURNDC));
  EXPECT_EQ(StandIn().printDialog.nCopies, 1);

  // A4 at 300 dpi: the 80 columns, 8 inches, centred on the 8.27-inch paper.
  StandIn().calls.clear();
  StandIn().printDialogAnswer = TRUE;
  EXPECT_EQ(PrintQuote(CurrentQuote, 3, StandInDialog()), PrintResult::Printed);
  EXPECT_EQ(StandIn().calls,
            (std::vector<std::string>{"GetDefaultPrinterW", "PrintDlgW",
                                      "StartDocW Presupuesto 3",
                                      "StartPage", "EndPage", "EndDoc", "DeleteDC"}));
  const StandInText& letterhead = StandIn().drawnTexts.at(0);
  EXPECT_EQ(letterhead.text, L"Nombre empresa.");
  EXPECT_EQ(std::make_tuple(letterhead.x, letterhead.y, letterhead.advances.at(14)),
            std::make_tuple(40 + 150, 380, 60));
  EXPECT_EQ(std::make_tuple(letterhead.font.lfHeight, letterhead.stretch,
                            letterhead.font.lfWeight, letterhead.font.lfItalic),
            std::make_tuple(-100, 1.0f, FW_BOLD, 1));
  EXPECT_STREQ(letterhead.font.lfFaceName, L"Courier New");
  // Double height alone: the characters are pressed to one column each.
  const StandInText& datos = StandIn().drawnTexts.at(1);
  EXPECT_EQ(std::make_tuple(datos.x, datos.stretch, datos.advances.at(0), datos.font.lfHeight),
            std::make_tuple(40 + 26 * 30, 0.5f, 30, -100));
  const StandInText& number = StandIn().drawnTexts.at(5);
  EXPECT_EQ(number.text, L"Presupuesto N\u00BA 3     Nombre: Luis");
  EXPECT_EQ(std::make_tuple(number.x, number.y, number.font.lfHeight, number.font.lfWeight),
            std::make_tuple(100, 1090, -50, FW_NORMAL));

  // A narrower printable area (Letter at 600 dpi) scales the page down to it.
  StandIn().drawnTexts.clear();
  StandIn().drawnLines.clear();
  StandIn().deviceCaps = {{LOGPIXELSX, 600}, {LOGPIXELSY, 600}, {HORZRES, 3600},
                          {VERTRES, 6000}, {PHYSICALWIDTH, 5100}, {PHYSICALOFFSETX, 750}};
  EXPECT_EQ(PrintQuote(CurrentQuote, 3, StandInDialog()), PrintResult::Printed);
  EXPECT_EQ(std::make_tuple(StandIn().drawnTexts.at(5).x, StandIn().drawnTexts.at(5).y,
                            StandIn().drawnTexts.at(5).font.lfHeight),
            std::make_tuple(90, 1635, -75));
  const StandInLine& top = StandIn().drawnLines.at(0);
  EXPECT_EQ(std::make_tuple(top.x1, top.y1, top.x2, top.y2, top.penWidth),
            std::make_tuple(23, 1463, 3578, 1463, 4));

  StandIn().failingPrintCall = "EndPage";
  EXPECT_EQ(PrintQuote(CurrentQuote, 3, StandInDialog()), PrintResult::SpoolerFailed);
  EXPECT_EQ(StandIn().calls.at(StandIn().calls.size() - 2), "AbortDoc");
}

TEST(PrintJob, DeviceThatRefusesBytesFails) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  TestFolder folder;
  ASSERT_EQ(symlink("/dev/full", "LPT1"), 0);
  SetQuote("", "", "", "", "");
  EXPECT_EQ(PrintQuote(CurrentQuote, 1, StandInDialog()), PrintResult::DeviceFailed);
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
