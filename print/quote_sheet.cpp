// The quote sheet: header, body rows and the three small boxes, drawn with
// the box characters of the printer's IBM PC table.
#include "print/quote_sheet.h"

#include <cstring>
#include <string>
#include <vector>

#include "common/number_text.h"
#include "print/printer_charset.h"
#include "store/quote_record.h"

namespace {
const char kTopLeft = '\xDA';
const char kTopRight = '\xBF';
const char kBottomLeft = '\xC0';
const char kBottomRight = '\xD9';
const char kTeeLeft = '\xC3';
const char kTeeRight = '\xB4';
const char kHorizontal = '\xC4';
const char kVertical = '\xB3';

constexpr std::size_t kInside = 78;     // columns between the box rules
constexpr std::size_t kRowWidth = 76;   // text columns of a body row
constexpr std::size_t kBodyRows = 25;
constexpr std::size_t kBoxColumn = 66;  // left rule of the small boxes
constexpr std::size_t kCellWidth = 12;

// A field up to its NUL, and never past its width.
std::string FieldText(const char* field, std::size_t width) {
  return std::string(field, strnlen(field, width));
}

std::string Spaces(std::size_t count) { return std::string(count, ' '); }

std::string PadTo(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string Rule(char left, char right) {
  return left + std::string(kInside, kHorizontal) + right;
}

std::string BlankLine() { return kVertical + Spaces(kInside) + kVertical; }

// A header line closed in column 79, or right after content that reaches it.
std::string HeaderLine(const std::string& content) {
  return PadTo(kVertical + content, kInside + 1) + kVertical;
}

std::string SmallBoxTop() {
  return Spaces(kBoxColumn) + kTopLeft + std::string(kCellWidth, kHorizontal) + kTopRight;
}

std::string SmallBoxBottom() {
  return Spaces(kBoxColumn) + kBottomLeft + std::string(kCellWidth, kHorizontal) + kBottomRight;
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

std::string BodyRow(const std::string& text) {
  return kVertical + std::string(" ") +
         ToPrinterCharset(BlankControlBytes(PadTo(text, kRowWidth))) + " " + kVertical;
}

void WriteLine(PrinterStream& stream, const std::string& line) {
  WriteText(stream, line);
  EndLine(stream);
}
}  // namespace

void WriteQuoteSheet(PrinterStream& stream, int32_t number) {
  std::string name = BlankControlBytes(FieldText(CurrentQuote.name, kFieldWidth));
  std::string date = BlankControlBytes(FieldText(CurrentQuote.date, kFieldWidth));
  std::string address = BlankControlBytes(FieldText(CurrentQuote.address, kFieldWidth));
  std::string total = BlankControlBytes(FieldText(CurrentQuote.total, kFieldWidth));

  std::string numberLabel = "Presupuesto N\xA7 " + IntToText(number, 0);
  std::string nameLabel = "Nombre: " + ToPrinterCharset(name);
  std::string dateLabel = "Fecha: " + date;
  std::string addressLabel = "Domicilio: " + ToPrinterCharset(address);
  std::string totalText = total + " \x80";

  WriteLine(stream, Rule(kTopLeft, kTopRight));
  WriteLine(stream, BlankLine());
  // The name and the address start in the same column while the number
  // label is no wider than the date label plus one.
  WriteLine(stream,
            HeaderLine(" " + PadTo(numberLabel, dateLabel.size() + 1) + Spaces(4) + nameLabel));
  WriteLine(stream, HeaderLine(" " + dateLabel + Spaces(5) + addressLabel));
  WriteLine(stream, BlankLine());
  WriteLine(stream, Rule(kTeeLeft, kTeeRight));

  for (const std::string& row : CutBodyRows(FieldText(CurrentQuote.body, kBodyWidth))) {
    WriteLine(stream, BodyRow(row));
  }
  WriteLine(stream, Rule(kBottomLeft, kBottomRight));
  EndLine(stream);

  // A total wider than the cell pushes its closing rule to the right.
  std::size_t lead = totalText.size() < kCellWidth - 1 ? kCellWidth - 1 - totalText.size() : 0;
  std::string cell = Spaces(lead) + totalText + " ";
  WriteLine(stream, SmallBoxTop());
  WriteLine(stream, Spaces(57) + "Subtotal " + kVertical + cell + kVertical);
  WriteLine(stream, SmallBoxBottom());
  WriteLine(stream, SmallBoxTop());
  WriteLine(stream, Spaces(57) + "IVA    % " + kVertical + Spaces(kCellWidth) + kVertical);
  WriteLine(stream, SmallBoxBottom());
  WriteLine(stream, SmallBoxTop());
  WriteLine(stream, Spaces(60) + "Total " + kVertical + Spaces(kCellWidth) + kVertical);
  WriteLine(stream, SmallBoxBottom());
}
