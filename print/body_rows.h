// The quote's free text cut into the rows of the sheet's body box, the way
// the dialog's edit control wraps it on screen.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

constexpr std::size_t kRowWidth = 76;  // text columns of a body row
// Rows of text in the sheet's body box, under its blank first row.
constexpr std::size_t kSheetBodyRows = 24;

// Every row of `body` (Windows-1252, lines ending in CR LF): one row a line,
// its tabs spaces up to the next of the stops every eight columns of a row,
// a longer line broken at its last space that fits (the spaces there end
// the row), and only a word longer than a row cut at its width.
std::vector<std::string> BodyRows(const std::string& body);

// Whether every row with text is among the first `rows`.
bool RowsFit(const std::vector<std::string>& rows, std::size_t count);
