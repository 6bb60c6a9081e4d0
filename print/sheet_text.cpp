// Building the two forms of printed text side by side, so that they never
// drift apart by a column.
#include "print/sheet_text.h"

#include "print/printer_charset.h"

namespace {
// Windows-1252 0x80 to 0x9F; the five unassigned bytes keep their value, as
// the system's own conversion does.
const wchar_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

wchar_t FromWindows1252(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return static_cast<wchar_t>(byte);
}

SheetText operator+(SheetText left, const SheetText& right) {
  left.printer += right.printer;
  left.shown += right.shown;
  return left;
}

std::wstring Widen(const std::string& text) {
  std::wstring shown;
  shown.reserve(text.size());
  for (char byte : text) shown += FromWindows1252(static_cast<unsigned char>(byte));
  return shown;
}

SheetText Ascii(const std::string& text) { return {text, Widen(text)}; }

SheetText Cell(char printerByte, wchar_t shown) {
  return {std::string(1, printerByte), std::wstring(1, shown)};
}

SheetText Repeat(const SheetText& cell, std::size_t count) {
  return {std::string(count, cell.printer.at(0)), std::wstring(count, cell.shown.at(0))};
}

SheetText Typed(const std::string& text, bool toPrinterCharset) {
  std::string blanked = BlankControlBytes(text);
  return {toPrinterCharset ? ToPrinterCharset(blanked) : blanked, Widen(blanked)};
}

SheetText PadTo(SheetText text, std::size_t width) {
  if (text.printer.size() < width) text = text + Repeat(Ascii(" "), width - text.printer.size());
  return text;
}
