// Printed text in its two forms, column for column: the bytes the dot-matrix
// printer gets on LPT1 and the characters as the customer typed them.
#pragma once
#include <cstddef>
#include <string>

struct SheetText {
  std::string printer;  // code page 437 box bytes, the printer's ª º ñ Ñ
  std::wstring shown;   // Unicode, one character per printer byte
};

SheetText operator+(SheetText left, const SheetText& right);

// Plain ASCII, the same in both forms.
SheetText Ascii(const std::string& text);

// One column whose printer byte and character differ (a box piece, º, €).
SheetText Cell(char printerByte, wchar_t shown);

// `count` copies of a one-column text.
SheetText Repeat(const SheetText& cell, std::size_t count);

// A text the customer typed (Windows-1252): control bytes print as spaces;
// `toPrinterCharset` converts ª º ñ Ñ in the printer's form.
SheetText Typed(const std::string& text, bool toPrinterCharset);

// Spaces appended up to `width` columns; a wider text stays as it is.
SheetText PadTo(SheetText text, std::size_t width);
