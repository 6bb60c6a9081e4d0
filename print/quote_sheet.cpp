// The quote sheet: header, body rows and the three small boxes, laid out once
// for both the printer's IBM PC table and the drawn page.
#include "print/quote_sheet.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
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
constexpr std::size_t kBodyRows = 25;
constexpr std::size_t kCellWidth = 12;  // inside a small box, unless its value is wider

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

// One of the small boxes: its label, then the value right-aligned in a
// cell of 12 columns with a space after it. A wider value widens the box
// leftwards, its label with it, so that the closing rule stays in column 79.
std::vector<SheetText> SmallBox(const std::string& label, const SheetText& value) {
  std::size_t cell = std::max(kCellWidth, Width(value) + 1);
  std::size_t left = kInside + 1 - cell - 1;
  SheetText inside = Spaces(cell - 1 - std::min(Width(value), cell - 1)) + value + Ascii(" ");
  return {Spaces(left) + TopLeft() + Repeat(Horizontal(), cell) + TopRight(),
          Spaces(left - label.size()) + Ascii(label) + Vertical() + inside + Vertical(),
          Spaces(left) + BottomLeft() + Repeat(Horizontal(), cell) + BottomRight()};
}

// The total as typed, followed by the euro sign unless it ends in one; the
// space before the sign goes where that alone makes it fit the cell.
SheetText TotalText(const std::string& total) {
  std::size_t last = total.find_last_not_of(' ');
  if (last != std::string::npos && total[last] == '\x80') return Typed(total);
  SheetText spaced = Typed(total + " \x80");
  SheetText close = Typed(total + "\x80");
  return Width(spaced) > kCellWidth - 1 && Width(close) <= kCellWidth - 1 ? close : spaced;
}

// An empty line, then each of the business's lines that has text, where
// the body's rows start; nothing at all where none has.
std::vector<SheetText> FooterLines(const CompanyData& company) {
  std::vector<SheetText> lines;
  for (const std::string& line : company.footer) {
    if (line.empty()) continue;
    if (lines.empty()) lines.push_back(SheetText());
    lines.push_back(Ascii("  ") + Typed(line.substr(0, kFooterRoom)));
  }
  return lines;
}

SheetText BodyRow(const std::string& text) {
  return Vertical() + Ascii(" ") + PadTo(Typed(text), kRowWidth) + Ascii(" ") + Vertical();
}
}  // namespace

std::vector<SheetText> QuoteSheetLines(const QuoteRecord& quote, int32_t number,
                                       const CompanyData& company) {
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

  // The first row is always blank; the next 24 take the body's rows.
  std::vector<std::string> rows = BodyRows(FieldText(quote.body, kBodyWidth));
  rows.insert(rows.begin(), std::string());
  rows.resize(kBodyRows);
  std::transform(rows.begin(), rows.end(), std::back_inserter(lines), BodyRow);
  lines.push_back(Rule(BottomLeft(), BottomRight()));
  lines.push_back(SheetText());

  // IVA and Total are worked out only where both the rate and the total
  // read as numbers; otherwise their boxes stay empty and the Subtotal
  // shows the total as typed.
  std::string vatLabel = "IVA    % ";
  SheetText shownTotal = TotalText(total), vat, sum;
  auto rate = ReadRate(company.vatRate);
  auto subtotal = ReadAmount(total);
  if (rate && subtotal) {
    int64_t tax = VatOn(*subtotal, *rate);
    vatLabel = "IVA " + RateText(*rate) + " % ";
    shownTotal = Typed(AmountTextWithin(*subtotal, kCellWidth - 1));
    vat = Typed(AmountTextWithin(tax, kCellWidth - 1));
    sum = Typed(AmountTextWithin(*subtotal + tax, kCellWidth - 1));
  }
  for (const auto& [label, value] : {std::pair<std::string, SheetText>{"Subtotal ", shownTotal},
                                     {vatLabel, vat}, {"Total ", sum}}) {
    std::vector<SheetText> box = SmallBox(label, value);
    lines.insert(lines.end(), box.begin(), box.end());
  }
  std::vector<SheetText> footer = FooterLines(company);
  lines.insert(lines.end(), footer.begin(), footer.end());
  return lines;
}

void WriteQuoteSheet(PrinterStream& stream, const QuoteRecord& quote, int32_t number,
                     const CompanyData& company) {
  for (const SheetText& line : QuoteSheetLines(quote, number, company)) {
    WriteText(stream, line.printer);
    EndLine(stream);
  }
}
