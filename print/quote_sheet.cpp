// The quote sheet: header, body rows and the three small boxes, laid out once
// for both the printer's IBM PC table and the drawn page.
#include "print/quote_sheet.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "common/number_text.h"
#include "print/sheet_text.h"
#include "store/quote_record.h"

namespace {
// The box pieces: the byte of the printer's IBM PC table, and the same piece
// in Unicode for the drawn page.
SheetText TopLeft() { return Cell('\xDA', L'\u250C'); }
SheetText TopRight() { return Cell('\xBF', L'\u2510'); }
SheetText BottomLeft() { return Cell('\xC0', L'\u2514'); }
SheetText BottomRight() { return Cell('\xD9', L'\u2518'); }
SheetText TeeLeft() { return Cell('\xC3', L'\u251C'); }
SheetText TeeRight() { return Cell('\xB4', L'\u2524'); }
SheetText Horizontal() { return Cell('\xC4', L'\u2500'); }
SheetText Vertical() { return Cell('\xB3', L'\u2502'); }

constexpr std::size_t kInside = 78;     // columns between the box rules
constexpr std::size_t kRowWidth = 76;   // text columns of a body row
constexpr std::size_t kBodyRows = 25;
constexpr std::size_t kBoxColumn = 66;  // left rule of the small boxes
constexpr std::size_t kCellWidth = 12;

// A field up to its NUL, and never past its width.
std::string FieldText(const char* field, std::size_t width) {
  return std::string(field, strnlen(field, width));
}

SheetText Spaces(std::size_t count) { return Repeat(Ascii(" "), count); }

SheetText Rule(const SheetText& left, const SheetText& right) {
  return left + Repeat(Horizontal(), kInside) + right;
}

SheetText BlankLine() { return Vertical() + Spaces(kInside) + Vertical(); }

// A header line closed in column 79, or right after content that reaches it.
SheetText HeaderLine(const SheetText& content) {
  return PadTo(Vertical() + content, kInside + 1) + Vertical();
}

SheetText SmallBoxTop() {
  return Spaces(kBoxColumn) + TopLeft() + Repeat(Horizontal(), kCellWidth) + TopRight();
}

SheetText SmallBoxBottom() {
  return Spaces(kBoxColumn) + BottomLeft() + Repeat(Horizontal(), kCellWidth) + BottomRight();
}

// The first row is always blank; the next 24 take the body, line by line,
// wrapping at 76 columns. What does not fit is not printed.
std::vector<std::string> CutBodyRows(std::string rest) {
  std::vector<std::string> rows(1);
  while (rows.size() < kBodyRows) {
    std::size_t lineEnd = rest.find('\n');
    if (lineEnd != std::string::npos && lineEnd <= kRowWidth - 1) {
      // The byte in front of the LF is the CR of the break.
      rows.push_back(rest.substr(0, lineEnd == 0 ? 0 : lineEnd - 1));
      rest.erase(0, lineEnd + 1);
    } else if (rest.size() < kRowWidth) {
      rows.push_back(rest);
      rest.clear();
    } else {
      std::string row = rest.substr(0, kRowWidth);
      rest.erase(0, kRowWidth);
      // A 75-character line is cut just after its CR, whose LF then opens
      // the rest; the CR is not sent and the row is padded as any other.
      if (row.back() == '\r' && !rest.empty() && rest.front() == '\n') row.pop_back();
      rows.push_back(row);
    }
  }
  return rows;
}

SheetText BodyRow(const std::string& text) {
  return Vertical() + Ascii(" ") + PadTo(Typed(text, true), kRowWidth) + Ascii(" ") + Vertical();
}
}  // namespace

std::vector<SheetText> QuoteSheetLines(const QuoteRecord& quote, int32_t number) {
  std::string name = FieldText(quote.name, kFieldWidth);
  std::string date = FieldText(quote.date, kFieldWidth);
  std::string address = FieldText(quote.address, kFieldWidth);
  std::string total = FieldText(quote.total, kFieldWidth);

  SheetText numberLabel = Ascii("Presupuesto N") + Cell('\xA7', L'\u00BA') +
                          Ascii(" " + IntToText(number, 0));
  SheetText nameLabel = Ascii("Nombre: ") + Typed(name, true);
  SheetText dateLabel = Ascii("Fecha: ") + Typed(date, false);
  SheetText addressLabel = Ascii("Domicilio: ") + Typed(address, true);
  SheetText totalText = Typed(total, false) + Ascii(" ") + Cell('\x80', L'\u20AC');

  std::vector<SheetText> lines;
  lines.push_back(Rule(TopLeft(), TopRight()));
  lines.push_back(BlankLine());
  // The name and the address start in the same column while the number
  // label is no wider than the date label plus one.
  lines.push_back(HeaderLine(Ascii(" ") + PadTo(numberLabel, dateLabel.printer.size() + 1) +
                             Spaces(4) + nameLabel));
  lines.push_back(HeaderLine(Ascii(" ") + dateLabel + Spaces(5) + addressLabel));
  lines.push_back(BlankLine());
  lines.push_back(Rule(TeeLeft(), TeeRight()));

  std::vector<std::string> rows = CutBodyRows(FieldText(quote.body, kBodyWidth));
  std::transform(rows.begin(), rows.end(), std::back_inserter(lines), BodyRow);
  lines.push_back(Rule(BottomLeft(), BottomRight()));
  lines.push_back(SheetText());

  // A total wider than the cell pushes its closing rule to the right.
  std::size_t width = totalText.printer.size();
  std::size_t lead = width < kCellWidth - 1 ? kCellWidth - 1 - width : 0;
  SheetText cell = Spaces(lead) + totalText + Ascii(" ");
  lines.push_back(SmallBoxTop());
  lines.push_back(Spaces(57) + Ascii("Subtotal ") + Vertical() + cell + Vertical());
  lines.push_back(SmallBoxBottom());
  lines.push_back(SmallBoxTop());
  lines.push_back(Spaces(57) + Ascii("IVA    % ") + Vertical() + Spaces(kCellWidth) + Vertical());
  lines.push_back(SmallBoxBottom());
  lines.push_back(SmallBoxTop());
  lines.push_back(Spaces(60) + Ascii("Total ") + Vertical() + Spaces(kCellWidth) + Vertical());
  lines.push_back(SmallBoxBottom());
  return lines;
}

void WriteQuoteSheet(PrinterStream& stream, const QuoteRecord& quote, int32_t number) {
  for (const SheetText& line : QuoteSheetLines(quote, number)) {
    WriteText(stream, line.printer);
    EndLine(stream);
  }
}
