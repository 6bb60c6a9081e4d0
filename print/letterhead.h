// The heading of every printed quote: ESC/P codes around the business's own
// lines, laid out once for LPT1 and for the drawn page.
#pragma once
#include <cstddef>
#include <vector>

#include "common/company_data.h"
#include "print/printer_stream.h"
#include "print/sheet_text.h"

// The characters each of the business's lines has room for between its
// place on the letterhead and the page's edge (the name in double width).
constexpr std::size_t kNameRoom = 37;
constexpr std::size_t kActivityRoom = 54;
constexpr std::size_t kAddressRoom = 66;
constexpr std::size_t kPhoneRoom = 60;
constexpr std::size_t kOtherRoom = 52;

// A printer code (its bytes in `text.printer`) or text, line ends included.
struct HeadPiece {
  bool code = false;
  SheetText text;
};

// Everything a job sends before the sheet: two line ends, the letterhead,
// three line ends. Each of the business's lines is cut to its room. The letterhead leaves the printer at normal size and style,
// typeface Orator, 10 cpi and left margin 0, the state the sheet prints in.
std::vector<HeadPiece> JobHead(const CompanyData& company);

void WriteJobHead(PrinterStream& stream, const CompanyData& company);
