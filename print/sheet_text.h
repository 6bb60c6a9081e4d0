// Printed text in its two forms, column for column: the bytes the dot-matrix
// printer gets on LPT1 and the characters as the customer typed them.
#pragma once
#include <cstddef>
#include <string>

struct SheetText {
  std::string printer;  // code page 437 bytes and the few codes a column may need
  std::wstring shown;   // Unicode, one character per column
};

SheetText operator+(SheetText left, const SheetText& right);

// Columns the text takes on paper.
std::size_t Width(const SheetText& text);

// Plain ASCII, the same in both forms.
SheetText Ascii(const std::string& text);

// One column whose printer bytes and character differ (a box piece, º).
SheetText Cell(const std::string& printer, wchar_t shown);

// `count` copies of a one-column text.
SheetText Repeat(const SheetText& cell, std::size_t count);

// A text the customer typed (Windows-1252): control bytes print as spaces,
// the rest as the printer's table has it.
SheetText Typed(const std::string& text);

// Spaces appended up to `width` columns; a wider text stays as it is.
SheetText PadTo(SheetText text, std::size_t width);
