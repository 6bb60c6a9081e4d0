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

std::size_t Width(const SheetText& text) { return text.shown.size(); }

SheetText Ascii(const std::string& text) { return {text, Widen(text)}; }

SheetText Cell(const std::string& printer, wchar_t shown) {
  return {printer, std::wstring(1, shown)};
}

SheetText Repeat(const SheetText& cell, std::size_t count) {
  SheetText repeated;
  repeated.printer.reserve(count * cell.printer.size());
  for (std::size_t i = 0; i < count; ++i) repeated.printer += cell.printer;
  repeated.shown.assign(count, cell.shown.at(0));
  return repeated;
}

SheetText Typed(const std::string& text) {
  std::string blanked = BlankControlBytes(text);
  return {ToPrinterCharset(blanked), Widen(blanked)};
}

SheetText PadTo(SheetText text, std::size_t width) {
  if (Width(text) < width) text = text + Repeat(Ascii(" "), width - Width(text));
  return text;
}
