// The pieces a printed page is made of, free of any platform: texts with
// sizes and weights, box rules as lines and a picture, on the page's grid.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct PageText {
  int row = 0;     // of the top of the characters
  int column = 0;  // of the first character
  std::wstring text;
  double width = 1;   // columns a character takes: 1.5 for the business's name
  double height = 1;  // rows a character takes
  bool bold = false;
  bool italic = false;
};

// A straight line in half cells: x 2c + 1 is the middle of column c, y 2r + 1
// the middle of row r.
struct PageRule {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A picture on the page (the business's logo): its box in columns and rows
// of the grid, its pixels 8-bit RGB, rows from the top, 3 bytes a pixel.
// No pixels: no picture.
struct PageImage {
  double left = 0, top = 0, width = 0, height = 0;
  int pixelsWide = 0, pixelsHigh = 0;
  std::vector<std::uint8_t> rgb;
};

struct PageModel {
  std::vector<PageText> texts;  // no box pieces, no leading or trailing spaces
  std::vector<PageRule> rules;
  PageImage logo;
  int columns = 0;  // the widest line
  int rows = 0;     // down to the last line of the sheet
};
