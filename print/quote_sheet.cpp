// The quote sheet: header, body rows and the three small boxes, laid out once
// for both the printer's IBM PC table and the drawn page.
#include "print/quote_sheet.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "common/number_text.h"
#include "print/amounts.h"
#include "print/body_rows.h"
#include "print/sheet_text.h"
#include "store/quote_record.h"

namespace {
// The box pieces: the byte of the printer's IBM PC table, and the same piece
// in Unicode for the drawn page.
SheetText TopLeft() { return Cell("\xDA", L'\u250C'); }
SheetText TopRight() { return Cell("\xBF", L'\u2510'); }
SheetText BottomLeft() { return Cell("\xC0", L'\u2514'); }
SheetText BottomRight() { return Cell("\xD9", L'\u2518'); }
SheetText TeeLeft() { return Cell("\xC3", L'\u251C'); }
SheetText TeeRight() { return Cell("\xB4", L'\u2524'); }
SheetText Horizontal() { return Cell("\xC4", L'\u2500'); }
SheetText Vertical() { return Cell("\xB3", L'\u2502'); }

constexpr std::size_t kInside = 78;     // columns between the box rules
constexpr std::size_t kBodyRows = kSheetBodyRows + 1;  // a blank first row, then the text
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

// The small boxes' value: right-aligned in the cell, then a space; a
// wider value pushes the cell's closing rule to the right.
SheetText CellValue(const SheetText& value) {
  std::size_t width = Width(value);
  return Spaces(width < kCellWidth - 1 ? kCellWidth - 1 - width : 0) + value + Ascii(" ");
}

// A label that ends, with its final space, in the column before the boxes.
SheetText BoxLine(const std::string& label, const SheetText& value) {
  return Spaces(kBoxColumn - label.size()) + Ascii(label) + Vertical() + CellValue(value) +
         Vertical();
}

// The total as typed, followed by the euro sign unless it ends in one; the
// space before the sign goes where the cell has no room for it.
SheetText TotalText(const std::string& total) {
  std::size_t last = total.find_last_not_of(' ');
  if (last != std::string::npos && total[last] == '\x80') return Typed(total);
  SheetText spaced = Typed(total + " \x80");
  return Width(spaced) <= kCellWidth - 1 ? spaced : Typed(total + "\x80");
}

SheetText BodyRow(const std::string& text) {
  return Vertical() + Ascii(" ") + PadTo(Typed(text), kRowWidth) + Ascii(" ") + Vertical();
}
}  // namespace

std::vector<SheetText> QuoteSheetLines(const QuoteRecord& quote, int32_t number,
                                       const std::string& vatRate) {
  std::string name = FieldText(quote.name, kFieldWidth);
  std::string date = FieldText(quote.date, kFieldWidth);
  std::string address = FieldText(quote.address, kFieldWidth);
  std::string total = FieldText(quote.total, kFieldWidth);

  SheetText numberLabel = Ascii("Presupuesto N") + Cell("\xA7", L'\u00BA') +
                          Ascii(" " + IntToText(number, 0));
  SheetText nameLabel = Ascii("Nombre: ") + Typed(name);
  SheetText dateLabel = Ascii("Fecha: ") + Typed(date);
  SheetText addressLabel = Ascii("Domicilio: ") + Typed(address);

  std::vector<SheetText> lines;
  lines.push_back(Rule(TopLeft(), TopRight()));
  lines.push_back(BlankLine());
  // The name and the address start in the same column while the number
  // label is no wider than the date label plus one.
  lines.push_back(HeaderLine(Ascii(" ") + PadTo(numberLabel, Width(dateLabel) + 1) +
                             Spaces(4) + nameLabel));
  lines.push_back(HeaderLine(Ascii(" ") + dateLabel + Spaces(5) + addressLabel));
  lines.push_back(BlankLine());
  lines.push_back(Rule(TeeLeft(), TeeRight()));

  // The first row is always blank; the next take the body's rows.
  std::vector<std::string> rows = BodyRows(FieldText(quote.body, kBodyWidth));
  rows.insert(rows.begin(), std::string());
  rows.resize(kBodyRows);
  std::transform(rows.begin(), rows.end(), std::back_inserter(lines), BodyRow);
  lines.push_back(Rule(BottomLeft(), BottomRight()));
  lines.push_back(SheetText());

  // IVA and Total are worked out only where both the rate and the total
  // read as numbers; otherwise their boxes stay empty.
  std::string vatLabel = "IVA    % ";
  SheetText vat, sum;
  auto rate = ReadRate(vatRate);
  auto subtotal = ReadAmount(total);
  if (rate && subtotal) {
    int64_t tax = VatOn(*subtotal, *rate);
    vatLabel = "IVA " + RateText(*rate) + " % ";
    // Worked-out amounts keep to their cells, as a typed total may not.
    vat = Typed(AmountTextWithin(tax, kCellWidth - 1));
    sum = Typed(AmountTextWithin(*subtotal + tax, kCellWidth - 1));
  }
  lines.push_back(SmallBoxTop());
  lines.push_back(BoxLine("Subtotal ", TotalText(total)));
  lines.push_back(SmallBoxBottom());
  lines.push_back(SmallBoxTop());
  lines.push_back(BoxLine(vatLabel, vat));
  lines.push_back(SmallBoxBottom());
  lines.push_back(SmallBoxTop());
  lines.push_back(BoxLine("Total ", sum));
  lines.push_back(SmallBoxBottom());
  return lines;
}

void WriteQuoteSheet(PrinterStream& stream, const QuoteRecord& quote, int32_t number,
                     const std::string& vatRate) {
  for (const SheetText& line : QuoteSheetLines(quote, number, vatRate)) {
    WriteText(stream, line.printer);
    EndLine(stream);
  }
}
