// Building the two forms of printed text side by side, so that they never
// drift apart by a column.
#include "print/sheet_text.h"

#include "common/windows1252.h"
#include "print/printer_charset.h"

SheetText operator+(SheetText left, const SheetText& right) {
  left.printer += right.printer;
  left.shown += right.shown;
  return left;
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
